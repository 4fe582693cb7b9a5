#pragma once
// Picture files, the data tree's and the player's own: read by content, whatever the extension
// says, upright as the camera meant them, at the size they are shown, and cut into tiles.

#include <QList>
#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>

namespace platform
{

// A picture read from its file, or why it could not be.
struct LoadedPicture {
    QPixmap pixmap;
    QString problem; // for the player, naming the file; empty when the picture was read
    bool ok() const { return problem.isEmpty(); }
};

// Where a picture is shown: the device pixels it fills (invalid: its own size), and the
// columns and rows it is cut into afterwards.
struct Frame {
    QSize shownAt;
    QSize cells{1, 1};
};

// One file read once for several frames, each picture in the order of its frame.
struct LoadedPictures {
    QSize upright;          // the picture's own size as it stands upright
    QList<QPixmap> pixmaps; // one for each frame
    QString problem;
    bool ok() const { return problem.isEmpty(); }
};

// Reads the picture once and makes it for each frame: turned upright (its EXIF orientation),
// the pixels of the right and bottom edges that do not divide into the cells left out, the
// part core::centredCrop picks for the frame's proportions, resampled smoothly to the frame's
// size, transparent parts over white. A picture larger than the game can read without
// holding too much memory is refused from its header, before any pixel is read, with its size
// and the limit in the problem. `framesFor` is told the upright size and answers the frames;
// no frame at all, and only the header is read.
LoadedPictures loadPictures(const QString &path,
                            const std::function<QList<Frame>(QSize upright)> &framesFor);

// One frame, the same for any shape.
LoadedPicture loadPicture(const QString &path, QSize shownAt = {}, QSize cells = {1, 1});

// Reads without a message: a null image and the reason when the file cannot be read, when it
// is damaged (a JPEG or BMP that ends before its picture does is not taken half grey) or
// when it is too large.
QImage readPicture(const QString &path, QString *error = nullptr, QSize shownAt = {},
                   QSize cells = {1, 1});

// Cuts a picture into columns x rows equal cells, in reading order. When a side is not a
// multiple of the count, the cells take the integer quotient and the last few pixels of the
// right and bottom edges belong to no cell.
QList<QPixmap> cutIntoCells(const QPixmap &picture, int columns, int rows);

// The file names the game reads as pictures: the suffixes of the raster formats Qt reads.
bool hasPictureSuffix(const QString &fileName);
QStringList pictureSuffixes(); // lower case, without the dot

} // namespace platform
