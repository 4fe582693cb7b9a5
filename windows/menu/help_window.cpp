#include "windows/menu/help_window.h"

#include "platform/elements.h"
#include "platform/window_place.h"
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

namespace windows
{

HelpWindow::HelpWindow(QWidget *owner, const QString &pagePath)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form3"));
    setModal(true);
    setFixedSize(platform::twipsRect(0, 0, 8040, 5235).size());
    const QImage skin = resources::image(resources::name::helpSkin);
    m_problem = platform::skinProblem(skin, resources::name::helpSkin);
    m_shape.apply(skin);

    // Bottom first: each element created later lies above the ones before it.
    auto *sheet = new platform::Picture(this, QStringLiteral("Image2"), 0, 0, 8040, 5235);
    sheet->setPicture(platform::SkinPixmap(resources::name::helpSkin));

    auto *strip = new platform::Picture(this, QStringLiteral("Image1"), 120, 3720, 7815, 1455);
    strip->setPicture(resources::pixmap(resources::name::helpStrip));

    auto *close = platform::makeCloseLabel(this, QStringLiteral("Label1"), 3720, 4320);
    connect(close, &platform::Label::clicked, this, &QDialog::accept);

    m_page = new QTextBrowser(this);
    m_page->setObjectName(QStringLiteral("WebBrowser1"));
    m_page->setAccessibleName(QStringLiteral("Help"));
    m_page->setGeometry(platform::twipsRect(360, 360, 7335, 3735));
    m_page->setOpenExternalLinks(true); // web addresses go to the desktop's browser
    m_page->setFrameShape(QFrame::NoFrame);
    if (QFileInfo(pagePath).isFile())
        m_page->setSource(QUrl::fromLocalFile(pagePath));

    if (owner && owner->screen())
        setScreen(owner->screen());
    platform::placeFromScreenCorner(this, platform::twipsRect(375, 375, 0, 0).topLeft());
}

} // namespace windows
