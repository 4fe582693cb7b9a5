#include "platform/help_window.h"

#include "platform/elements.h"
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>

namespace platform
{

Form3::Form3(QWidget *owner, const QString &pagePath)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    setFixedSize(twipsRect(0, 0, 8040, 5235).size());
    ShapeWindow(this, resources::image(resources::name::helpSkin));

    // Bottom first: each element created later lies above the ones before it.
    Image2 = new Picture(this, QStringLiteral("Image2"), 0, 0, 8040, 5235);
    Image2->setPicture(SkinPixmap(resources::name::helpSkin));

    Image1 = new Picture(this, QStringLiteral("Image1"), 120, 3720, 7815, 1455);
    Image1->setPicture(resources::pixmap(resources::name::helpStrip));

    Label1 = platform::makeCloseLabel(this, QStringLiteral("Label1"), 3720, 4320);
    connect(Label1, &Label::clicked, this, &QDialog::accept);

    WebBrowser1 = new QTextBrowser(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setGeometry(twipsRect(360, 360, 7335, 3735));
    WebBrowser1->setOpenExternalLinks(true); // web addresses go to the desktop's browser
    WebBrowser1->setFrameShape(QFrame::NoFrame);
    if (QFileInfo(pagePath).isFile())
        WebBrowser1->setSource(QUrl::fromLocalFile(pagePath));

    QScreen *screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        move(screen->geometry().topLeft() + twipsRect(375, 375, 0, 0).topLeft());
}

void Form3::reject() {}

void showHelpWindow(QWidget *owner, const QString &pagePath)
{
    auto *form = new Form3(owner, pagePath);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->exec();
}

} // namespace platform
