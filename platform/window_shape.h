#pragma once
// Borderless windows take the outline of their skin: every pure white pixel of the skin is
// cut out of the window, so the desktop shows through there and clicks pass.

#include <QImage>
#include <QRegion>

class QWidget;

namespace platform {

// Exactly the pixels of the picture whose colour is not `transparent` (no tolerance).
QRegion RegionFromPicture(const QImage &picture, QRgb transparent);

// Shapes a window to its skin (drawn at the window's top left) before it is first shown.
void ShapeWindow(QWidget *window, const QImage &skin);

} // namespace platform
