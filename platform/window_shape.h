#pragma once
// Borderless windows take the outline of their skin: every pure white pixel of the skin is
// cut out of the window, so the desktop shows through there and clicks pass.

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QRegion>
#include <QString>
#include <QStringView>

class QWidget;

namespace platform
{

inline constexpr QRgb kSkinTransparent = 0xFFFFFF; // pure white, compared without alpha

// How a window system lets a window take a shape.
enum class Shaping {
    Mask,        // the window system cuts the window to its mask (X11); painting stays opaque
    Translucent, // the mask only limits input (Wayland); the window's own alpha draws the shape
};
Shaping shapingOf(QStringView platformName);
Shaping platformShaping(); // of the running application

// Exactly the pixels of the picture whose colour is not `transparent` (no tolerance).
QRegion RegionFromPicture(const QImage &picture, QRgb transparent);

// Why a skin cannot shape a window, for the player, naming it; empty when it can. A skin
// that is missing or pure white would leave the window rectangular or invisible.
QString skinProblem(const QImage &skin, const QString &name);
// The picture with alpha 0 exactly where its colour is `transparent`, every other pixel as it
// was (ARGB32, not premultiplied).
QImage CutToAlpha(const QImage &picture, QRgb transparent);

class ChildClipper;

// The shape of one window, held by the window (or by whoever shapes it), so that shaping it
// again changes what the first shaping set up.
class WindowShape
{
public:
    explicit WindowShape(QWidget *window) : m_window(window) {}

    // Shapes the window to its skin (drawn at the window's top left) before it is first
    // shown. The skin is the design-size picture, so the shape is in logical pixels; a null
    // skin leaves the window rectangular. With Translucent shaping the window also becomes a
    // translucent top level, and every child element, present or added later, is clipped to
    // the shape, so nothing is painted over the cut-away pixels.
    void apply(const QImage &skin);
    void apply(const QImage &skin, Shaping shaping);

private:
    QWidget *m_window;
    QPointer<ChildClipper> m_clipper; // a child of the window
};

// The built-in skin `name` as a shaped window paints it: with Translucent shaping its pure
// white pixels are transparent, with Mask shaping it is the picture as it is.
QPixmap SkinPixmap(const QString &name);
QPixmap SkinPixmap(const QString &name, Shaping shaping);

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
