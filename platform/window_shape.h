#pragma once
// Borderless windows take the outline of their skin: every pure white pixel of the skin is
// cut out of the window, so the desktop shows through there and clicks pass.

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QRegion>
#include <QString>

class QWidget;

namespace platform
{

inline constexpr QRgb kSkinTransparent = 0xFFFFFF; // pure white, compared without alpha

// Exactly the pixels of the picture whose colour is not `transparent` (no tolerance).
QRegion RegionFromPicture(const QImage &picture, QRgb transparent);

// Why a skin cannot shape a window, for the player, naming it; empty when it can. A skin
// that is missing or pure white would leave the window rectangular or invisible.
QString skinProblem(const QImage &skin, const QString &name);

// Shapes a window to its skin (drawn at the window's top left) before it is first shown.
// The skin is the design-size picture, so the shape is in logical pixels; a null skin
// leaves the window rectangular.
void ShapeWindow(QWidget *window, const QImage &skin);

// Lets the player move a borderless window by one of its elements, as by a title bar:
// a press of the left button alone starts the move; any other button does nothing.
class WindowDragHandle : public QObject
{
public:
    WindowDragHandle(QWidget *handle, QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    bool m_movingByHand = false;
    QPoint m_grabOffset; // pointer position relative to the window's top-left
};

} // namespace platform
