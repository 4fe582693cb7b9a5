#include "platform/pictures.h"

#include "core/picture_order.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace platform
{

namespace
{

constexpr qint64 kMegabyte = 1024 * 1024;
// What the pixels of one picture may take while it is read and resampled. The rest of the game
// stays under 60 MB at its peak, so no picture it accepts takes it past 250 MB.
constexpr qint64 kReadingBudget = 160 * kMegabyte;
// A JPEG is decoded at a fraction of its size and costs little memory, but every byte of it
// is still decoded: beyond this the player would wait for it.
constexpr qint64 kJpegPixels = 100'000'000;

quint32 littleEndian32(const QByteArray &bytes, qsizetype at)
{
    if (bytes.size() < at + 4)
        return 0;
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

const QString kEndsEarly = QStringLiteral("it is damaged: the file ends before the picture does");

// Why the bytes of a picture of this format and size are damaged; empty when they are whole.
// A JPEG comes whole, a BMP with at least its header; fileSize is the whole file's.
QString pictureDamage(const QByteArray &bytes, qint64 fileSize, const QByteArray &format,
                      QSize size)
{
    // Qt reads a JPEG or a BMP that ends too early as a whole picture, the missing part
    // grey or black; the file's own structure tells.
    if (format == "jpeg") {
        const qsizetype scan = bytes.lastIndexOf(QByteArrayView("\xFF\xDA"));
        const qsizetype end = bytes.lastIndexOf(QByteArrayView("\xFF\xD9"));
        if (scan < 0 || end < scan)
            return kEndsEarly;
    } else if (format == "bmp" && bytes.size() >= 34) {
        const quint32 pixelsAt = littleEndian32(bytes, 10);
        const quint32 headerSize = littleEndian32(bytes, 14);
        const quint32 compression = headerSize >= 40 ? littleEndian32(bytes, 30) : 0;
        const int bits = headerSize >= 40 ? uchar(bytes[28]) | (uchar(bytes[29]) << 8) : 24;
        // Only uncompressed rows have a size known in advance.
        if (compression == 0 || compression == 3) {
            const qint64 rowBytes = ((qint64(size.width()) * bits + 31) / 32) * 4;
            if (fileSize < qint64(pixelsAt) + rowBytes * size.height())
                return kEndsEarly;
        }
    }
    return {};
}

// A progressive JPEG holds every coefficient of the whole picture while it is decoded, two
// bytes each, however small it is decoded: that, per pixel, from its frame header. 0 for a
// sequential one, which is decoded a few rows at a time.
double progressiveJpegBytesPerPixel(const QByteArray &bytes)
{
    const auto byte = [&bytes](qsizetype at) { return at < bytes.size() ? uchar(bytes[at]) : 0; };
    qsizetype at = 2;
    while (at + 4 <= bytes.size()) {
        if (byte(at) != 0xFF)
            return 0;
        const uchar marker = byte(at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        const int length = (byte(at + 2) << 8) | byte(at + 3);
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            const bool progressive =
                marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
            const int components = byte(at + 9);
            int hMax = 1, vMax = 1, blocks = 0;
            for (int c = 0; c < components; ++c) {
                const uchar factors = byte(at + 11 + 3 * c);
                hMax = std::max(hMax, factors >> 4);
                vMax = std::max(vMax, factors & 15);
                blocks += (factors >> 4) * (factors & 15);
            }
            return progressive ? 2.0 * blocks / (hMax * vMax) : 0;
        }
        if (marker == 0xDA) // the scan began without a frame header
            return 0;
        at += 2 + length;
    }
    return 0;
}

// Memory per pixel to read a picture decoded whole into this format and to resample it.
double bytesPerPixel(const QByteArray &format, QImage::Format decoded)
{
    double bytes = 8; // unknown before it is read: as for a transparent picture
    switch (decoded) {
    case QImage::Format_Invalid:
        break;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBX8888:
    case QImage::Format_RGBA8888:
    case QImage::Format_RGBA8888_Premultiplied:
        bytes = 4; // resampled as they are, or turned premultiplied in place
        break;
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64:
    case QImage::Format_RGBA64_Premultiplied:
        bytes = 8;
        break;
    case QImage::Format_Grayscale16:
        bytes = 2 + 8;
        break;
    default: // copied into 32 bits to be resampled
        bytes = std::max(1, QImage::toPixelFormat(decoded).bitsPerPixel() / 8) + 4;
    }
    // A GIF keeps a second picture of its whole size to draw the next frame on.
    return format == "gif" ? 2 * bytes : bytes;
}

QString megapixels(double pixels)
{
    const double mp = pixels / 1e6;
    return QString::number(mp, 'f', mp < 10 ? 1 : 0);
}

// The pixels that are resampled in place of a format that cannot be, or has no view.
void makeResamplable(QImage &image)
{
    switch (image.format()) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32_Premultiplied:
    case QImage::Format_RGBX64:
    case QImage::Format_RGBA64_Premultiplied:
        return;
    case QImage::Format_RGBA64:
        image.convertTo(QImage::Format_RGBA64_Premultiplied); // in place
        return;
    default:
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                : QImage::Format_RGB32);
    }
}

// `area` of `image` without copying its pixels: the view lives no longer than the image.
QImage view(const QImage &image, const core::Area &area)
{
    const int bytes = image.depth() / 8;
    return QImage(image.constBits() + qsizetype(area.top) * image.bytesPerLine() +
                      qsizetype(area.left) * bytes,
                  area.width, area.height, image.bytesPerLine(), image.format());
}

// The picture for one frame (see loadPictures).
QImage fitted(const QImage &image, const Frame &frame)
{
    // The pixels left over when the sides do not divide into the cells belong to no cell.
    const QSize cells = frame.cells;
    const int width =
        image.width() - (image.width() >= cells.width() ? image.width() % cells.width() : 0);
    const int height =
        image.height() - (image.height() >= cells.height() ? image.height() % cells.height() : 0);
    const QSize to =
        frame.shownAt.isValid() && !frame.shownAt.isEmpty() ? frame.shownAt : QSize(width, height);
    const core::Area area = core::centredCrop(width, height, to.width(), to.height());
    QImage shown;
    if (image.size() == to)
        shown = image;
    else if (QSize(area.width, area.height) == to)
        shown = image.copy(area.left, area.top, area.width, area.height);
    else
        shown = view(image, area).scaled(to, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (!shown.hasAlphaChannel())
        return shown;
    QImage opaque(shown.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, shown);
    return opaque;
}

struct Read {
    QSize upright;
    QList<QImage> images;
    QString error;
};

Read read(const QString &path, const std::function<QList<Frame>(QSize)> &framesFor)
{
    Read result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QFileInfo::exists(path) ? file.errorString()
                                               : QStringLiteral("the file does not exist");
        return result;
    }
    if (file.size() == 0) {
        result.error = QStringLiteral("the file is empty");
        return result;
    }
    const QByteArray format = QImageReader::imageFormat(&file);
    if (format.isEmpty()) {
        result.error = QStringLiteral("it is not a picture the game can read");
        return result;
    }
    // A JPEG is held whole: its end tells whether it is complete, its frame header what it
    // costs to decode. Others are read from the file, only their header held.
    const QByteArray bytes = format == "jpeg" ? file.readAll() : file.peek(64);
    QBuffer buffer;
    QImageReader reader;
    if (format == "jpeg") {
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
    } else {
        reader.setDevice(&file);
    }
    reader.setFormat(format);
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid()) {
        result.error = reader.errorString();
        return result;
    }
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    result.upright = turned ? stored.transposed() : stored;

    const double pixels = double(stored.width()) * stored.height();
    const double progressive = format == "jpeg" ? progressiveJpegBytesPerPixel(bytes) : 0;
    const double costPerPixel =
        format == "jpeg" ? progressive : bytesPerPixel(format, reader.imageFormat());
    const double limit = costPerPixel > 0
                             ? std::min<double>(kJpegPixels, kReadingBudget / costPerPixel)
                             : double(kJpegPixels);
    if (pixels > limit) {
        const QString kind = progressive > 0 ? QStringLiteral("progressive JPEG")
                                             : QString::fromLatin1(format.toUpper());
        result.error = QStringLiteral("it is %1 x %2 pixels (%3 megapixels), more than the %4 "
                                      "megapixels the game reads of a %5 picture like it")
                           .arg(result.upright.width())
                           .arg(result.upright.height())
                           .arg(megapixels(pixels), megapixels(limit), kind);
        return result;
    }

    const QList<Frame> frames = framesFor(result.upright);
    if (frames.isEmpty()) // the header was all that was asked
        return result;
    // A JPEG decodes straight at a fraction of its size: the smallest that still fills every
    // frame, or exactly the one frame's size when that frame shows it whole.
    if (format == "jpeg" && !frames.isEmpty()) {
        double scale = 0;
        bool whole = frames.size() == 1;
        for (const Frame &frame : frames) {
            if (!frame.shownAt.isValid() || frame.shownAt.isEmpty()) {
                scale = 1;
                break;
            }
            const int w = result.upright.width(), h = result.upright.height();
            const core::Area area =
                core::centredCrop(w - w % frame.cells.width(), h - h % frame.cells.height(),
                                  frame.shownAt.width(), frame.shownAt.height());
            whole = whole && area == core::Area{0, 0, w, h};
            scale = std::max({scale, double(frame.shownAt.width()) / area.width,
                              double(frame.shownAt.height()) / area.height});
        }
        if (scale < 1) {
            const QSize upright = whole ? frames.first().shownAt
                                        : QSize(int(std::ceil(result.upright.width() * scale)),
                                                int(std::ceil(result.upright.height() * scale)));
            reader.setScaledSize(turned ? upright.transposed() : upright);
        }
    }
    reader.setAllocationLimit(int(kReadingBudget / kMegabyte));
    QImage image = reader.read();
    if (image.isNull()) {
        result.error = reader.errorString();
        return result;
    }
    if (const QString damage = pictureDamage(bytes, file.size(), format, stored);
        !damage.isEmpty()) {
        result.error = damage;
        return result;
    }
    makeResamplable(image);
    for (const Frame &frame : frames)
        result.images << fitted(image, frame);
    return result;
}

