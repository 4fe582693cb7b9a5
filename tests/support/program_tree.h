#pragma once
// A small program directory of the test's own: one-colour preview pictures whose colour
// tells the picture number, and a help page.

#include <QColor>
#include <QString>
#include <QTemporaryDir>

namespace testing
{

// The colour of preview picture n, distinct for every n in 1 .. 28.
QColor previewColour(int n);

class ProgramTree
{
public:
    ProgramTree();
    QString dir() const { return m_dir.path(); }
    void writePreview(int n); // in the folder of n's level
    void removePreview(int n);
    void writeHelpPage(const QString &body);
    void removeHelpPage();

private:
    QString previewPath(int n) const;
    QTemporaryDir m_dir;
};

// The colour in the middle of a picture (null colour for a null picture).
QColor centreColour(const class QPixmap &picture);

// A picture's file bytes in `format`; a JPEG with an EXIF orientation when one is given.
QByteArray encodedPicture(const class QImage &image, const char *format, int exifOrientation = 0);

// Writes bytes to a file; true when all were written.
bool writeFile(const QString &path, const QByteArray &bytes);

} // namespace testing
