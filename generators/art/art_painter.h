#pragma once
// Draws every picture the windows carry (skins, backgrounds, icons, cursors, banners) from
// code, at any whole scale of its design size. The build runs it once for 1x and once for 2x.

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

namespace art
{

/* the design size in pixels of a picture this painter knows; an invalid size otherwise */
QSize designSize(const QString &name);

// Every picture the painter knows, in a stable order.
QList<QString> names();

/* scale >= 1; the picture at scale times its design size, null for an unknown name */
QImage render(const QString &name, int scale);

// The skins' shapes at design size: true where the window keeps its pixel. The skins
// themselves are drawn from these, so a skin at any scale has exactly this shape.
QImage skinShape(const QString &name); // Format_Grayscale8, 255 kept, 0 cut away

// All pictures laid out on one sheet with their names, for looking at them together.
QImage contactSheet();

} // namespace art