QString problemOf(const QString &path, const QString &why)
{
    return QStringLiteral("The picture file \"%1\" could not be read (%2).").arg(path, why);
}

} // namespace

LoadedPictures loadPictures(const QString &path,
                            const std::function<QList<Frame>(QSize upright)> &framesFor)
{
    const Read r = read(path, framesFor);
    if (!r.error.isEmpty())
        return {r.upright, {}, problemOf(path, r.error)};
    LoadedPictures loaded{r.upright, {}, {}};
    for (const QImage &image : r.images)
        loaded.pixmaps << QPixmap::fromImage(image);
    return loaded;
}

QImage readPicture(const QString &path, QString *error, QSize shownAt, QSize cells)
{
    const Read r = read(path, [&](QSize) { return QList<Frame>{{shownAt, cells}}; });
    if (!r.error.isEmpty()) {
        if (error)
            *error = r.error;
        return {};
    }
    return r.images.value(0);
}

LoadedPicture loadPicture(const QString &path, QSize shownAt, QSize cells)
{
    QString why;
    const QImage image = readPicture(path, &why, shownAt, cells);
    if (image.isNull())
        return {{}, problemOf(path, why)};
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

QStringList pictureSuffixes()
{
    static const QStringList suffixes = [] {
        QStringList list;
        for (const QByteArray &format : QImageReader::supportedImageFormats()) {
            // Drawings, not pictures of pixels: they have no size of their own to crop.
            if (format != "svg" && format != "svgz" && format != "pdf")
                list << QString::fromLatin1(format).toLower();
        }
        return list;
    }();
    return suffixes;
}

bool hasPictureSuffix(const QString &fileName)
{
    return pictureSuffixes().contains(QFileInfo(fileName).suffix().toLower());
}

} // namespace platform
