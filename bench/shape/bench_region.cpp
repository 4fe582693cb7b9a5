// Times RegionFromPicture on a skin of the help window's size: prints the median of many
// builds in milliseconds. With no argument it uses a jagged sheet drawn here; with the name
// of a built-in skin ("help_skin") it uses that one.
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{
QImage jaggedSheet(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QPainterPath sheet;
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    for (int i = 0; i < 90; ++i) {
        const double a = i * 2 * M_PI / 90;
        const double r = 0.42 + 0.05 * ((i * 7) % 5) / 4.0;
        const QPointF pt(c.x() + std::cos(a) * r * size.width(),
                         c.y() + std::sin(a) * r * size.height());
        i == 0 ? sheet.moveTo(pt) : sheet.lineTo(pt);
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(sheet, QColor(10, 10, 10));
    return image;
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    resources::init();
    QImage skin =
        argc > 1 ? resources::image(QString::fromLocal8Bit(argv[1])) : jaggedSheet(QSize(536, 349));
    if (skin.isNull()) {
        std::fprintf(stderr, "no skin named %s\n", argc > 1 ? argv[1] : "");
        return 1;
    }
    std::vector<double> ms;
    int rects = 0;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        const QRegion r = platform::RegionFromPicture(skin, qRgb(255, 255, 255));
        ms.push_back(t.nsecsElapsed() / 1e6);
        rects = r.rectCount();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("RegionFromPicture %dx%d: median %.3f ms (min %.3f, max %.3f), %d rectangles\n",
                skin.width(), skin.height(), ms[ms.size() / 2], ms.front(), ms.back(), rects);
    return 0;
}
