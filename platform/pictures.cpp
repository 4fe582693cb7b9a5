#include "platform/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

namespace platform
{

namespace
{

quint32 littleEndian32(const QByteArray &bytes, qsizetype at)
{
    if (bytes.size() < at + 4)
        return 0;
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

} // namespace

QString pictureDamage(const QByteArray &bytes, const QByteArray &format, QSize size)
{
    // Qt reads a JPEG or a BMP that ends too early as a whole picture, the missing part
    // grey or black; the file's own structure tells.
    if (format == "jpeg") {
        const qsizetype scan = bytes.lastIndexOf(QByteArrayView("\xFF\xDA"));
        const qsizetype end = bytes.lastIndexOf(QByteArrayView("\xFF\xD9"));
        if (scan < 0 || end < scan)
            return QStringLiteral("it is damaged: the file ends before the picture does");
    } else if (format == "bmp" && bytes.size() >= 34) {
        const quint32 pixelsAt = littleEndian32(bytes, 10);
        const quint32 headerSize = littleEndian32(bytes, 14);
        const quint32 compression = headerSize >= 40 ? littleEndian32(bytes, 30) : 0;
        const int bits = headerSize >= 40 ? uchar(bytes[28]) | (uchar(bytes[29]) << 8) : 24;
        // Only uncompressed rows have a size known in advance.
        if (compression == 0 || compression == 3) {
            const qint64 rowBytes = ((qint64(size.width()) * bits + 31) / 32) * 4;
            if (qint64(bytes.size()) < qint64(pixelsAt) + rowBytes * size.height())
                return QStringLiteral("it is damaged: the file ends before the picture does");
        }
    }
    return {};
}

QImage readPicture(const QString &path, QString *error, QSize shownAt, QSize cells)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QFileInfo::exists(path) ? file.errorString()
                                             : QStringLiteral("the file does not exist");
        return {};
    }
    const QByteArray bytes = file.readAll();
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QByteArray format = reader.format();
    const QSize stored = reader.size();
    // A picture larger than it is shown is read at the size it is shown (a JPEG then decodes
    // at a fraction of its size): faster, and it holds no memory for pixels never seen.
    if (shownAt.isValid() && stored.isValid() && shownAt.width() < stored.width() &&
        shownAt.height() < stored.height() && stored.width() % cells.width() == 0 &&
        stored.height() % cells.height() == 0)
        reader.setScaledSize(shownAt);
    QImage image = reader.read();
    if (image.isNull()) {
        if (error)
            *error = reader.errorString();
        return image;
    }
    const QString damage = pictureDamage(bytes, format, stored.isValid() ? stored : image.size());
    if (!damage.isEmpty()) {
        if (error)
            *error = damage;
        return {};
    }
    return image;
}

LoadedPicture loadPicture(const QString &path, QSize shownAt, QSize cells)
{
    QString why;
    const QImage image = readPicture(path, &why, shownAt, cells);
    if (image.isNull())
        return {{},
                QStringLiteral("The picture file \"%1\" could not be read (%2).").arg(path, why)};
    return {QPixmap::fromImage(image), {}};
}

QList<QPixmap> cutIntoCells(const QPixmap &picture, int columns, int rows)
{
    QList<QPixmap> cells;
    if (picture.isNull() || columns <= 0 || rows <= 0)
        return cells;
    const int w = picture.width() / columns;
    const int h = picture.height() / rows;
    for (int k = 0; k < columns * rows; ++k)
        cells << picture.copy((k % columns) * w, (k / columns) * h, w, h);
    return cells;
}

} // namespace platform
