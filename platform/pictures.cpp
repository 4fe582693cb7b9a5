#include "platform/pictures.h"

#include <QFileInfo>
#include <QImageReader>

namespace platform
{

QImage readPicture(const QString &path, QString *error)
{
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull() && error) {
        *error = QFileInfo::exists(path) ? reader.errorString()
                                         : QStringLiteral("the file does not exist");
    }
    return image;
}

LoadedPicture loadPicture(const QString &path)
{
    QString why;
    const QImage image = readPicture(path, &why);
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
