#include "platform/pictures.h"

#include "platform/services.h"

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

QPixmap loadPicture(const QString &path)
{
    QString why;
    const QImage image = readPicture(path, &why);
    if (image.isNull()) {
        const QString message =
            QStringLiteral("The picture file \"%1\" could not be read (%2).").arg(path, why);
        if (services().fatalError)
            services().fatalError(message);
        return QPixmap();
    }
    return QPixmap::fromImage(image);
}

QPixmap PictureClip::graphicCell(int k) const
{
    if (m_picture.isNull() || m_columns <= 0 || m_rows <= 0 || k < 0 || k >= cellCount())
        return QPixmap();
    const int w = m_picture.width() / m_columns;
    const int h = m_picture.height() / m_rows;
    return m_picture.copy((k % m_columns) * w, (k / m_columns) * h, w, h);
}

} // namespace platform
