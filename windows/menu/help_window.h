#pragma once
// The help window: the help page of the data tree in its own borderless, skin-shaped window,
// modal over the window that opened it. "Close" is the only way out.

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

    void reject() override; // Escape and the window manager's close do not close it

private:
    QTextBrowser *m_page = nullptr;
};

} // namespace windows
