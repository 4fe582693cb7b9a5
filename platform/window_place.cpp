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

void centreOnScreen(QWidget *window)
{
    if (const QScreen *screen = screenOf(window)) {
        QRect frame = window->rect();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void placeFromScreenCorner(QWidget *window, QPoint offset)
{
    if (const QScreen *screen = screenOf(window))
        window->move(screen->geometry().topLeft() + offset);
}

} // namespace platform
