#include "tests/support/program_tree.h"

#include <QBuffer>
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

QByteArray encodedPicture(const QImage &image, const char *format, int exifOrientation)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    if (exifOrientation == 0)
        return bytes;
    // APP1 after the start marker: "Exif", a big-endian TIFF header, one entry: orientation.
    QByteArray app1("\xff\xe1\0\x22"
                    "Exif\0\0MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\0\0\0\0\0\0\0",
                    36);
    app1[29] = char(exifOrientation);
    return bytes.left(2) + app1 + bytes.mid(2);
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace testing
