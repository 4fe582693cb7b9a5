#pragma once
// Pictures of the data tree: read by content, whatever the extension says, and cut into tiles.

#include <QPixmap>
#include <QString>

namespace platform
{

// The picture at path, or a null picture after the fatal report that names the file.
// A caller that gets a null picture goes no further.
QPixmap loadPicture(const QString &path);

// Reads without reporting: a null image and the reason when the file cannot be read.
QImage readPicture(const QString &path, QString *error = nullptr);

// Cuts a picture into columns x rows equal cells, numbered from 0 in reading order.
// When a side is not a multiple of the count, the cells take the integer quotient and the
// last few pixels of the right and bottom edges belong to no cell.
class PictureClip
{
public:
    void setCols(int columns) { m_columns = columns; }
    void setRows(int rows) { m_rows = rows; }
    void setPicture(const QPixmap &picture) { m_picture = picture; }
    int cellCount() const { return m_columns * m_rows; }
    /* 0 <= k < cellCount() */
    QPixmap graphicCell(int k) const;

private:
    int m_columns = 1;
    int m_rows = 1;
    QPixmap m_picture;
};

} // namespace platform
