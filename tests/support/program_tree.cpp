#include "tests/support/program_tree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPixmap>

namespace testing
{

QColor previewColour(int n)
{
    return QColor(QColor::fromHsv((n * 360 / 29) % 360, 200, 60 + n * 6).rgb());
}

ProgramTree::ProgramTree()
{
    for (int n = 1; n <= 28; ++n)
        writePreview(n);
    writeHelpPage(QStringLiteral("<h1>How to play</h1>"));
}

QString ProgramTree::previewPath(int n) const
{
    // The tree's first folder is spelled "Data"; the help page asks for "data".
    return m_dir.path() + QStringLiteral("/Data/Images/All/Level/") +
           (n <= 9 ? QStringLiteral("Easy") : QStringLiteral("Hard")) +
           QStringLiteral("/Pic/Prevw/%1.pic").arg(n);
}

void ProgramTree::writePreview(int n)
{
    const QString path = previewPath(n);
    QDir().mkpath(QFileInfo(path).path());
    QImage image(n <= 9 ? QSize(40, 30) : QSize(30, 40), QImage::Format_RGB32);
    image.fill(previewColour(n));
    image.save(path, "PNG"); // ".pic" says nothing: the reader goes by content
}

void ProgramTree::removePreview(int n)
{
    QFile::remove(previewPath(n));
}

void ProgramTree::writeHelpPage(const QString &body)
{
    QDir().mkpath(m_dir.path() + QStringLiteral("/Data/html"));
    QFile page(m_dir.path() + QStringLiteral("/Data/html/help.html"));
    if (page.open(QIODevice::WriteOnly | QIODevice::Truncate))
        page.write(
            (QStringLiteral("<html><body>") + body + QStringLiteral("</body></html>")).toUtf8());
}

void ProgramTree::removeHelpPage()
{
    QFile::remove(m_dir.path() + QStringLiteral("/Data/html/help.html"));
}

QColor centreColour(const QPixmap &picture)
{
    if (picture.isNull())
        return {};
    const QImage image = picture.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace testing
