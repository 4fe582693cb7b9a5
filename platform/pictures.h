#pragma once
// Pictures of the data tree: read by content, whatever the extension says, and cut into tiles.

#include <QList>
#include <QPixmap>
#include <QString>

namespace platform
{

// A picture read from the data tree, or why it could not be.
struct LoadedPicture {
    QPixmap pixmap;
    QString problem; // for the player, naming the file; empty when the picture was read
    bool ok() const { return problem.isEmpty(); }
};

// shownAt: the device pixels the picture fills on screen; a larger picture is read at that size.
// cells: the columns and rows it is cut into afterwards. It is read smaller only when its
// sides divide evenly, so that no cell takes in a part of the unused edge.
LoadedPicture loadPicture(const QString &path, QSize shownAt = {}, QSize cells = {1, 1});

// Reads without a message: a null image and the reason when the file cannot be read, or when
// it is damaged (a JPEG or BMP that ends before its picture does is not taken half grey).
QImage readPicture(const QString &path, QString *error = nullptr, QSize shownAt = {},
                   QSize cells = {1, 1});

// Why the bytes of a picture of this format and size are damaged; empty when they are whole.
QString pictureDamage(const QByteArray &bytes, const QByteArray &format, QSize size);

// Cuts a picture into columns x rows equal cells, in reading order. When a side is not a
// multiple of the count, the cells take the integer quotient and the last few pixels of the
// right and bottom edges belong to no cell.
QList<QPixmap> cutIntoCells(const QPixmap &picture, int columns, int rows);

} // namespace platform
