#pragma once
// The help window: the help page of the data tree in its own borderless, skin-shaped window,
// modal over the window that opened it. "Close" is the only way out.

#include <QDialog>

class QTextBrowser;

namespace platform
{

class Label;
class Picture;

class Form3 : public QDialog
{
    Q_OBJECT
public:
    // pagePath: the help page file; a missing page shows an empty page.
    Form3(QWidget *owner, const QString &pagePath);

    QTextBrowser *WebBrowser1;
    Label *Label1; // "Close"
    Picture *Image1;
    Picture *Image2;

    void reject() override; // Escape and the window manager's close do not close it
};

// Creates a new help window, loads the page anew and waits until "Close" is clicked.
void showHelpWindow(QWidget *owner, const QString &pagePath);

} // namespace platform
