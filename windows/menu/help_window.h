#pragma once
// The help window: the help page of the data tree in its own borderless, skin-shaped window,
// modal over the window that opened it. "Close", Escape and the window manager's close all
// close it.

#include "platform/window_shape.h"

#include <QDialog>

class QTextBrowser;

namespace windows
{

class HelpWindow : public QDialog
{
    Q_OBJECT
public:
    // pagePath: the help page file; a missing page shows an empty page.
    HelpWindow(QWidget *owner, const QString &pagePath);

    QTextBrowser *page() const { return m_page; }
    // Why the window cannot be shown as it should (a broken skin); empty when it can.
    const QString &problem() const { return m_problem; }

private:
    QTextBrowser *m_page = nullptr;
    QString m_problem;
    platform::WindowShape m_shape{this};
};

} // namespace windows
