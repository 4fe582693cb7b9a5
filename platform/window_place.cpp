#include "platform/window_place.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace platform
{

namespace
{
QScreen *screenOf(const QWidget *window)
{
    if (QScreen *screen = window->screen())
        return screen;
    return QGuiApplication::primaryScreen();
}
} // namespace

bool canPlaceWindows()
{
    return !QGuiApplication::platformName().startsWith(u"wayland");
}

void centreOnScreen(QWidget *window)
{
    if (!canPlaceWindows())
        return;
    if (const QScreen *screen = screenOf(window)) {
        QRect frame = window->rect();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void placeFromScreenCorner(QWidget *window, QPoint offset)
{
    if (!canPlaceWindows())
        return;
    if (const QScreen *screen = screenOf(window))
        window->move(screen->geometry().topLeft() + offset);
}

} // namespace platform
