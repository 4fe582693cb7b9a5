// The Hard pictures: tall views, painted on a portrait canvas.

#include "generators/pictures/canvas.h"
#include "generators/pictures/scenes.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

namespace pictures
{

namespace
{

QPointF polar(double angle, double radius)
{
    return {std::cos(angle) * radius, std::sin(angle) * radius};
}

// A pointed leaf from base towards tip, with its midrib.
void leaf(QPainter &p, QPointF base, QPointF tip, double width, const QColor &colour)
{
    const QPointF axis = tip - base;
    const QPointF normal(-axis.y(), axis.x());
    const double len = std::hypot(axis.x(), axis.y());
    const QPointF n = normal / std::max(len, 1.0) * width;
    QPainterPath path;
    path.moveTo(base);
    path.cubicTo(base + axis * 0.25 + n, base + axis * 0.7 + n * 0.8, tip);
    path.cubicTo(base + axis * 0.7 - n * 0.8, base + axis * 0.25 - n, base);
    QLinearGradient g(base + n, base - n);
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(1, colour.darker(135));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(path);
    p.setPen(pen(colour.lighter(150), std::max(1.0, width * 0.08)));
    p.drawLine(base, base + axis * 0.92);
    p.setPen(Qt::NoPen);
}

// Soft puffs (smoke, mist, steam), brighter in the middle.
void puff(QPainter &p, QPointF c, double r, const QColor &colour)
{
    QRadialGradient g(c, r);
    g.setColorAt(0, colour);
    g.setColorAt(1, withAlpha(colour, 0));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

} // namespace

// 10: a striped lighthouse on a cliff at sunset.
void lighthouse(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.56);
    Rng rng(110);
    const QPointF sun(w * 0.28, horizon - h * 0.03);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon + 2),
                         {QColor(36, 46, 106), QColor(120, 70, 130), QColor(236, 120, 100),
                          QColor(255, 190, 110), QColor(255, 226, 160)});
        glow(p, sun, w * 0.7, QColor(255, 200, 130, 200));
        p.setBrush(QColor(255, 244, 210));
        p.drawEllipse(sun, w * 0.07, w * 0.07);
    }
    clouds(img, {QRectF(0, h * 0.02, w, horizon * 0.9), QColor(255, 176, 130), QColor(90, 50, 110),
                 0.5f, 260.f, 45.f, 0.9f, 111});
    mirrorWater(img, {horizon, 7.f, QColor(40, 40, 90), 0.5f, 0.2f, 112});
    Painter p(&img);
    for (int i = 0; i < 420; ++i) {
        const double y = horizon + std::pow(rng.next(), 1.5) * (h - horizon);
        const double spread = w * 0.02 + (y - horizon) * 0.3;
        const double x = sun.x() + rng.range(-1, 1) * spread * rng.next();
        p.setBrush(QColor(255, 220, 160, int(rng.range(50, 210))));
        p.drawRect(QRectF(x, y, rng.range(8, 30), rng.range(1.5, 3)));
    }
    // The cliff on the right.
    QPainterPath cliff;
    cliff.moveTo(w * 0.4, h + 2);
    cliff.cubicTo(w * 0.46, h * 0.86, w * 0.48, h * 0.7, w * 0.56, h * 0.62);
    cliff.cubicTo(w * 0.7, h * 0.56, w * 0.85, h * 0.6, w + 2, h * 0.57);
    cliff.lineTo(w + 2, h + 2);
    cliff.closeSubpath();
    QLinearGradient rock(w * 0.4, 0, w, 0);
    rock.setColorAt(0, QColor(70, 50, 60));
    rock.setColorAt(0.3, QColor(150, 90, 70));
    rock.setColorAt(1, QColor(90, 60, 60));
    p.fillPath(cliff, rock);
    p.save();
    p.setClipPath(cliff);
    p.setPen(pen(QColor(60, 36, 40, 150), 2.5));
    for (int i = 0; i < 30; ++i) {
        const double y = h * 0.62 + i * h * 0.014;
        QPainterPath stratum;
        stratum.moveTo(w * 0.4, y);
        for (double x = w * 0.4; x < w; x += 20)
            stratum.lineTo(x, y + 12 * std::sin(x * 0.02 + i) + rng.range(-3, 3));
        p.drawPath(stratum);
    }
    p.setPen(Qt::NoPen);
    // Grass along the top.
    QPainterPath turf;
    turf.moveTo(w * 0.54, h * 0.63);
    turf.cubicTo(w * 0.7, h * 0.55, w * 0.85, h * 0.595, w + 2, h * 0.565);
    turf.lineTo(w + 2, h * 0.6);
    turf.cubicTo(w * 0.85, h * 0.63, w * 0.7, h * 0.6, w * 0.54, h * 0.66);
    turf.closeSubpath();
    p.fillPath(turf, QColor(90, 120, 50));
    p.restore();
    // The lighthouse, red and white, tapering upwards.
    const double baseY = h * 0.595, topY = h * 0.22, cx = w * 0.76;
    QPolygonF tower;
    tower << QPointF(cx - 52, baseY) << QPointF(cx + 52, baseY) << QPointF(cx + 34, topY)
          << QPointF(cx - 34, topY);
    p.save();
    QPainterPath towerPath;
    towerPath.addPolygon(tower);
    p.setClipPath(towerPath);
    for (int i = 0; i < 6; ++i) {
        const double y0 = topY + (baseY - topY) * i / 6.0;
        p.setBrush(i % 2 ? QColor(245, 235, 225) : QColor(200, 40, 40));
        p.drawRect(QRectF(cx - 60, y0, 120, (baseY - topY) / 6.0 + 1));
    }
    QLinearGradient shade(cx - 52, 0, cx + 52, 0);
    shade.setColorAt(0, QColor(255, 220, 180, 60));
    shade.setColorAt(0.5, QColor(0, 0, 0, 0));
    shade.setColorAt(1, QColor(30, 0, 40, 130));
    p.fillRect(QRectF(cx - 60, topY, 120, baseY - topY), shade);
    p.restore();
    p.setBrush(QColor(40, 30, 40));
    p.drawRect(QRectF(cx - 46, topY - 8, 92, 10));
    p.drawRect(QRectF(cx - 4, baseY - 44, 10, 40));
    // Lamp room, lit, and its beams across the dusk.
    glow(p, {cx, topY - 34}, 120, QColor(255, 240, 180, 200));
    p.setBrush(QColor(255, 246, 200));
    p.drawRect(QRectF(cx - 24, topY - 52, 48, 44));
    p.setBrush(QColor(40, 30, 40));
    QPolygonF cap;
    cap << QPointF(cx - 32, topY - 52) << QPointF(cx, topY - 84) << QPointF(cx + 32, topY - 52);
    p.drawPolygon(cap);
    for (const double a : {M_PI * 1.04, M_PI * 1.96}) {
        QPolygonF beam;
        const QPointF lamp(cx, topY - 30);
        beam << lamp << lamp + polar(a - 0.06, w) << lamp + polar(a + 0.06, w);
        QRadialGradient bg(lamp, w);
        bg.setColorAt(0, QColor(255, 250, 210, 130));
        bg.setColorAt(1, QColor(255, 250, 210, 0));
        p.setBrush(bg);
        p.drawPolygon(beam);
    }
    // Surf at the foot of the cliff and rocks in front.
    for (int i = 0; i < 80; ++i) {
        const double t = rng.next();
        const QPointF c(w * (0.42 + t * 0.14) + rng.range(-20, 20), h * (0.98 - t * 0.3));
        puff(p, c, rng.range(10, 30), QColor(255, 240, 230, 150));
    }
    for (int i = 0; i < 5; ++i) {
        const QPointF c(rng.range(0.02, 0.3) * w, h * rng.range(0.9, 1.0));
        const double r = rng.range(30, 70);
        QRadialGradient rg(c - QPointF(r * 0.3, r * 0.5), r * 1.3);
        rg.setColorAt(0, QColor(120, 80, 90));
        rg.setColorAt(1, QColor(30, 20, 36));
        p.setBrush(rg);
        p.drawEllipse(c, r, r * 0.55);
    }
    // Gulls.
    p.setPen(pen(QColor(40, 30, 50), 2.2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 7; ++i) {
        const QPointF g(rng.range(0.05, 0.6) * w, rng.range(0.08, 0.4) * h);
        const double s = rng.range(7, 15);
        QPainterPath gull;
        gull.moveTo(g + QPointF(-s, -s * 0.3));
        gull.quadTo(g + QPointF(-s * 0.5, -s * 0.6), g);
        gull.quadTo(g + QPointF(s * 0.5, -s * 0.6), g + QPointF(s, -s * 0.3));
        p.drawPath(gull);
    }
    p.end();
    texture(img, 0.04f, 0.018f, 113);
}

// 11: a pointed stained-glass window with a rose, set in a stone wall.
void stainedGlass(QImage &img)
{
    const double w = img.width(), h = img.height();
    const QRectF arch(w * 0.1, h * 0.05, w * 0.8, h * 0.9);
    QPainterPath window;
    {
        const double springY = arch.top() + arch.width() * 0.9;
        window.moveTo(arch.left(), arch.bottom());
        window.lineTo(arch.left(), springY);
        window.quadTo(arch.left(), arch.top() + arch.width() * 0.2, arch.center().x(), arch.top());
        window.quadTo(arch.right(), arch.top() + arch.width() * 0.2, arch.right(), springY);
        window.lineTo(arch.right(), arch.bottom());
        window.closeSubpath();
    }
    const QPointF rose(w * 0.5, h * 0.3);
    const double roseR = w * 0.3;
    // Stone wall: courses of blocks with mortar.
    forEachPixel(img, [&](int x, int y, QRgb) {
        const int course = y / 48;
        const int bx = (x + (course % 2) * 40) / 80;
        const bool mortar = (y % 48) < 4 || ((x + (course % 2) * 40) % 80) < 4;
        const float n = fbm(float(x) / 30.f, float(y) / 30.f, 121, 4);
        const float tone = 0.75f + 0.25f * float((bx * 7 + course * 13) % 5) / 4.f;
        const int v = int((90 + 80 * n) * tone);
        return mortar ? qRgb(50, 46, 44) : qRgb(v + 10, v, v - 14);
    });
    // Glass: cells of a jittered grid; each cell's colour comes from the design at its centre.
    const double cell = 34;
    const auto seedOf = [&](int i, int j) {
        return QPointF((i + 0.2 + 0.6 * valueNoise(float(i) * 7.1f, float(j) * 3.3f, 122)) * cell,
                       (j + 0.2 + 0.6 * valueNoise(float(i) * 5.3f, float(j) * 9.7f, 123)) * cell);
    };
    const auto design = [&](QPointF c) -> QColor {
        const QPointF d = c - rose;
        const double r = std::hypot(d.x(), d.y()) / roseR;
        const double a = std::atan2(d.y(), d.x());
        if (r < 0.18)
            return QColor(250, 200, 60);
        if (r < 1.0) {
            const int petal = int(std::floor((a + M_PI) / (2 * M_PI) * 12));
            const double inPetal = std::fmod((a + M_PI) / (2 * M_PI) * 12, 1.0);
            if (r < 0.55)
                return petal % 2 ? QColor(200, 30, 50) : QColor(240, 120, 40);
            if (std::abs(inPetal - 0.5) < 0.5 - r * 0.3)
                return palette({QColor(40, 70, 190), QColor(120, 40, 170), QColor(30, 140, 160)},
                               double(petal % 3) / 2.0);
            return QColor(230, 190, 70);
        }
        // Below the rose: a tree of life on a deep ground that turns from blue to violet.
        const double t = (c.y() - (rose.y() + roseR)) / (arch.bottom() - rose.y() - roseR);
        const double trunkX = w * 0.5 + std::sin(t * 5) * w * 0.03;
        if (std::abs(c.x() - trunkX) < w * (0.03 + 0.05 * t * t) && t > 0.25)
            return QColor(140, 80, 40);
        const double bx = (c.x() - w * 0.5) / (w * 0.4);
        const double by = (t - 0.35) / 0.3;
        if (bx * bx + by * by < 1.0 && t < 0.7)
            return palette({QColor(40, 150, 60), QColor(120, 190, 50), QColor(20, 110, 70)},
                           valueNoise(float(c.x() / 60), float(c.y() / 60), 124));
        if (t > 0.85)
            return QColor(60, 140, 60);
        return palette({QColor(30, 60, 170), QColor(70, 40, 150), QColor(150, 40, 120)}, t);
    };
    const int cols = int(w / cell) + 2, rows = int(h / cell) + 2;
    std::vector<QPointF> seeds(size_t(cols * rows));
    std::vector<QRgb> glass(size_t(cols * rows));
    Rng rng(125);
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            const QPointF s = seedOf(i, j);
            seeds[size_t(j * cols + i)] = s;
            QColor c = design(s);
            const double v = rng.range(0.8, 1.2);
            c = QColor::fromRgbF(float(std::min(1.0, c.redF() * v)),
                                 float(std::min(1.0, c.greenF() * v)),
                                 float(std::min(1.0, c.blueF() * v)));
            glass[size_t(j * cols + i)] = c.rgb();
        }
    const QImage mask = [&] {
        QImage m(img.size(), QImage::Format_Grayscale8);
        m.fill(0);
        QPainter mp(&m);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.fillPath(window, Qt::white);
        return m;
    }();
    forEachPixel(img, [&](int x, int y, QRgb px) {
        if (mask.constScanLine(y)[x] < 128)
            return px;
        const int ci = int(x / cell), cj = int(y / cell);
        double d1 = 1e9, d2 = 1e9;
        int best = 0;
        for (int j = std::max(cj - 1, 0); j <= std::min(cj + 1, rows - 1); ++j)
            for (int i = std::max(ci - 1, 0); i <= std::min(ci + 1, cols - 1); ++i) {
                const QPointF s = seeds[size_t(j * cols + i)];
                const double d = std::hypot(s.x() - x, s.y() - y);
                if (d < d1) {
                    d2 = d1;
                    d1 = d;
                    best = j * cols + i;
                } else if (d < d2) {
                    d2 = d;
                }
            }
        if (d2 - d1 < 3.0)
            return qRgb(24, 22, 26); // lead came
        // Light shines through the middle of each pane; old glass is uneven.
        const float ripple = fbm(float(x) / 14.f, float(y) / 14.f, 126, 2);
        const float shine = float(std::min(1.0, (d2 - d1) / 20.0)) * 0.25f + ripple * 0.2f;
        const float light =
            0.35f +
            0.65f * float(1.0 - std::min(1.0, std::hypot(x - w * 0.5, y - h * 0.4) / (h * 0.8)));
        QRgb c = glass[size_t(best)];
        c = qRgb(int(qRed(c) * light), int(qGreen(c) * light), int(qBlue(c) * light));
        return mixRgb(c, qRgb(255, 255, 240), shine * 0.6f);
    });
    Painter p(&img);
    // Stone tracery: the arch's frame, the rose's rings and the mullions below it.
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(120, 110, 100), 16));
    p.drawPath(window);
    p.setPen(pen(QColor(150, 140, 126), 10));
    p.drawEllipse(rose, roseR, roseR);
    p.drawEllipse(rose, roseR * 0.55, roseR * 0.55);
    p.drawEllipse(rose, roseR * 0.18, roseR * 0.18);
    for (int i = 0; i < 12; ++i) {
        const double a = -M_PI + (i + 0.0) * M_PI / 6;
        p.drawLine(rose + polar(a, roseR * 0.18), rose + polar(a, roseR * 0.55));
    }
    p.setPen(pen(QColor(150, 140, 126), 9));
    p.drawLine(QPointF(w * 0.37, rose.y() + roseR + 10), QPointF(w * 0.37, arch.bottom()));
    p.drawLine(QPointF(w * 0.63, rose.y() + roseR + 10), QPointF(w * 0.63, arch.bottom()));
    p.drawLine(QPointF(arch.left(), h * 0.8), QPointF(arch.right(), h * 0.8));
    // The sill.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 120, 108));
    p.drawRect(QRectF(arch.left() - 20, arch.bottom() - 4, arch.width() + 40, 22));
    p.end();
    texture(img, 0.03f, 0.016f, 127);
}

namespace
{
// A hot-air balloon: coloured gores, a band, shading, ropes and basket.
void balloon(QPainter &p, QPointF c, double r, const std::vector<QColor> &gores, Rng &rng)
{
    QPainterPath env;
    env.moveTo(c + QPointF(0, r * 1.25));
    env.cubicTo(c + QPointF(r * 0.5, r * 1.0), c + QPointF(r * 1.05, r * 0.45),
                c + QPointF(r, -r * 0.1));
    env.cubicTo(c + QPointF(r * 0.95, -r * 0.9), c + QPointF(r * 0.4, -r * 1.05),
                c + QPointF(0, -r * 1.05));
    env.cubicTo(c + QPointF(-r * 0.4, -r * 1.05), c + QPointF(-r * 0.95, -r * 0.9),
                c + QPointF(-r, -r * 0.1));
    env.cubicTo(c + QPointF(-r * 1.05, r * 0.45), c + QPointF(-r * 0.5, r * 1.0),
                c + QPointF(0, r * 1.25));
    p.save();
    p.setClipPath(env);
    const int n = 12;
    for (int i = 0; i < n; ++i) {
        // Gores bulge with the envelope: their edges are arcs of x = r sin(phi).
        const double a0 = -M_PI / 2 + M_PI * i / n, a1 = -M_PI / 2 + M_PI * (i + 1) / n;
        QPolygonF gore;
        for (double y = -1.1; y <= 1.3; y += 0.05)
            gore << c + QPointF(std::sin(a0) * r * 1.1 *
                                    std::sqrt(std::max(0.0, 1.2 - y * y * 0.7)),
                                y * r);
        for (double y = 1.3; y >= -1.1; y -= 0.05)
            gore << c + QPointF(std::sin(a1) * r * 1.1 *
                                    std::sqrt(std::max(0.0, 1.2 - y * y * 0.7)),
                                y * r);
        p.setBrush(gores[size_t(i) % gores.size()]);
        p.drawPolygon(gore);
    }
    p.setBrush(gores[size_t(rng.below(int(gores.size())))].lighter(130));
    p.drawRect(QRectF(c.x() - r * 1.2, c.y() + r * 0.15, r * 2.4, r * 0.14));
    QRadialGradient shade(c + QPointF(-r * 0.4, -r * 0.5), r * 1.9);
    shade.setColorAt(0, QColor(255, 255, 255, 90));
    shade.setColorAt(0.45, QColor(255, 255, 255, 0));
    shade.setColorAt(1, QColor(20, 0, 40, 150));
    p.fillRect(QRectF(c.x() - r * 1.2, c.y() - r * 1.2, r * 2.4, r * 2.6), shade);
    p.restore();
    p.setPen(pen(QColor(70, 50, 40), std::max(1.0, r * 0.015)));
    const QPointF bl = c + QPointF(-r * 0.14, r * 1.55), br = c + QPointF(r * 0.14, r * 1.55);
    p.drawLine(c + QPointF(-r * 0.2, r * 1.15), bl);
    p.drawLine(c + QPointF(r * 0.2, r * 1.15), br);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(130, 86, 50));
    p.drawRect(QRectF(bl.x(), bl.y(), r * 0.28, r * 0.2));
    p.setBrush(QColor(90, 60, 36));
    p.drawRect(QRectF(bl.x(), bl.y(), r * 0.28, r * 0.04));
}
} // namespace

// 12: hot-air balloons drifting over a valley at sunrise.
void balloons(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(130);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h),
                         {QColor(90, 150, 220), QColor(160, 200, 236), QColor(250, 220, 190),
                          QColor(250, 200, 160)});
        glow(p, {w * 0.8, h * 0.66}, w * 0.7, QColor(255, 230, 180, 200));
    }
    clouds(img, {QRectF(0, 0, w, h * 0.6), QColor(255, 250, 245), QColor(180, 170, 200), 0.55f,
                 220.f, 70.f, 0.85f, 131});
    Painter p(&img);
    // Hills and the valley's fields, in layers of morning mist.
    for (int layer = 0; layer < 4; ++layer) {
        const double base = h * (0.72 + 0.07 * layer);
        const auto crest = [&](double x) {
            return base - h * 0.05 * double(fbm(float(x / (w * 0.3)), float(layer) * 3.f, 132, 4)) -
                   h * 0.03 * std::sin(x / w * 3 + layer);
        };
        const QColor green = mix(QColor(60, 110, 60), QColor(190, 190, 200), 0.6 - layer * 0.2);
        QLinearGradient g(0, base - h * 0.06, 0, base + h * 0.1);
        g.setColorAt(0, green.lighter(115));
        g.setColorAt(1, green.darker(120));
        p.fillPath(ridge(w, h, crest), g);
        if (layer >= 2) {
            for (int i = 0; i < 12 + layer * 6; ++i) {
                const double x = rng.next() * w;
                leafyCrown(p, QPointF(x, crest(x) + 8), rng.range(8, 16) * layer, green.darker(120),
                           rng, 10);
            }
        }
        if (layer == 2) {
            // A winding river catches the light.
            QPainterPath river;
            river.moveTo(-10, base + 30);
            river.cubicTo(w * 0.3, base + 10, w * 0.5, base + 60, w + 10, base + 20);
            p.setPen(pen(QColor(230, 220, 200), 10));
            p.setBrush(Qt::NoBrush);
            p.drawPath(river);
            p.setPen(Qt::NoPen);
        }
    }
    const std::vector<std::vector<QColor>> schemes = {
        {QColor(250, 150, 40), QColor(30, 130, 140)},
        {QColor(230, 40, 40), QColor(250, 200, 40)},
        {QColor(40, 90, 200), QColor(250, 250, 250), QColor(40, 170, 90)},
        {QColor(250, 130, 30), QColor(140, 40, 160)},
        {QColor(240, 80, 140), QColor(250, 220, 230)},
        {QColor(30, 160, 180), QColor(250, 210, 60), QColor(230, 60, 50)},
        {QColor(120, 200, 60), QColor(30, 80, 60)},
        {QColor(250, 240, 60), QColor(40, 40, 120)},
        {QColor(200, 40, 60), QColor(240, 240, 240), QColor(40, 60, 160)}};
    struct Spot {
        double x, y, r;
    };
    // The farthest one rides high in the open sky between the others.
    const Spot spots[] = {{0.5, 0.09, 22},  {0.15, 0.62, 18}, {0.86, 0.52, 24},
                          {0.55, 0.58, 30}, {0.3, 0.36, 44},  {0.8, 0.2, 56},
                          {0.18, 0.12, 66}, {0.62, 0.38, 90}, {0.28, 0.7, 130}};
    for (size_t i = 0; i < std::size(spots); ++i)
        balloon(p, QPointF(spots[i].x * w, spots[i].y * h), spots[i].r * w / 640, schemes[i], rng);
    p.end();
    texture(img, 0.04f, 0.016f, 133);
}

// 13: a waterfall dropping into a jungle pool.
void waterfall(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(140);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.3),
                         {QColor(150, 200, 230), QColor(220, 236, 230)});
    }
    // Cliffs of wet rock on both sides, cut by ledges.
    const auto fallLeft = [&](double y) { return w * (0.36 - 0.06 * y / h); };
    const auto fallRight = [&](double y) { return w * (0.6 + 0.08 * y / h); };
    forEachPixelRows(img, int(h * 0.06), int(h), [&](int x, int y, QRgb px) {
        const double top = h * 0.12 + h * 0.08 * std::sin(x / w * 6) * (x < w * 0.5 ? 1 : -0.6);
        if (y < top)
            return px;
        const float n = fbm(float(x) / 40.f, float(y) / 22.f, 141, 5);
        const float strata = 0.5f + 0.5f * std::sin(float(y) * 0.06f + n * 6.f);
        const float wet = ridged(float(x) / 60.f, float(y) / 90.f, 142, 3);
        const int v = int(50 + 70 * n + 25 * strata);
        QRgb c = qRgb(v, v - 8 + int(20 * wet), v - 14);
        // Moss on the ledges.
        if (strata > 0.82f)
            c = mixRgb(c, qRgb(70, 120, 40), (strata - 0.82f) * 4.f);
        return c;
    });
    // The falling water: streaks that race downwards, whiter where they break.
    forEachPixelRows(img, int(h * 0.1), int(h * 0.84), [&](int x, int y, QRgb px) {
        const double l = fallLeft(y), r = fallRight(y);
        const double edge = 8 + 30 * double(fbm(float(y) / 40.f, 3.f, 143, 3));
        if (x < l - edge || x > r + edge)
            return px;
        const double inside = std::min(x - (l - edge), (r + edge) - x) / edge;
        const float streak = fbm(float(x) / 3.f, float(y) / 140.f, 144, 4);
        const float foam = fbm(float(x) / 20.f, float(y) / 20.f, 145, 3);
        const QRgb water = mixRgb(qRgb(120, 170, 190), qRgb(250, 252, 255),
                                  smoothstep(0.35f, 0.7f, streak) * 0.8f + foam * 0.3f);
        return mixRgb(px, water, float(std::min(1.0, inside)));
    });
    Painter p(&img);
    // The pool: green water, rings and a bank of mist where the water lands.
    QPainterPath pool;
    pool.moveTo(0, h * 0.84);
    pool.cubicTo(w * 0.3, h * 0.8, w * 0.7, h * 0.82, w, h * 0.83);
    pool.lineTo(w, h);
    pool.lineTo(0, h);
    pool.closeSubpath();
    QLinearGradient pg(0, h * 0.8, 0, h);
    pg.setColorAt(0, QColor(90, 170, 160));
    pg.setColorAt(1, QColor(20, 80, 80));
    p.fillPath(pool, pg);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 14; ++i) {
        p.setPen(pen(QColor(220, 250, 240, 120 - i * 7), 2));
        p.drawEllipse(QPointF(w * 0.52, h * 0.86), 40.0 + i * 34, 8.0 + i * 7);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i)
        puff(p, QPointF(w * 0.5 + rng.range(-0.25, 0.25) * w, h * 0.84 + rng.range(-40, 20)),
             rng.range(30, 70), QColor(255, 255, 255, 70));
    // Jungle leaves framing both sides and the bottom.
    const QColor greens[] = {QColor(40, 110, 40), QColor(70, 150, 50), QColor(30, 90, 50),
                             QColor(100, 170, 60), QColor(50, 130, 80)};
    for (int i = 0; i < 90; ++i) {
        const bool left = i % 2 == 0;
        const double y = rng.range(0.05, 1.0) * h;
        const double x = left ? rng.range(-0.05, 0.22) * w : rng.range(0.78, 1.05) * w;
        const double len = rng.range(60, 150);
        const double a = (left ? 0 : M_PI) + rng.range(-0.8, 0.8);
        leaf(p, QPointF(x, y), QPointF(x, y) + polar(a, len), len * 0.22, greens[rng.below(5)]);
    }
    for (int i = 0; i < 30; ++i) {
        const double x = rng.next() * w;
        const double len = rng.range(60, 130);
        leaf(p, QPointF(x, h + 10),
             QPointF(x, h + 10) + polar(-M_PI / 2 + rng.range(-0.9, 0.9), len), len * 0.2,
             greens[rng.below(5)]);
    }
    // Hanging vines and a few red flowers.
    for (int i = 0; i < 10; ++i) {
        const double x = rng.range(0.05, 0.95) * w;
        const double len = rng.range(0.15, 0.4) * h;
        QPainterPath vine;
        vine.moveTo(x, 0);
        vine.cubicTo(x + 20, len * 0.3, x - 20, len * 0.6, x + 6, len);
        p.setPen(pen(QColor(50, 90, 30), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(vine);
        p.setPen(Qt::NoPen);
        for (double t = 0.1; t < 1.0; t += 0.12)
            leaf(p, vine.pointAtPercent(t),
                 vine.pointAtPercent(t) + QPointF(rng.range(-18, 18), 12), 5, QColor(60, 140, 50));
    }
    for (int i = 0; i < 16; ++i) {
        const QPointF c(rng.next() < 0.5 ? rng.range(0.02, 0.2) * w : rng.range(0.8, 0.98) * w,
                        rng.range(0.3, 0.95) * h);
        for (int k = 0; k < 5; ++k) {
            p.setBrush(QColor(230, 40, 70));
            p.drawEllipse(c + polar(k * 2 * M_PI / 5, 7), 7, 7);
        }
        p.setBrush(QColor(250, 220, 80));
        p.drawEllipse(c, 4, 4);
    }
    p.end();
    texture(img, 0.04f, 0.018f, 146);
}

// 14: a pagoda by a pond under cherry blossom, a snowy peak behind.
void pagoda(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.72);
    Rng rng(150);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon),
                         {QColor(150, 190, 234), QColor(214, 220, 240), QColor(252, 226, 226)});
        // Lower peaks in the haze to the west, behind the mountain.
        const auto west = [&](double x) {
            return h * 0.33 + h * 0.25 * std::pow(x / (w * 0.5), 1.6) -
                   h * 0.06 * double(fbm(float(x / 90), 7.f, 155, 4));
        };
        QLinearGradient wg(0, h * 0.3, 0, horizon);
        wg.setColorAt(0, QColor(176, 188, 222));
        wg.setColorAt(1, QColor(208, 206, 230));
        p.fillPath(ridge(w * 0.6, horizon, west), wg);
        // The mountain, pale with distance.
        QPainterPath fuji;
        fuji.moveTo(w * 0.2, horizon);
        fuji.cubicTo(w * 0.45, h * 0.5, w * 0.6, h * 0.3, w * 0.68, h * 0.28);
        fuji.lineTo(w * 0.78, h * 0.28);
        fuji.cubicTo(w * 0.86, h * 0.3, w * 1.0, h * 0.5, w * 1.2, horizon);
        fuji.closeSubpath();
        QLinearGradient fg(0, h * 0.28, 0, horizon);
        fg.setColorAt(0, QColor(250, 250, 255));
        fg.setColorAt(0.22, QColor(230, 236, 250));
        fg.setColorAt(0.3, QColor(130, 150, 190));
        fg.setColorAt(1, QColor(170, 180, 210));
        p.fillPath(fuji, fg);
    }
    clouds(img, {QRectF(0, 0, w, h * 0.5), QColor(255, 255, 255), QColor(200, 190, 220), 0.6f,
                 200.f, 40.f, 0.8f, 151});
    {
        Painter p(&img);
        // Wooded hills along the far shore.
        const auto hills = [&](double x) {
            return horizon - h * 0.04 - h * 0.05 * double(fbm(float(x / 120), 4.f, 152, 4));
        };
        p.fillPath(ridge(w, horizon, hills), QColor(70, 110, 90));
        for (int i = 0; i < 50; ++i) {
            const double x = rng.next() * w;
            leafyCrown(p, QPointF(x, hills(x) + 8), rng.range(14, 26),
                       rng.chance(0.3) ? QColor(240, 170, 200) : QColor(60, 110, 80), rng, 12);
        }
        // The pagoda: five storeys, each roof with upturned eaves.
        const double cx = w * 0.42;
        double y = horizon - 4;
        double half = w * 0.13;
        for (int storey = 0; storey < 5; ++storey) {
            const double bodyH = h * 0.06 - storey * h * 0.004;
            const QRectF body(cx - half * 0.72, y - bodyH, half * 1.44, bodyH);
            QLinearGradient bg(body.topLeft(), body.topRight());
            bg.setColorAt(0, QColor(210, 70, 50));
            bg.setColorAt(1, QColor(130, 30, 30));
            p.setBrush(bg);
            p.drawRect(body);
            p.setBrush(QColor(250, 230, 190));
            for (int k = 0; k < 3; ++k)
                p.drawRect(QRectF(body.left() + body.width() * (0.15 + 0.28 * k),
                                  body.top() + bodyH * 0.3, body.width() * 0.14, bodyH * 0.5));
            const double roofY = body.top();
            QPainterPath roof;
            roof.moveTo(cx - half * 1.25, roofY - h * 0.022);
            roof.quadTo(cx - half * 0.9, roofY + 2, cx - half * 0.6, roofY);
            roof.lineTo(cx + half * 0.6, roofY);
            roof.quadTo(cx + half * 0.9, roofY + 2, cx + half * 1.25, roofY - h * 0.022);
            roof.quadTo(cx + half * 0.6, roofY - h * 0.02, cx + half * 0.45, roofY - h * 0.04);
            roof.lineTo(cx - half * 0.45, roofY - h * 0.04);
            roof.quadTo(cx - half * 0.6, roofY - h * 0.02, cx - half * 1.25, roofY - h * 0.022);
            QLinearGradient rg(0, roofY - h * 0.04, 0, roofY);
            rg.setColorAt(0, QColor(60, 70, 80));
            rg.setColorAt(1, QColor(30, 34, 44));
            p.setBrush(rg);
            p.drawPath(roof);
            y = roofY - h * 0.04;
            half *= 0.86;
        }
        p.setBrush(QColor(180, 140, 60));
        p.drawRect(QRectF(cx - 4, y - h * 0.09, 8, h * 0.09));
        for (int k = 0; k < 6; ++k)
            p.drawEllipse(QPointF(cx, y - h * 0.012 * (k + 1)), 9.0 - k, 3.0);
    }
    mirrorWater(img, {horizon, 4.f, QColor(110, 130, 150), 0.45f, 0.2f, 153});
    Painter p(&img);
    // Cherry branches reaching in from the upper left, heavy with blossom.
    const std::function<void(QPointF, double, double, int)> branch = [&](QPointF from, double a,
                                                                         double len, int depth) {
        const QPointF to = from + polar(a, len);
        p.setPen(pen(QColor(70, 40, 40), 1.5 + depth * 3.0));
        p.drawLine(from, to);
        p.setPen(Qt::NoPen);
        if (depth <= 2) {
            for (int i = 0; i < 14; ++i) {
                const QPointF c = to + QPointF(rng.range(-40, 40), rng.range(-30, 30));
                p.setBrush(
                    palette({QColor(255, 240, 245), QColor(250, 180, 200), QColor(230, 120, 160)},
                            rng.next()));
                p.drawEllipse(c, rng.range(4, 9), rng.range(4, 9));
            }
        }
        if (depth == 0)
            return;
        branch(to, a + rng.range(-0.7, -0.1), len * rng.range(0.6, 0.8), depth - 1);
        branch(to, a + rng.range(0.1, 0.7), len * rng.range(0.6, 0.8), depth - 1);
    };
    branch(QPointF(-20, h * 0.02), 0.35, w * 0.28, 5);
    branch(QPointF(w + 20, h * 0.18), M_PI - 0.2, w * 0.2, 4);
    birds(p, {w * 0.14, h * 0.26}, 5, 50, 10, QColor(70, 60, 80), rng);
    // Petals drifting down and floating on the pond.
    for (int i = 0; i < 260; ++i) {
        p.save();
        p.translate(rng.next() * w, rng.next() * h);
        p.rotate(rng.range(0, 360));
        p.setBrush(QColor(255, 200, 215, 220));
        p.drawEllipse(QPointF(0, 0), 5, 2.6);
        p.restore();
    }
    // A stone lantern on the near bank.
    const double lx = w * 0.82, ly = h * 0.97;
    p.setBrush(QColor(120, 120, 116));
    p.drawRect(QRectF(lx - 10, ly - 90, 20, 90));
    p.drawRect(QRectF(lx - 30, ly - 110, 60, 26));
    QPolygonF lroof;
    lroof << QPointF(lx - 44, ly - 110) << QPointF(lx, ly - 140) << QPointF(lx + 44, ly - 110);
    p.setBrush(QColor(90, 90, 88));
    p.drawPolygon(lroof);
    p.setBrush(QColor(255, 210, 120));
    p.drawRect(QRectF(lx - 10, ly - 104, 20, 14));
    p.end();
    texture(img, 0.04f, 0.016f, 154);
}

namespace
{
// Rows of plants running to a vanishing point: the row index and the position across it.
struct Rows {
    double vx, horizon, density;
    int at(double x, double y, double *frac) const
    {
        const double r = (x - vx) / std::max(y - horizon, 0.5) * density;
        const double f = std::floor(r);
        *frac = r - f;
        return int(f);
    }
};
} // namespace

// 15: lavender rows running to a farmhouse at sunset.
void lavender(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.4);
    Rng rng(160);
    const QPointF sun(w * 0.62, horizon - h * 0.03);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon + 2),
                         {QColor(70, 60, 140), QColor(190, 110, 150), QColor(250, 170, 110),
                          QColor(255, 220, 150)});
        // Dusk deepens on the side away from the sun, where the moon rises.
        QLinearGradient dusk(0, 0, w, 0);
        dusk.setColorAt(0, QColor(30, 30, 100, 190));
        dusk.setColorAt(0.7, QColor(30, 30, 100, 0));
        p.fillRect(QRectF(0, 0, w, horizon), dusk);
        glow(p, sun, w * 0.6, QColor(255, 210, 140, 220));
        p.setBrush(QColor(255, 246, 210));
        p.drawEllipse(sun, w * 0.05, w * 0.05);
    }
    clouds(img, {QRectF(0, 0, w, horizon * 0.85), QColor(255, 190, 160), QColor(110, 70, 140),
                 0.55f, 280.f, 40.f, 0.85f, 161});
    // The rows meet a little left of the middle, and one of them is a farm track: the field
    // is not its own mirror image, so its left and right pieces tell apart.
    const Rows rows{w * 0.46, double(horizon), 2.6};
    constexpr int trackRow = -1;
    forEachPixelRows(img, horizon, int(h), [&](int x, int y, QRgb) {
        const double d = double(y - horizon) / (h - horizon);
        double frac;
        const int row = rows.at(x, y, &frac);
        const float spikes =
            fbm(float(x) / float(2 + 14 * d), float(y) / float(2 + 30 * d), 162, 3);
        const float across = float(std::abs(frac - 0.4) / 0.4);
        QRgb c;
        if (row == trackRow && frac > 0.2 && frac < 0.7) {
            // Pale gravel with two darker wheel ruts and grass down the middle.
            const float rut = smoothstep(0.06f, 0.015f, float(std::abs(frac - 0.3))) +
                              smoothstep(0.06f, 0.015f, float(std::abs(frac - 0.6)));
            const float grass = smoothstep(0.06f, 0.02f, float(std::abs(frac - 0.45)));
            c = mixRgb(qRgb(185, 155, 120), qRgb(140, 110, 85), spikes);
            c = mixRgb(c, qRgb(110, 80, 65), rut * 0.7f);
            c = mixRgb(c, qRgb(90, 110, 60), grass * (0.4f + 0.5f * spikes));
        } else if (frac < 0.8) {
            const QRgb purple = (row % 2) ? qRgb(120, 80, 190) : qRgb(150, 90, 200);
            c = mixRgb(purple, qRgb(60, 40, 100), across * across * 0.8f);
            c = mixRgb(c, qRgb(220, 170, 240), smoothstep(0.6f, 0.85f, spikes) * 0.6f);
            c = mixRgb(c, qRgb(70, 90, 50), smoothstep(0.35f, 0.2f, spikes) * 0.6f);
        } else {
            c = mixRgb(qRgb(120, 100, 70), qRgb(80, 110, 60), spikes);
        }
        // The low sun warms the far rows and leaves long shadows in the near ones.
        const float warm = float(std::pow(1.0 - d, 4.0));
        c = mixRgb(c, qRgb(250, 180, 150), warm * 0.6f);
        return mixRgb(c, qRgb(20, 10, 40), float(d * d) * 0.35f);
    });
    Painter p(&img);
    // A tree line along the horizon, a stone farmhouse and a lone tree.
    const auto line = [&](double x) {
        return horizon - 4 - 12 * double(fbm(float(x / 30), 2.f, 163, 3));
    };
    p.fillPath(ridge(w, horizon + 2, line), QColor(90, 60, 90));
    const QRectF house(w * 0.16, horizon - 44, 90, 44);
    p.setBrush(QColor(200, 150, 120));
    p.drawRect(house);
    p.setBrush(QColor(160, 110, 100));
    p.drawRect(QRectF(house.right(), house.top() + 12, 50, 32));
    QPolygonF roof;
    roof << QPointF(house.left() - 6, house.top()) << QPointF(house.center().x(), house.top() - 22)
         << QPointF(house.right() + 6, house.top());
    p.setBrush(QColor(160, 70, 60));
    p.drawPolygon(roof);
    p.setBrush(QColor(70, 40, 50));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(house.left() + 14 + i * 26, house.top() + 14, 10, 14));
    p.setBrush(QColor(60, 40, 60));
    p.drawRect(QRectF(w * 0.8 - 4, horizon - 60, 8, 58));
    leafyCrown(p, QPointF(w * 0.8, horizon - 90), 48, QColor(80, 70, 90), rng, 40);
    // A few butterflies, behind the hives and the cart so none sits on them.
    for (int i = 0; i < 6; ++i) {
        const QPointF c(rng.range(0.1, 0.9) * w, rng.range(0.5, 0.8) * h);
        p.setBrush(QColor(250, 240, 120));
        p.drawEllipse(c + QPointF(-5, 0), 6, 4);
        p.drawEllipse(c + QPointF(5, 0), 6, 4);
    }
    // Bee hives at the edge of the field on the left, painted in the farm's colours.
    const QColor hiveColours[] = {QColor(240, 236, 220), QColor(120, 170, 210),
                                  QColor(240, 200, 90), QColor(240, 236, 220),
                                  QColor(200, 110, 90)};
    for (int i = 0; i < 5; ++i) {
        const double s = 1.0 + i * 0.1;
        const QRectF box(w * 0.03 + i * 52, h * 0.5 + i * 20, 40 * s, 34 * s);
        p.setBrush(QColor(40, 30, 50, 110));
        p.drawEllipse(QPointF(box.center().x() + 8 * s, box.bottom()), 28 * s, 6 * s);
        p.setBrush(hiveColours[i]);
        p.drawRect(box);
        p.setBrush(hiveColours[i].darker(135));
        p.drawRect(QRectF(box.left(), box.top() + box.height() * 0.45, box.width(), 3 * s));
        p.setBrush(QColor(80, 60, 70));
        p.drawRect(QRectF(box.left() - 4 * s, box.top() - 6 * s, box.width() + 8 * s, 7 * s));
        p.setBrush(QColor(40, 25, 30));
        p.drawRect(QRectF(box.center().x() - 7 * s, box.bottom() - 6 * s, 14 * s, 3 * s));
    }
    // A farm cart loaded with cut bundles, waiting at the end of a row on the right.
    {
        const QPointF wheel(w * 0.8, h * 0.56);
        const double r = 34;
        p.setBrush(QColor(40, 30, 50, 120));
        p.drawEllipse(QPointF(wheel.x() + 20, wheel.y() + r), 110, 12);
        p.setPen(pen(QColor(90, 60, 40), 7));
        p.drawLine(QPointF(wheel.x() - 110, wheel.y() - 20),
                   QPointF(wheel.x() - 190, wheel.y() + 20));
        p.setPen(Qt::NoPen);
        for (int k = 0; k < 9; ++k) {
            p.setBrush(palette({QColor(110, 70, 180), QColor(170, 120, 230)}, k / 8.0));
            const QPointF bundle(wheel.x() - 90 + k * 22, wheel.y() - 44 - (k % 2) * 8);
            p.drawEllipse(bundle, 20, 13);
            p.setBrush(QColor(210, 170, 245));
            for (int j = 0; j < 5; ++j)
                p.drawEllipse(bundle + QPointF(rng.range(-14, 14), rng.range(-9, 4)), 2.5, 3.5);
        }
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(wheel.x() - 110, wheel.y() - 42, 220, 30));
        p.setBrush(QColor(110, 70, 45));
        for (int k = 0; k < 4; ++k)
            p.drawRect(QRectF(wheel.x() - 104 + k * 56, wheel.y() - 40, 4, 26));
        p.setPen(pen(QColor(60, 40, 30), 6));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(wheel, r, r);
        for (int k = 0; k < 6; ++k)
            p.drawLine(wheel, wheel + polar(k * M_PI / 3, r));
        p.setPen(Qt::NoPen);
    }
    // Single spikes in the nearest rows.
    for (int i = 0; i < 1600; ++i) {
        const double y = h * 0.7 + std::pow(rng.next(), 0.6) * h * 0.32;
        const double x = rng.next() * w;
        double frac;
        const bool onTrack = rows.at(x, y, &frac) == trackRow && frac > 0.15 && frac < 0.75;
        if (onTrack || frac > 0.75)
            continue;
        const double d = (y - horizon) / (h - horizon);
        const double len = 12 + 40 * d * d;
        p.setPen(pen(QColor(80, 100, 60), 1.2));
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(-3, 3), y - len));
        p.setPen(Qt::NoPen);
        p.setBrush(palette({QColor(110, 70, 180), QColor(170, 120, 230), QColor(210, 170, 250)},
                           rng.next()));
        for (int k = 0; k < 5; ++k)
            p.drawEllipse(QPointF(x, y - len * (0.55 + k * 0.1)), 2.4 * (0.5 + d), 3.4 * (0.5 + d));
    }
    crescent(p, {w * 0.16, h * 0.08}, 20, QColor(255, 246, 230));
    birds(p, {w * 0.5, h * 0.1}, 7, 60, 12, QColor(60, 40, 70), rng);
    p.end();
    texture(img, 0.04f, 0.018f, 164);
}

// 16: a log cabin in the snow on a moonlit night.
void snowyCabin(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(170);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.7),
                         {QColor(8, 14, 40), QColor(24, 40, 90), QColor(60, 90, 140)});
        stars(p, QRectF(0, 0, w, h * 0.5), 400, rng, 1.6);
        const QPointF moon(w * 0.72, h * 0.14);
        glow(p, moon, w * 0.35, QColor(200, 220, 255, 140));
        p.setBrush(QColor(250, 250, 240));
        p.drawEllipse(moon, w * 0.07, w * 0.07);
        p.setBrush(QColor(220, 222, 214));
        for (int i = 0; i < 6; ++i)
            p.drawEllipse(moon + QPointF(rng.range(-40, 40), rng.range(-40, 40)), rng.range(5, 12),
                          rng.range(5, 12));
    }
    Painter p(&img);
    // Snowy hills, far to near, each with its pines.
    for (int layer = 0; layer < 3; ++layer) {
        const double base = h * (0.5 + 0.1 * layer);
        const auto crest = [&](double x) {
            return base - h * 0.08 * double(fbm(float(x / (w * 0.4)), float(layer), 171, 4)) -
                   h * 0.04 * std::sin(x / w * 4 + layer * 2);
        };
        QLinearGradient g(0, base - h * 0.1, 0, base + h * 0.2);
        g.setColorAt(0, mix(QColor(200, 220, 245), QColor(90, 110, 160), 0.5 - layer * 0.25));
        g.setColorAt(1, mix(QColor(120, 140, 190), QColor(60, 70, 120), 0.5 - layer * 0.25));
        p.fillPath(ridge(w, h, crest), g);
        for (int i = 0; i < 14 - layer * 3; ++i) {
            const double x = rng.next() * w;
            if (layer == 2 && std::abs(x - w * 0.45) < w * 0.25)
                continue;
            const double th = h * (0.06 + 0.07 * layer) * rng.range(0.7, 1.3);
            pine(p, x, crest(x) + th * 0.1, th,
                 mix(QColor(20, 40, 50), QColor(70, 90, 130), 0.6 - layer * 0.3),
                 QColor(230, 240, 255, 230));
        }
    }
    // The cabin.
    const QRectF cabin(w * 0.28, h * 0.66, w * 0.36, h * 0.12);
    p.setBrush(QColor(110, 64, 40));
    p.drawRect(cabin);
    p.setPen(pen(QColor(70, 40, 26), 2.5));
    for (double y = cabin.top() + 10; y < cabin.bottom(); y += 14)
        p.drawLine(QPointF(cabin.left(), y), QPointF(cabin.right(), y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 80, 80));
    p.drawRect(QRectF(cabin.right() - 60, cabin.top() - 90, 30, 70));
    QPolygonF roof;
    roof << QPointF(cabin.left() - 30, cabin.top() + 6)
         << QPointF(cabin.center().x(), cabin.top() - 80)
         << QPointF(cabin.right() + 30, cabin.top() + 6);
    p.setBrush(QColor(240, 246, 255));
    p.drawPolygon(roof);
    p.setBrush(QColor(190, 200, 230));
    p.drawRect(QRectF(cabin.left() - 30, cabin.top(), cabin.width() + 60, 8));
    for (const double fx : {0.12, 0.62}) {
        const QRectF win(cabin.left() + cabin.width() * fx, cabin.top() + 28, 56, 44);
        glow(p, win.center(), 110, QColor(255, 190, 90, 150));
        p.setBrush(QColor(255, 210, 120));
        p.drawRect(win);
        p.setPen(pen(QColor(80, 44, 24), 4));
        p.drawLine(QPointF(win.center().x(), win.top()), QPointF(win.center().x(), win.bottom()));
        p.drawLine(QPointF(win.left(), win.center().y()), QPointF(win.right(), win.center().y()));
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QColor(70, 40, 26));
    p.drawRect(
        QRectF(cabin.left() + cabin.width() * 0.4, cabin.top() + 24, 44, cabin.height() - 24));
    // Smoke from the chimney.
    for (int i = 0; i < 14; ++i)
        puff(p, QPointF(cabin.right() - 45 + i * 10 + std::sin(i) * 14, cabin.top() - 100 - i * 26),
             20 + i * 4, QColor(200, 210, 230, 90));
    // The snowfield in front with a trail of footprints and a fence.
    QPainterPath field;
    field.moveTo(0, h * 0.8);
    field.cubicTo(w * 0.3, h * 0.76, w * 0.7, h * 0.8, w, h * 0.77);
    field.lineTo(w, h);
    field.lineTo(0, h);
    field.closeSubpath();
    QLinearGradient fg(0, h * 0.76, 0, h);
    fg.setColorAt(0, QColor(200, 214, 240));
    fg.setColorAt(1, QColor(120, 140, 190));
    p.fillPath(field, fg);
    for (int i = 0; i < 16; ++i) {
        const double t = i / 16.0;
        const QPointF f(w * (0.46 + 0.25 * t * t + 0.03 * (i % 2)), h * (0.79 + 0.2 * t));
        p.setBrush(QColor(120, 130, 180));
        p.drawEllipse(f, 4 + t * 8, 2 + t * 4);
    }
    p.setBrush(QColor(90, 60, 50));
    for (int i = 0; i < 8; ++i) {
        const double x = w * 0.02 + i * 36;
        p.drawRect(QRectF(x, h * 0.84 - i * 4, 8, 60));
    }
    p.drawRect(QRectF(w * 0.02, h * 0.86 - 20, 8 * 36, 6));
    // A snowman with a red scarf, and a sled left by the path.
    const QPointF man(w * 0.84, h * 0.93);
    for (const auto &[dy, r] :
         {std::pair{0.0, 46.0}, std::pair{-70.0, 34.0}, std::pair{-122.0, 24.0}}) {
        QRadialGradient g(man + QPointF(-r * 0.3, dy - r * 0.4), r * 1.6);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(150, 170, 210));
        p.setBrush(g);
        p.drawEllipse(man + QPointF(0, dy), r, r * 0.95);
    }
    p.setBrush(QColor(200, 40, 40));
    p.drawRect(QRectF(man.x() - 28, man.y() - 100, 56, 10));
    p.drawRect(QRectF(man.x() + 8, man.y() - 100, 10, 36));
    p.setBrush(QColor(30, 30, 40));
    p.drawRect(QRectF(man.x() - 22, man.y() - 160, 44, 8));
    p.drawRect(QRectF(man.x() - 14, man.y() - 190, 28, 32));
    p.drawEllipse(man + QPointF(-8, -128), 3, 3);
    p.drawEllipse(man + QPointF(8, -128), 3, 3);
    p.setBrush(QColor(250, 130, 30));
    QPolygonF nose;
    nose << man + QPointF(0, -122) << man + QPointF(22, -118) << man + QPointF(0, -116);
    p.drawPolygon(nose);
    p.setPen(pen(QColor(80, 50, 30), 4));
    p.drawLine(man + QPointF(-30, -74), man + QPointF(-70, -100));
    p.drawLine(man + QPointF(30, -74), man + QPointF(66, -96));
    const QPointF sled(w * 0.5, h * 0.95);
    p.setPen(pen(QColor(140, 40, 30), 5));
    p.drawLine(sled + QPointF(-70, 0), sled + QPointF(60, 0));
    p.drawLine(sled + QPointF(60, 0), sled + QPointF(76, -14));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(180, 110, 60));
    p.drawRect(QRectF(sled.x() - 64, sled.y() - 22, 120, 12));
    // Falling snow.
    for (int i = 0; i < 500; ++i) {
        p.setBrush(QColor(255, 255, 255, int(rng.range(100, 230))));
        const double r = rng.range(1, 4);
        p.drawEllipse(QPointF(rng.next() * w, rng.next() * h), r, r);
    }
    p.end();
    texture(img, 0.04f, 0.02f, 172);
}

// 17: a volcano erupting at night, lava running to the sea.
void volcano(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.8);
    Rng rng(180);
    const QPointF crater(w * 0.5, h * 0.46);
    {
        Painter p(&img);
        verticalGradient(
            p, QRectF(0, 0, w, horizon),
            {QColor(10, 8, 24), QColor(40, 16, 40), QColor(130, 40, 30), QColor(200, 90, 40)});
        stars(p, QRectF(0, 0, w, h * 0.3), 200, rng, 1.5);
    }
    // The ash plume, billowing up and out, lit from below by the fire.
    forEachPixelRows(img, 0, int(crater.y()) + 20, [&](int x, int y, QRgb px) {
        const double up = (crater.y() - y) / crater.y(); // 0 at the crater, 1 at the top
        const double half = w * (0.04 + 0.45 * std::pow(std::max(up, 0.0), 0.8));
        const double dx = (x - crater.x() - up * w * 0.12) / half;
        const float billow = fbm(float(x) / 70.f, float(y) / 70.f, 181, 5);
        const float edge = smoothstep(1.2f, 0.6f, float(std::abs(dx)) + (billow - 0.5f) * 1.2f);
        if (edge <= 0.f)
            return px;
        const QRgb ash = mixRgb(qRgb(40, 34, 40), qRgb(110, 96, 100), billow);
        const float fire = float(std::exp(-up * 5.0)) * (0.6f + 0.4f * billow);
        return mixRgb(px, mixRgb(ash, qRgb(255, 120, 40), fire), edge * 0.95f);
    });
    {
        Painter p(&img);
        // Lightning in the plume: the ash clouds charge up as they rise.
        const auto lightning = [&](QPointF at, int steps) {
            QPainterPath bolt;
            bolt.moveTo(at);
            for (int i = 0; i < steps; ++i) {
                at += QPointF(rng.range(-22, 18), rng.range(14, 30));
                bolt.lineTo(at);
            }
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(200, 180, 255, 120), 7));
            p.drawPath(bolt);
            p.setPen(pen(QColor(255, 255, 255), 2));
            p.drawPath(bolt);
            p.setPen(Qt::NoPen);
        };
        lightning({w * 0.66, h * 0.12}, 9);
        lightning({w * 0.86, h * 0.03}, 7);
        // Glowing bombs flung far out of the crater, trailing sparks as they fall.
        for (int i = 0; i < 5; ++i) {
            const double reach = rng.range(0.3, 0.48) * w * (i < 3 ? -1 : 0.8);
            const double top = crater.y() - rng.range(0.12, 0.22) * h;
            const QPointF end = crater + QPointF(reach, rng.range(-0.06, 0.02) * h);
            QPainterPath arc;
            arc.moveTo(crater);
            arc.quadTo(QPointF(crater.x() + reach * 0.5, top), end);
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(255, 110, 30, 80), 9));
            p.drawPath(arc);
            p.setPen(pen(QColor(255, 190, 80, 200), 2.5));
            p.drawPath(arc);
            p.setPen(Qt::NoPen);
            glow(p, end, 22, QColor(255, 170, 60, 200));
            p.setBrush(QColor(255, 240, 170));
            p.drawEllipse(end, 5, 5);
        }
        glow(p, crater, w * 0.45, QColor(255, 140, 40, 170));
        // The cone.
        QPainterPath cone;
        cone.moveTo(-10, horizon + 4);
        cone.cubicTo(w * 0.2, h * 0.74, w * 0.36, h * 0.56, crater.x() - w * 0.07, crater.y());
        cone.lineTo(crater.x() + w * 0.07, crater.y() + 4);
        cone.cubicTo(w * 0.66, h * 0.58, w * 0.84, h * 0.72, w + 10, horizon + 4);
        cone.closeSubpath();
        QLinearGradient cg(0, crater.y(), 0, horizon);
        cg.setColorAt(0, QColor(70, 30, 30));
        cg.setColorAt(1, QColor(24, 16, 20));
        p.fillPath(cone, cg);
        QPainterPath small;
        small.moveTo(w * 0.6, horizon + 4);
        small.cubicTo(w * 0.72, h * 0.66, w * 0.8, h * 0.54, w * 0.86, h * 0.54);
        small.cubicTo(w * 0.92, h * 0.55, w * 0.98, h * 0.64, w + 10, h * 0.68);
        small.lineTo(w + 10, horizon + 4);
        small.closeSubpath();
        p.fillPath(small, QColor(36, 22, 26));
        cone.addPath(small);
        glow(p, {w * 0.86, h * 0.54}, 60, QColor(255, 120, 40, 160));
        p.aside(&img, [&] { roughen(img, cone, 0.7f, 14.f, 184); });
        // Cooling cracks glow all over the slopes.
        for (int i = 0; i < 260; ++i) {
            QPointF at(rng.next() * w, crater.y() + rng.next() * (horizon - crater.y()));
            if (!cone.contains(at))
                continue;
            QPainterPath crack;
            crack.moveTo(at);
            for (int k = 0; k < 4; ++k) {
                at += QPointF(rng.range(-12, 12), rng.range(2, 12));
                crack.lineTo(at);
            }
            const double heat = 1.0 - (at.y() - crater.y()) / (horizon - crater.y());
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(255, int(80 + 100 * heat), 30, int(60 + 120 * heat)), 1.5));
            p.drawPath(crack);
        }
        p.setPen(Qt::NoPen);
        // Lava rivers down the slopes: a wide glow, a hot core.
        for (int i = 0; i < 6; ++i) {
            const double side = i % 2 ? 1 : -1;
            QPainterPath lava;
            const QPointF start = crater + QPointF(side * rng.range(0, 40), 6);
            lava.moveTo(start);
            const double spread = rng.range(0.1, 0.45) * w;
            lava.cubicTo(start + QPointF(side * spread * 0.3, h * 0.08),
                         start + QPointF(side * spread * 0.8, h * 0.15),
                         start + QPointF(side * spread, horizon - crater.y()));
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(255, 80, 20, 90), 22));
            p.drawPath(lava);
            p.setPen(pen(QColor(255, 140, 30), 8));
            p.drawPath(lava);
            p.setPen(pen(QColor(255, 230, 120), 2.5));
            p.drawPath(lava);
        }
        p.setPen(Qt::NoPen);
        // Fountains of molten rock.
        for (int i = 0; i < 160; ++i) {
            const double a = -M_PI / 2 + rng.range(-0.7, 0.7);
            const double v = rng.range(60, 260);
            const double t = rng.next();
            const QPointF pt = crater + QPointF(std::cos(a) * v * t * 1.5,
                                                std::sin(a) * v * t * 1.6 + 160 * t * t);
            p.setBrush(
                palette({QColor(255, 250, 180), QColor(255, 160, 40), QColor(200, 40, 20)}, t));
            p.drawEllipse(pt, 2.5 + (1 - t) * 3, 2.5 + (1 - t) * 3);
        }
        glow(p, crater, 80, QColor(255, 230, 150, 230));
    }
    mirrorWater(img, {horizon, 8.f, QColor(20, 10, 20), 0.5f, 0.3f, 182});
    Painter p(&img);
    // Black rocks of the shore, steaming where lava meets the sea.
    for (int i = 0; i < 12; ++i) {
        const QPointF c(rng.next() * w, h * rng.range(0.9, 1.0));
        const double r = rng.range(20, 60);
        p.setBrush(QColor(20, 14, 18));
        p.drawEllipse(c, r, r * 0.4);
        p.setBrush(QColor(160, 60, 30, 120));
        p.drawEllipse(c + QPointF(-r * 0.2, -r * 0.2), r * 0.5, r * 0.12);
    }
    for (int i = 0; i < 30; ++i)
        puff(p, QPointF(rng.range(0.1, 0.9) * w, horizon - rng.range(0, 40)), rng.range(20, 50),
             QColor(220, 160, 150, 60));
    p.end();
    texture(img, 0.04f, 0.02f, 183);
}

// 18: a Roman floor mosaic of a sun over waves and a flowered ground.
void mosaic(QImage &img)
{
    const double w = img.width(), h = img.height();
    const double tess = 16;
    const QPointF sun(w * 0.5, h * 0.32);
    const double sunR = w * 0.2;
    const auto design = [&](double x, double y) -> QColor {
        const double border = w * 0.06;
        const double inX = std::min(x, w - x), inY = std::min(y, h - y);
        const double in = std::min(inX, inY);
        if (in < border) {
            // A guilloche of interlaced stripes runs round the edge.
            const double along = inX < inY ? y : x;
            const double k = std::sin(along / 30.0) * border * 0.35 + border * 0.5;
            if (std::abs(in - k) < border * 0.18)
                return QColor(240, 230, 200);
            return in < border * 0.15 ? QColor(40, 30, 30) : QColor(150, 40, 40);
        }
        const double dx = x - sun.x(), dy = y - sun.y();
        const double r = std::hypot(dx, dy);
        const double a = std::atan2(dy, dx);
        if (r < sunR * 0.7)
            return r < sunR * 0.2
                       ? QColor(255, 240, 170)
                       : palette({QColor(250, 210, 80), QColor(230, 140, 40)}, r / (sunR * 0.7));
        const double ray = std::cos(a * 16) * 0.5 + 0.5;
        if (r < sunR * (1.0 + 0.45 * ray) && y < h * 0.58)
            return ray > 0.5 ? QColor(240, 120, 40) : QColor(250, 190, 60);
        // A boat with a striped sail rides the waves.
        const QPointF boat(w * 0.3, h * 0.63);
        if (y > boat.y() - h * 0.02 && y < boat.y() + h * 0.02 &&
            std::abs(x - boat.x()) < w * 0.14 - (y - boat.y() + h * 0.02) * 0.8)
            return QColor(130, 70, 40);
        if (y < boat.y() - h * 0.02 && y > boat.y() - h * 0.17) {
            const double up = (boat.y() - h * 0.02 - y) / (h * 0.15);
            if (x > boat.x() && x < boat.x() + w * 0.11 * (1 - up))
                return int(up * 5) % 2 ? QColor(240, 236, 220) : QColor(190, 40, 40);
            if (std::abs(x - boat.x()) < tess * 0.5)
                return QColor(90, 50, 30);
        }
        // Fish in the deep.
        for (const auto &[fx, fy, fc] : {std::tuple{0.72, 0.8, QColor(240, 130, 30)},
                                         std::tuple{0.3, 0.9, QColor(250, 210, 60)},
                                         std::tuple{0.55, 0.72, QColor(230, 90, 110)}}) {
            const double ex = (x - fx * w) / (w * 0.09), ey = (y - fy * h) / (h * 0.025);
            if (ex * ex + ey * ey < 1.0)
                return ex > 0.6 && std::abs(ey) < 0.3 ? QColor(30, 30, 40) : fc;
            if (ex < -0.9 && ex > -1.6 && std::abs(ey) < (-0.9 - ex) * 1.4)
                return fc.darker(130);
        }
        if (y > h * 0.62) {
            // Running waves; their swell lengthens from left to right.
            const double phase = (x / (w * (0.1 + 0.12 * x / w))) * 2 * M_PI;
            const double band = (y - h * 0.62) / (h * 0.08);
            const double wave = std::sin(phase + band * 1.2) * 0.35;
            const double f = std::fmod(band + wave + 10, 1.0);
            if (f < 0.18)
                return QColor(240, 240, 230);
            const double depth = std::min(1.0, (y - h * 0.62) / (h * 0.32));
            return mix(
                palette({QColor(70, 150, 200), QColor(20, 80, 150), QColor(10, 40, 90)}, depth),
                QColor(40, 140, 120), 0.5 - x / w * 0.5);
        }
        // The pale ground warms from the top down.
        return mix(QColor(236, 220, 186), QColor(226, 190, 150), y / (h * 0.62));
    };
    Rng rng(190);
    const int cols = int(w / tess) + 1, rows = int(h / tess) + 1;
    std::vector<QRgb> colour(size_t(cols * rows));
    for (int j = 0; j < rows; ++j)
        for (int i = 0; i < cols; ++i) {
            QColor c = design((i + 0.5) * tess, (j + 0.5) * tess);
            const double v = rng.range(0.86, 1.12);
            c = QColor::fromRgbF(float(std::min(1.0, c.redF() * v)),
                                 float(std::min(1.0, c.greenF() * v)),
                                 float(std::min(1.0, c.blueF() * v)));
            colour[size_t(j * cols + i)] = c.rgb();
        }
    forEachPixel(img, [&](int x, int y, QRgb) {
        const int i = int(x / tess), j = int(y / tess);
        const double fx = x - i * tess, fy = y - j * tess;
        // Each stone is a little irregular: the grout wobbles.
        const double g = 1.6 + 1.4 * valueNoise(float(i) * 3.1f, float(j) * 2.7f, 191);
        if (fx < g || fy < g)
            return qRgb(90, 80, 70);
        const float stone = fbm(float(x) / 5.f, float(y) / 5.f, 192, 2);
        const QRgb c = colour[size_t(j * cols + i)];
        return mixRgb(c, stone > 0.5f ? qRgb(255, 255, 255) : qRgb(0, 0, 0),
                      std::abs(stone - 0.5f) * 0.35f);
    });
    Painter p(&img);
    // Birds and flowers scattered on the pale ground, drawn in tesserae too.
    const auto dot = [&](QPointF c, const QColor &col) {
        p.setBrush(col);
        p.drawRect(QRectF(std::floor(c.x() / tess) * tess + 2, std::floor(c.y() / tess) * tess + 2,
                          tess - 3, tess - 3));
    };
    const QPointF flowers[] = {{0.2, 0.1},   {0.8, 0.12}, {0.14, 0.5},
                               {0.86, 0.46}, {0.3, 0.57}, {0.72, 0.58}};
    int k = 0;
    for (const QPointF f : flowers) {
        const QPointF c(f.x() * w, f.y() * h);
        const QColor petal = k % 2 ? QColor(200, 50, 60) : QColor(60, 90, 170);
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)})
            dot(c + d * tess, petal);
        for (const QPointF d : {QPointF(-1, -1), QPointF(1, 1), QPointF(1, -1), QPointF(-1, 1)})
            dot(c + d * tess * 2, QColor(60, 120, 60));
        dot(c, QColor(250, 200, 60));
        ++k;
    }
    p.end();
    texture(img, 0.03f, 0.014f, 193);
}

// 19: koi and lotus seen from above in a garden pond.
void koiPond(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(200);
    forEachPixel(img, [&](int x, int y, QRgb) {
        const float depth = fbm(float(x) / 300.f, float(y) / 300.f, 201, 3);
        const float pebbles = fbm(float(x) / 18.f, float(y) / 18.f, 202, 3);
        const float caustic = ridged(float(x) / 80.f, float(y) / 80.f, 203, 3);
        QRgb c = mixRgb(qRgb(20, 60, 70), qRgb(40, 110, 110), depth);
        c = mixRgb(c, qRgb(90, 120, 100), pebbles * 0.3f);
        return mixRgb(c, qRgb(170, 230, 220), smoothstep(0.7f, 0.95f, caustic) * 0.35f);
    });
    Painter p(&img);
    // Koi: a spine curve, a body along it, patches and fins; their shadows lie on the bottom.
    const auto koi = [&](QPointF head, double angle, double len, double bend, int pattern) {
        std::vector<QPointF> spine;
        for (int i = 0; i <= 20; ++i) {
            const double t = i / 20.0;
            const double a = angle + bend * t * t;
            spine.push_back(head + polar(a + M_PI, len * t) +
                            polar(a + M_PI / 2, std::sin(t * M_PI) * bend * len * 0.12));
        }
        const auto outline = [&](QPointF offset) {
            QPainterPath body;
            std::vector<QPointF> left, right;
            for (int i = 0; i <= 20; ++i) {
                const double t = i / 20.0;
                const double girth = len * 0.13 * std::sin(std::pow(t, 0.7) * M_PI) + len * 0.01;
                const QPointF dir =
                    i < 20 ? spine[size_t(i + 1)] - spine[size_t(i)] : spine[20] - spine[19];
                const double dl = std::hypot(dir.x(), dir.y());
                const QPointF n(-dir.y() / dl, dir.x() / dl);
                left.push_back(spine[size_t(i)] + n * girth + offset);
                right.push_back(spine[size_t(i)] - n * girth + offset);
            }
            body.moveTo(left[0]);
            for (const QPointF &q : left)
                body.lineTo(q);
            for (auto it = right.rbegin(); it != right.rend(); ++it)
                body.lineTo(*it);
            body.closeSubpath();
            return body;
        };
        p.setBrush(QColor(0, 20, 30, 90));
        p.drawPath(outline(QPointF(14, 18)));
        // Tail fin and pectoral fins, translucent.
        const QPointF tail = spine[20];
        const QPointF back = spine[20] - spine[17];
        const double ta = std::atan2(back.y(), back.x());
        QPainterPath fin;
        fin.moveTo(tail);
        fin.quadTo(tail + polar(ta + 0.5, len * 0.25), tail + polar(ta + 0.7, len * 0.3));
        fin.quadTo(tail + polar(ta, len * 0.15), tail + polar(ta - 0.7, len * 0.3));
        fin.quadTo(tail + polar(ta - 0.5, len * 0.25), tail);
        p.setBrush(QColor(255, 220, 200, 150));
        p.drawPath(fin);
        for (const double s : {1.0, -1.0}) {
            const QPointF root = spine[5];
            p.drawEllipse(root + polar(angle + s * 2.0, len * 0.14), len * 0.07, len * 0.07);
        }
        const QPainterPath body = outline(QPointF());
        QLinearGradient g(head, spine[20]);
        g.setColorAt(0, QColor(255, 250, 240));
        g.setColorAt(1, QColor(230, 226, 220));
        p.setBrush(g);
        p.drawPath(body);
        p.save();
        p.setClipPath(body);
        for (int i = 0; i < 5; ++i) {
            const QPointF c =
                spine[size_t(2 + rng.below(16))] + QPointF(rng.range(-8, 8), rng.range(-8, 8));
            p.setBrush(pattern == 1 ? QColor(250, 130, 20) : QColor(220, 40, 30));
            p.drawEllipse(c, len * rng.range(0.08, 0.16), len * rng.range(0.06, 0.12));
        }
        if (pattern == 2)
            for (int i = 0; i < 6; ++i) {
                p.setBrush(QColor(20, 20, 24));
                p.drawEllipse(spine[size_t(3 + rng.below(15))], len * 0.04, len * 0.03);
            }
        p.restore();
        p.setBrush(QColor(20, 20, 20));
        for (const double s : {1.0, -1.0})
            p.drawEllipse(head + polar(angle + M_PI + s * 0.5, len * 0.06), 2.5, 2.5);
    };
    koi({w * 0.3, h * 0.2}, 0.3, 180, 0.8, 0);
    koi({w * 0.75, h * 0.34}, 2.6, 200, -0.6, 1);
    koi({w * 0.55, h * 0.55}, -1.2, 150, 0.5, 2);
    koi({w * 0.22, h * 0.7}, 1.0, 170, -0.9, 1);
    koi({w * 0.8, h * 0.82}, -2.4, 160, 0.7, 0);
    koi({w * 0.45, h * 0.9}, 0.2, 120, 0.4, 2);
    // Lily pads, some flowering.
    const QPointF pads[] = {{0.1, 0.08},  {0.86, 0.1}, {0.6, 0.2},   {0.12, 0.45}, {0.9, 0.56},
                            {0.42, 0.38}, {0.66, 0.7}, {0.06, 0.92}, {0.92, 0.96}, {0.3, 0.98}};
    int n = 0;
    for (const QPointF f : pads) {
        const QPointF c(f.x() * w, f.y() * h);
        const double r = rng.range(50, 95);
        const double gap = rng.range(0, 2 * M_PI);
        QPainterPath pad;
        pad.moveTo(c);
        pad.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -qRadiansToDegrees(gap) + 10, 340);
        pad.closeSubpath();
        p.setBrush(QColor(0, 20, 20, 80));
        p.drawPath(pad.translated(8, 10));
        QRadialGradient g(c, r);
        g.setColorAt(0, QColor(120, 180, 60));
        g.setColorAt(1, QColor(50, 110, 40));
        p.setBrush(g);
        p.drawPath(pad);
        p.setPen(pen(QColor(150, 200, 90, 140), 1.5));
        for (int k = 0; k < 9; ++k)
            p.drawLine(c, c + polar(gap + 0.5 + k * 0.6, r * 0.92));
        p.setPen(Qt::NoPen);
        if (n++ % 3 == 0) {
            for (int layer = 0; layer < 2; ++layer)
                for (int k = 0; k < 8; ++k) {
                    p.save();
                    p.translate(c);
                    p.rotate(k * 45 + layer * 22);
                    p.setBrush(layer ? QColor(255, 200, 220) : QColor(240, 120, 170));
                    p.drawEllipse(QPointF(0, -r * (0.35 - layer * 0.1)), r * 0.13,
                                  r * (0.3 - layer * 0.08));
                    p.restore();
                }
            p.setBrush(QColor(250, 220, 80));
            p.drawEllipse(c, r * 0.1, r * 0.1);
        }
    }
    // Maple leaves fallen on the water.
    for (const QPointF f : {QPointF(0.5, 0.07), QPointF(0.3, 0.5), QPointF(0.7, 0.46),
                            QPointF(0.56, 0.96), QPointF(0.1, 0.3)}) {
        const QPointF c(f.x() * w, f.y() * h);
        const QColor tone = palette({QColor(230, 60, 30), QColor(250, 170, 40)}, rng.next());
        p.save();
        p.translate(c);
        p.rotate(rng.range(0, 360));
        p.setBrush(QColor(0, 20, 20, 70));
        p.drawEllipse(QPointF(8, 10), 22, 18);
        p.setBrush(tone);
        for (int k = 0; k < 5; ++k) {
            p.save();
            p.rotate(-90 + (k - 2) * 45);
            QPainterPath lobe;
            lobe.moveTo(0, 0);
            lobe.quadTo(8, 10, 0, 26);
            lobe.quadTo(-8, 10, 0, 0);
            p.drawPath(lobe);
            p.restore();
        }
        p.setPen(pen(tone.darker(150), 1.5));
        p.drawLine(QPointF(0, 0), QPointF(0, 14));
        p.setPen(Qt::NoPen);
        p.restore();
    }
    // Ripples.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 5; ++i) {
        const QPointF c(rng.next() * w, rng.next() * h);
        for (int k = 1; k <= 4; ++k) {
            p.setPen(pen(QColor(220, 255, 250, 110 - k * 20), 2));
            p.drawEllipse(c, k * 18.0, k * 18.0);
        }
    }
    p.setPen(Qt::NoPen);
    p.end();
    texture(img, 0.04f, 0.016f, 204);
}

// 20: a sunflower head against a summer sky, its field below.
void sunflower(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(210);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.62),
                         {QColor(40, 110, 210), QColor(110, 170, 236), QColor(200, 226, 244)});
    }
    clouds(img, {QRectF(0, 0, w, h * 0.6), QColor(255, 255, 255), QColor(150, 170, 210), 0.5f,
                 180.f, 90.f, 0.95f, 211});
    Painter p(&img);
    const auto head = [&](QPointF c, double r, double tilt) {
        p.save();
        p.translate(c);
        p.rotate(tilt);
        // Two rings of petals.
        for (int ring = 0; ring < 2; ++ring) {
            const int petals = 26;
            for (int k = 0; k < petals; ++k) {
                p.save();
                p.rotate(k * 360.0 / petals + ring * 7 + rng.range(-3, 3));
                QPainterPath petal;
                const double len = r * (ring ? 0.85 : 1.0) * rng.range(0.9, 1.05);
                petal.moveTo(0, -r * 0.45);
                petal.quadTo(r * 0.17, -r * 0.45 - len * 0.5, 0, -r * 0.45 - len * 0.65);
                petal.quadTo(-r * 0.17, -r * 0.45 - len * 0.5, 0, -r * 0.45);
                QLinearGradient g(0, -r * 0.45, 0, -r * 0.45 - len * 0.65);
                g.setColorAt(0, ring ? QColor(230, 140, 10) : QColor(240, 170, 20));
                g.setColorAt(1, ring ? QColor(250, 200, 40) : QColor(255, 224, 70));
                p.setBrush(g);
                p.drawPath(petal);
                p.restore();
            }
        }
        // The seed disc: florets on the golden spiral.
        QRadialGradient disc(QPointF(0, 0), r * 0.5);
        disc.setColorAt(0, QColor(110, 80, 20));
        disc.setColorAt(1, QColor(50, 30, 10));
        p.setBrush(disc);
        p.drawEllipse(QPointF(0, 0), r * 0.5, r * 0.5);
        const int seeds = int(r * 5);
        for (int i = 0; i < seeds; ++i) {
            const double a = i * 2.39996323;
            const double d = r * 0.48 * std::sqrt(double(i) / seeds);
            const double s = r * 0.012 + r * 0.012 * std::sqrt(double(i) / seeds);
            p.setBrush(i % 3 ? QColor(80, 50, 16) : QColor(150, 110, 30));
            p.drawEllipse(polar(a, d), s, s);
        }
        p.restore();
    };
    // The field: many heads, smaller and bluer with distance.
    for (int row = 0; row < 6; ++row) {
        const double y = h * (0.6 + 0.07 * row);
        const double r = 10 + row * 9.0;
        p.setBrush(mix(QColor(40, 100, 40), QColor(120, 170, 160), 0.6 - row * 0.12));
        p.drawRect(QRectF(0, y, w, h - y));
        for (double x = rng.range(-20, 10); x < w + 20; x += r * 2.0 + rng.range(0, r)) {
            p.setBrush(QColor(60, 110, 40));
            leafyCrown(p, QPointF(x, y + r * 1.2), r * 1.2, QColor(60, 120, 40), rng, 8);
            head(QPointF(x, y + rng.range(-r * 0.3, r * 0.3)), r, rng.range(-20, 20));
        }
    }
    // The big sunflower: stem, leaves and head.
    p.setPen(pen(QColor(70, 120, 40), 26));
    p.setBrush(Qt::NoBrush);
    QPainterPath stem;
    stem.moveTo(w * 0.52, h * 0.36);
    stem.cubicTo(w * 0.5, h * 0.6, w * 0.58, h * 0.8, w * 0.54, h + 10);
    p.drawPath(stem);
    p.setPen(Qt::NoPen);
    leaf(p, QPointF(w * 0.52, h * 0.7), QPointF(w * 0.12, h * 0.62), 80, QColor(60, 130, 40));
    leaf(p, QPointF(w * 0.55, h * 0.82), QPointF(w * 0.95, h * 0.72), 90, QColor(50, 120, 40));
    leaf(p, QPointF(w * 0.53, h * 0.56), QPointF(w * 0.85, h * 0.5), 60, QColor(80, 150, 50));
    head(QPointF(w * 0.5, h * 0.3), w * 0.3, -8);
    // A bee on its way.
    const QPointF bee(w * 0.18, h * 0.14);
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(bee + QPointF(-4, -12), 10, 7);
    p.drawEllipse(bee + QPointF(8, -12), 10, 7);
    p.setBrush(QColor(240, 190, 30));
    p.drawEllipse(bee, 14, 9);
    p.setBrush(QColor(30, 20, 10));
    p.drawRect(QRectF(bee.x() - 4, bee.y() - 9, 4, 18));
    p.drawRect(QRectF(bee.x() + 5, bee.y() - 8, 3, 16));
    p.end();
    texture(img, 0.04f, 0.016f, 212);
}

namespace
{
// A macaw perched on a branch: body, wing, tail and head.
void macaw(QPainter &p, QPointF feet, double s, const QColor &body, const QColor &wing,
           const QColor &wingTip, bool facingLeft)
{
    p.save();
    p.translate(feet);
    if (facingLeft)
        p.scale(-1, 1);
    p.scale(s, s);
    // Tail: long tapering feathers.
    for (int i = 0; i < 3; ++i) {
        QPainterPath f;
        f.moveTo(-10, 0);
        f.cubicTo(-30 - i * 6, 60, -50 - i * 10, 150, -60 - i * 14, 240 - i * 20);
        f.cubicTo(-40 - i * 8, 150, -15, 60, 12, 0);
        p.setBrush(i == 1 ? wingTip : body.darker(110 + i * 10));
        p.drawPath(f);
    }
    // Body.
    QPainterPath b;
    b.moveTo(0, 10);
    b.cubicTo(-40, -20, -30, -110, 10, -140);
    b.cubicTo(45, -120, 45, -40, 0, 10);
    QLinearGradient bg(-30, -140, 40, 10);
    bg.setColorAt(0, body.lighter(120));
    bg.setColorAt(1, body.darker(130));
    p.setBrush(bg);
    p.drawPath(b);
    // Wing: bands of coverts, flight feathers at the tip.
    QPainterPath wingPath;
    wingPath.moveTo(-4, -110);
    wingPath.cubicTo(-50, -90, -50, -20, -36, 40);
    wingPath.cubicTo(-10, 10, 10, -60, -4, -110);
    p.setBrush(wingTip);
    p.drawPath(wingPath);
    p.save();
    p.setClipPath(wingPath);
    p.setBrush(wing);
    p.drawRect(QRectF(-60, -120, 80, 90));
    p.setBrush(body);
    p.drawRect(QRectF(-60, -120, 80, 40));
    p.setPen(pen(QColor(0, 0, 0, 60), 1.5));
    for (int i = 0; i < 10; ++i)
        p.drawLine(QPointF(-50, -100 + i * 14), QPointF(10, -80 + i * 12));
    p.restore();
    // Head, white face, eye and hooked beak.
    p.setBrush(body);
    p.drawEllipse(QPointF(14, -150), 28, 26);
    p.setBrush(QColor(250, 248, 240));
    p.drawEllipse(QPointF(24, -148), 14, 12);
    p.setBrush(QColor(250, 230, 120));
    p.drawEllipse(QPointF(22, -152), 5, 5);
    p.setBrush(QColor(10, 10, 10));
    p.drawEllipse(QPointF(22, -152), 2.5, 2.5);
    QPainterPath beak;
    beak.moveTo(34, -160);
    beak.cubicTo(58, -164, 62, -140, 50, -122);
    beak.cubicTo(48, -136, 42, -140, 34, -138);
    beak.closeSubpath();
    p.setBrush(QColor(230, 220, 200));
    p.drawPath(beak);
    p.setBrush(QColor(30, 30, 30));
    p.drawEllipse(QPointF(38, -134), 7, 5);
    // Feet gripping the branch.
    p.setBrush(QColor(60, 60, 60));
    p.drawEllipse(QPointF(-2, 4), 10, 5);
    p.drawEllipse(QPointF(12, 4), 10, 5);
    p.restore();
}
} // namespace

// 21: two macaws on a branch in the rainforest.
void parrots(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(220);
    forEachPixel(img, [&](int x, int y, QRgb) {
        const float n = fbm(float(x) / 120.f, float(y) / 120.f, 221, 4);
        const float light = float(std::exp(-std::pow((x - w * 0.7) / (w * 0.5), 2) -
                                           std::pow((y - h * 0.2) / (h * 0.4), 2)));
        return mixRgb(mixRgb(qRgb(10, 40, 20), qRgb(40, 100, 40), n), qRgb(200, 230, 150),
                      light * 0.5f);
    });
    Painter p(&img);
    const QColor greens[] = {QColor(20, 70, 30), QColor(40, 110, 40),  QColor(70, 140, 50),
                             QColor(30, 90, 60), QColor(100, 160, 60), QColor(50, 120, 80)};
    // Leaves in three depths; the far ones darker and blurred by haze.
    for (int layer = 0; layer < 3; ++layer) {
        for (int i = 0; i < 70 - layer * 15; ++i) {
            const QPointF base(rng.next() * w, rng.next() * h);
            const double len = rng.range(60, 160) * (1 + layer * 0.4);
            const QColor c = mix(greens[rng.below(6)], QColor(20, 50, 30), 0.5 - layer * 0.25);
            leaf(p, base, base + polar(rng.range(0, 2 * M_PI), len), len * 0.25, c);
        }
    }
    // Heliconia and hibiscus flowers.
    for (int i = 0; i < 12; ++i) {
        const QPointF c(rng.next() * w, rng.next() * h);
        if (std::abs(c.x() - w * 0.5) < w * 0.3 && c.y() > h * 0.2 && c.y() < h * 0.75)
            continue;
        for (int k = 0; k < 5; ++k) {
            p.save();
            p.translate(c);
            p.rotate(k * 72 + i * 13);
            p.setBrush(i % 2 ? QColor(240, 60, 80) : QColor(250, 140, 40));
            p.drawEllipse(QPointF(0, -16), 11, 18);
            p.restore();
        }
        p.setBrush(QColor(250, 230, 100));
        p.drawEllipse(c, 5, 5);
    }
    // The branch, crossing the frame.
    QPainterPath branchPath;
    branchPath.moveTo(-20, h * 0.74);
    branchPath.cubicTo(w * 0.3, h * 0.66, w * 0.6, h * 0.7, w + 20, h * 0.56);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(70, 46, 30), 34));
    p.drawPath(branchPath);
    p.setPen(pen(QColor(120, 84, 56), 10));
    p.drawPath(branchPath.translated(0, -8));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const QPointF at = branchPath.pointAtPercent(0.1 + i * 0.11);
        leaf(p, at, at + polar(rng.range(0.2, 2.8), rng.range(50, 90)), 16, QColor(60, 140, 50));
    }
    macaw(p, branchPath.pointAtPercent(0.32) + QPointF(0, -14), 1.55, QColor(210, 30, 30),
          QColor(250, 200, 30), QColor(30, 90, 200), false);
    macaw(p, branchPath.pointAtPercent(0.7) + QPointF(0, -16), 1.35, QColor(40, 120, 220),
          QColor(40, 140, 220), QColor(30, 60, 160), true);
    // The blue-and-yellow macaw has a golden breast.
    p.save();
    const QPointF breast = branchPath.pointAtPercent(0.7) + QPointF(8, -100);
    p.setBrush(QColor(250, 200, 40, 220));
    p.drawEllipse(breast, 30, 60);
    p.restore();
    // A few leaves in front of everything.
    for (int i = 0; i < 10; ++i) {
        const QPointF base(i % 2 ? -10 : w + 10, rng.range(0.0, 1.0) * h);
        leaf(p, base, base + polar(i % 2 ? rng.range(-0.6, 0.6) : M_PI + rng.range(-0.6, 0.6), 200),
             50, greens[rng.below(6)].darker(140));
    }
    p.end();
    texture(img, 0.05f, 0.018f, 222);
}

// 22: a fairy-tale castle on a wooded hill, a river at its feet.
void castle(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(230);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.7),
                         {QColor(90, 140, 210), QColor(180, 200, 230), QColor(250, 220, 180)});
        glow(p, {w * 0.15, h * 0.5}, w * 0.6, QColor(255, 230, 180, 170));
    }
    clouds(img, {QRectF(0, 0, w, h * 0.5), QColor(255, 250, 240), QColor(160, 150, 190), 0.52f,
                 230.f, 80.f, 0.9f, 231});
    Painter p(&img);
    const auto far = mountainCrest(h * 0.55, h * 0.16, w * 0.35, 232);
    p.fillPath(ridge(w, h, far), QColor(130, 150, 190));
    // The hill with forest on its flanks.
    QPainterPath hill;
    hill.moveTo(-10, h * 0.74);
    hill.cubicTo(w * 0.2, h * 0.6, w * 0.35, h * 0.44, w * 0.55, h * 0.44);
    hill.cubicTo(w * 0.75, h * 0.44, w * 0.85, h * 0.6, w + 10, h * 0.66);
    hill.lineTo(w + 10, h);
    hill.lineTo(-10, h);
    hill.closeSubpath();
    QLinearGradient hg(0, h * 0.44, 0, h);
    hg.setColorAt(0, QColor(110, 160, 70));
    hg.setColorAt(1, QColor(40, 80, 40));
    p.fillPath(hill, hg);
    for (int i = 0; i < 90; ++i) {
        const double x = rng.next() * w;
        const double y = rng.range(0.56, 0.9) * h;
        if (std::abs(x - w * 0.55) < w * 0.2 && y < h * 0.6)
            continue;
        leafyCrown(
            p, QPointF(x, y), rng.range(16, 34),
            palette({QColor(40, 100, 40), QColor(90, 140, 50), QColor(30, 80, 50)}, rng.next()),
            rng, 14);
    }
    // The road winding up.
    QPainterPath road;
    road.moveTo(w * 0.3, h + 10);
    road.cubicTo(w * 0.7, h * 0.86, w * 0.2, h * 0.72, w * 0.5, h * 0.6);
    p.setPen(pen(QColor(220, 200, 160), 12));
    p.setBrush(Qt::NoBrush);
    p.drawPath(road);
    p.setPen(Qt::NoPen);
    // The castle: curtain wall with battlements, towers with pointed roofs and banners.
    const double groundY = h * 0.47;
    const auto stone = [&](const QRectF &r) {
        QLinearGradient g(r.topLeft(), r.topRight());
        g.setColorAt(0, QColor(230, 220, 210));
        g.setColorAt(1, QColor(160, 150, 150));
        p.setBrush(g);
        p.drawRect(r);
        p.setPen(pen(QColor(120, 110, 110, 90), 1));
        for (double y = r.top() + 10; y < r.bottom(); y += 10)
            p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
        p.setPen(Qt::NoPen);
    };
    const auto battlements = [&](const QRectF &r) {
        p.setBrush(QColor(200, 190, 185));
        for (double x = r.left(); x < r.right() - 6; x += 14)
            p.drawRect(QRectF(x, r.top() - 9, 8, 10));
    };
    const QRectF wall(w * 0.3, groundY - h * 0.1, w * 0.5, h * 0.1);
    stone(wall);
    battlements(wall);
    const QRectF keep(w * 0.45, groundY - h * 0.25, w * 0.16, h * 0.25);
    stone(keep);
    battlements(keep);
    struct Tower {
        double x, top, width;
        QColor roof;
    };
    const Tower towers[] = {{0.28, 0.26, 0.07, QColor(50, 70, 160)},
                            {0.4, 0.18, 0.06, QColor(180, 50, 60)},
                            {0.56, 0.1, 0.07, QColor(50, 70, 160)},
                            {0.7, 0.2, 0.06, QColor(180, 50, 60)},
                            {0.8, 0.28, 0.07, QColor(50, 70, 160)}};
    for (const Tower &t : towers) {
        const QRectF body(t.x * w, t.top * h + h * 0.06, t.width * w,
                          groundY - t.top * h - h * 0.06);
        stone(body);
        QPolygonF roof;
        roof << QPointF(body.left() - 6, body.top())
             << QPointF(body.center().x(), t.top * h - h * 0.04)
             << QPointF(body.right() + 6, body.top());
        QLinearGradient rg(body.topLeft(), body.topRight());
        rg.setColorAt(0, t.roof.lighter(130));
        rg.setColorAt(1, t.roof.darker(130));
        p.setBrush(rg);
        p.drawPolygon(roof);
        const QPointF tip(body.center().x(), t.top * h - h * 0.04);
        p.setPen(pen(QColor(60, 50, 50), 2));
        p.drawLine(tip, tip - QPointF(0, 30));
        p.setPen(Qt::NoPen);
        QPolygonF flag;
        flag << tip - QPointF(0, 30) << tip - QPointF(-26, 24) << tip - QPointF(0, 18);
        p.setBrush(QColor(250, 200, 40));
        p.drawPolygon(flag);
        p.setBrush(QColor(50, 40, 60));
        for (double y = body.top() + 20; y < body.bottom() - 20; y += 40) {
            QPainterPath win;
            const QRectF r(body.center().x() - 5, y, 10, 18);
            win.addRoundedRect(r, 5, 5);
            p.drawPath(win);
        }
    }
    p.setBrush(QColor(70, 50, 40));
    QPainterPath gate;
    gate.addRoundedRect(QRectF(w * 0.5, groundY - h * 0.06, w * 0.06, h * 0.06), 20, 20);
    p.drawPath(gate);
    // The river and a stone bridge at the foot of the hill.
    QPainterPath river;
    river.moveTo(-10, h * 0.9);
    river.cubicTo(w * 0.3, h * 0.86, w * 0.6, h * 0.98, w + 10, h * 0.9);
    river.lineTo(w + 10, h + 10);
    river.lineTo(-10, h + 10);
    river.closeSubpath();
    QLinearGradient rg(0, h * 0.86, 0, h);
    rg.setColorAt(0, QColor(120, 170, 220));
    rg.setColorAt(1, QColor(40, 90, 150));
    p.fillPath(river, rg);
    p.setPen(pen(QColor(230, 240, 255, 150), 2));
    for (int i = 0; i < 30; ++i) {
        const double x = rng.next() * w, y = rng.range(0.93, 0.99) * h;
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(10, 30), y));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 130, 120));
    QPainterPath bridge;
    bridge.moveTo(w * 0.12, h * 0.92);
    bridge.lineTo(w * 0.42, h * 0.92);
    bridge.lineTo(w * 0.42, h * 0.95);
    bridge.quadTo(w * 0.345, h * 0.9, w * 0.27, h * 0.95);
    bridge.quadTo(w * 0.195, h * 0.9, w * 0.12, h * 0.95);
    bridge.closeSubpath();
    p.drawPath(bridge);
    // Birds over the towers.
    p.setPen(pen(QColor(50, 50, 70), 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 8; ++i) {
        const QPointF g(rng.range(0.1, 0.9) * w, rng.range(0.04, 0.25) * h);
        const double s = rng.range(6, 12);
        QPainterPath bird;
        bird.moveTo(g + QPointF(-s, -s * 0.3));
        bird.quadTo(g + QPointF(-s * 0.5, -s * 0.6), g);
        bird.quadTo(g + QPointF(s * 0.5, -s * 0.6), g + QPointF(s, -s * 0.3));
        p.drawPath(bird);
    }
    p.end();
    texture(img, 0.04f, 0.016f, 233);
}

// 23: sky lanterns rising over a lake at a night festival.
void lanterns(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.68);
    Rng rng(240);
    const auto lantern = [](QPainter &p, QPointF c, double s, double warmth) {
        glow(p, c, s * 4, QColor(255, 160, 60, 120));
        QPainterPath body;
        body.moveTo(c + QPointF(-s * 0.55, -s * 0.7));
        body.lineTo(c + QPointF(s * 0.55, -s * 0.7));
        body.lineTo(c + QPointF(s * 0.42, s * 0.7));
        body.lineTo(c + QPointF(-s * 0.42, s * 0.7));
        body.closeSubpath();
        QLinearGradient g(c + QPointF(0, -s * 0.7), c + QPointF(0, s * 0.7));
        g.setColorAt(0, QColor(230, 90, 40));
        g.setColorAt(1, mix(QColor(255, 210, 110), QColor(255, 250, 200), warmth));
        p.setBrush(g);
        p.drawPath(body);
    };
    {
        Painter p(&img);
        verticalGradient(
            p, QRectF(0, 0, w, horizon),
            {QColor(6, 8, 30), QColor(30, 24, 70), QColor(90, 40, 80), QColor(170, 80, 70)});
        stars(p, QRectF(0, 0, w, h * 0.4), 200, rng, 1.2);
        glow(p, {w * 0.16, h * 0.09}, w * 0.3, QColor(255, 240, 210, 110));
        p.setBrush(QColor(255, 246, 226));
        p.drawEllipse(QPointF(w * 0.16, h * 0.09), 40, 40);
        p.setBrush(QColor(230, 220, 200));
        p.drawEllipse(QPointF(w * 0.16 - 12, h * 0.09 + 6), 10, 8);
        p.drawEllipse(QPointF(w * 0.16 + 14, h * 0.09 - 10), 7, 6);
        const auto hills = [&](double x) {
            return horizon - h * 0.03 - h * 0.08 * double(fbm(float(x / 200), 5.f, 241, 4));
        };
        p.fillPath(ridge(w, horizon, hills), QColor(20, 14, 30));
        // Lights of a temple and a village along the shore.
        for (int i = 0; i < 40; ++i) {
            const double x = rng.next() * w;
            glow(p, QPointF(x, horizon - rng.range(3, 14)), 10, QColor(255, 200, 120, 200));
        }
        // The lanterns: far ones small and many, near ones large.
        for (int i = 0; i < 260; ++i) {
            const double depth = std::pow(rng.next(), 2.5);
            const double y =
                horizon - h * 0.05 - rng.next() * (horizon - h * 0.05) * (0.4 + 0.6 * depth);
            const double s = 3 + depth * 26;
            lantern(p, QPointF(rng.next() * w, y), s, rng.next());
        }
    }
    mirrorWater(img, {horizon, 6.f, QColor(10, 10, 30), 0.4f, 0.2f, 242});
    Painter p(&img);
    // Floating lanterns on the water and a boat with people launching more.
    for (int i = 0; i < 40; ++i) {
        const double d = rng.next();
        const QPointF c(rng.next() * w, horizon + 10 + d * (h - horizon - 20));
        const double s = 4 + d * 14;
        glow(p, c, s * 4, QColor(255, 170, 70, 140));
        p.setBrush(QColor(255, 220, 140));
        p.drawRect(QRectF(c.x() - s * 0.6, c.y() - s * 0.6, s * 1.2, s * 0.8));
    }
    QPainterPath boat;
    const QPointF b(w * 0.36, h * 0.88);
    boat.moveTo(b + QPointF(-150, -10));
    boat.quadTo(b + QPointF(0, 36), b + QPointF(170, -16));
    boat.lineTo(b + QPointF(-150, -10));
    p.setBrush(QColor(14, 10, 20));
    p.drawPath(boat);
    for (int i = 0; i < 3; ++i) {
        const QPointF person = b + QPointF(-60 + i * 60, -6);
        p.drawEllipse(person + QPointF(0, -58), 11, 12);
        QPainterPath torso;
        torso.moveTo(person + QPointF(-18, 0));
        torso.quadTo(person + QPointF(-16, -46), person + QPointF(0, -46));
        torso.quadTo(person + QPointF(16, -46), person + QPointF(18, 0));
        torso.closeSubpath();
        p.drawPath(torso);
    }
    lantern(p, b + QPointF(20, -110), 26, 0.8);
    p.end();
    texture(img, 0.04f, 0.02f, 243);
}

// 24: glowing jellyfish drifting in deep water.
void jellyfish(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(250);
    forEachPixel(img, [&](int x, int y, QRgb) {
        const double v = double(y) / h;
        const float n = fbm(float(x) / 200.f, float(y) / 200.f, 251, 4);
        QRgb c = mixRgb(qRgb(20, 70, 120), qRgb(4, 10, 30), float(std::pow(v, 0.7)));
        // Faint shafts of light from far above.
        const float shaft = fbm(float(x + y * 0.3) / 40.f, 0.5f, 252, 3);
        c = mixRgb(c, qRgb(80, 160, 200), smoothstep(0.55f, 0.8f, shaft) * float(1.0 - v) * 0.4f);
        return mixRgb(c, qRgb(30, 20, 60), n * 0.3f);
    });
    Painter p(&img);
    // Bokeh of distant plankton.
    for (int i = 0; i < 90; ++i)
        puff(p, QPointF(rng.next() * w, rng.next() * h), rng.range(6, 30),
             QColor(120, 200, 255, int(rng.range(20, 60))));
    const auto jelly = [&](QPointF c, double r, const QColor &colour, double tilt) {
        p.save();
        p.translate(c);
        p.rotate(tilt);
        // Tentacles first, trailing in a slow current.
        for (int i = 0; i < 12; ++i) {
            const double x0 = -r * 0.9 + i * r * 1.8 / 11;
            QPainterPath t;
            t.moveTo(x0, r * 0.1);
            const double len = r * rng.range(2.0, 4.0);
            for (double s = 0; s <= 1.0; s += 0.05)
                t.lineTo(x0 + std::sin(s * 7 + i) * r * 0.15 * s, r * 0.1 + s * len);
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(withAlpha(colour.lighter(140), 0.45), std::max(1.0, r * 0.03)));
            p.drawPath(t);
        }
        // Frilled oral arms.
        for (int i = 0; i < 4; ++i) {
            const double x0 = -r * 0.3 + i * r * 0.2;
            QPainterPath arm;
            arm.moveTo(x0, r * 0.1);
            for (double s = 0; s <= 1.0; s += 0.04)
                arm.lineTo(x0 + std::sin(s * 12 + i * 2) * r * 0.12, r * 0.1 + s * r * 1.6);
            p.setPen(pen(withAlpha(colour, 0.6), r * 0.1));
            p.drawPath(arm);
        }
        p.setPen(Qt::NoPen);
        // The bell: translucent, brightest at its rim.
        QPainterPath bell;
        bell.moveTo(-r, r * 0.15);
        bell.cubicTo(-r * 1.05, -r * 0.9, r * 1.05, -r * 0.9, r, r * 0.15);
        for (int k = 0; k < 8; ++k) {
            const double x1 = r - (k + 1) * r * 0.25;
            bell.quadTo(x1 + r * 0.125, r * 0.3, x1, r * 0.15);
        }
        QRadialGradient g(QPointF(0, -r * 0.1), r * 1.1);
        g.setColorAt(0, withAlpha(colour.lighter(160), 0.55));
        g.setColorAt(0.7, withAlpha(colour, 0.5));
        g.setColorAt(1, withAlpha(colour.lighter(180), 0.95));
        p.setBrush(g);
        p.drawPath(bell);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(withAlpha(colour.lighter(170), 0.6), std::max(1.0, r * 0.02)));
        for (int k = -3; k <= 3; ++k) {
            QPainterPath rib;
            rib.moveTo(k * r * 0.04, -r * 0.6);
            rib.quadTo(k * r * 0.2, -r * 0.3, k * r * 0.28, r * 0.18);
            p.drawPath(rib);
        }
        p.setPen(Qt::NoPen);
        glow(p, QPointF(0, -r * 0.2), r * 1.8, withAlpha(colour, 0.25));
        p.restore();
    };
    jelly({w * 0.62, h * 0.2}, 150, QColor(240, 120, 200), 8);
    jelly({w * 0.2, h * 0.42}, 90, QColor(120, 200, 255), -10);
    jelly({w * 0.8, h * 0.58}, 70, QColor(200, 140, 255), 15);
    jelly({w * 0.42, h * 0.66}, 110, QColor(255, 170, 120), -4);
    jelly({w * 0.14, h * 0.1}, 44, QColor(160, 255, 220), 20);
    jelly({w * 0.86, h * 0.9}, 50, QColor(255, 120, 160), -20);
    jelly({w * 0.12, h * 0.86}, 60, QColor(120, 160, 255), 5);
    // Marine snow.
    for (int i = 0; i < 400; ++i) {
        p.setBrush(QColor(220, 240, 255, int(rng.range(40, 160))));
        const double r = rng.range(0.8, 2.4);
        p.drawEllipse(QPointF(rng.next() * w, rng.next() * h), r, r);
    }
    p.end();
    texture(img, 0.04f, 0.02f, 253);
}

// 25: a red-rock canyon with a river at its floor.
void canyon(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(260);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.4),
                         {QColor(50, 110, 200), QColor(140, 190, 236), QColor(240, 226, 210)});
        // The canyon floor, far below.
        verticalGradient(p, QRectF(0, h * 0.4, w, h * 0.6),
                         {QColor(180, 140, 110), QColor(150, 110, 70), QColor(110, 80, 50)});
    }
    {
        QPainterPath floorArea;
        floorArea.addRect(QRectF(0, h * 0.4, w, h * 0.6));
        roughen(img, floorArea, 0.3f, 10.f, 265);
    }
    clouds(img, {QRectF(0, 0, w, h * 0.3), QColor(255, 255, 255), QColor(170, 180, 210), 0.55f,
                 200.f, 60.f, 0.9f, 261});
    // Walls: layers from far (pale, hazy) to near (deep red), each banded with strata.
    struct Wall {
        std::function<double(double)> edge; // x of the wall's inner edge at height y
        bool left;
        double top, haze;
    };
    const auto strata = [&](double y, double x, double haze, double period, std::uint32_t seed) {
        const float n = fbm(float(x) / 200.f, float(y) / 40.f, seed, 3);
        const float band = float(std::fmod(y / period + n * 2.0, 6.0));
        const QRgb colours[] = {qRgb(190, 80, 40),   qRgb(220, 130, 70), qRgb(160, 60, 40),
                                qRgb(230, 170, 110), qRgb(200, 100, 50), qRgb(140, 60, 50)};
        QRgb c = mixRgb(colours[int(band)], colours[(int(band) + 1) % 6], band - std::floor(band));
        const float grit = fbm(float(x) / 6.f, float(y) / 6.f, seed + 1, 2);
        c = mixRgb(c, qRgb(60, 30, 20), grit * 0.35f);
        return mixRgb(c, qRgb(200, 170, 180), float(haze));
    };
    // Which wall covers each pixel, as index * 16 in a grey mask (0: sky).
    QImage mask(img.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter mp(&mask);
        const auto shape = [&](int index, const QPainterPath &path) {
            mp.fillPath(path, QColor(index * 16, index * 16, index * 16));
        };
        QPainterPath mesas;
        mesas.moveTo(0, h * 0.4);
        mesas.lineTo(0, h * 0.33);
        mesas.lineTo(w * 0.12, h * 0.33);
        mesas.lineTo(w * 0.16, h * 0.36);
        mesas.lineTo(w * 0.5, h * 0.36);
        mesas.lineTo(w * 0.55, h * 0.3);
        mesas.lineTo(w * 0.75, h * 0.3);
        mesas.lineTo(w * 0.8, h * 0.35);
        mesas.lineTo(w, h * 0.35);
        mesas.lineTo(w, h * 0.5);
        mesas.lineTo(0, h * 0.5);
        mesas.closeSubpath();
        shape(1, mesas);
        const double layers[][4] = {
            // left or right, top, inner edge at top, inner edge at bottom (as fractions)
            {0, 0.34, 0.3, 0.36}, {1, 0.36, 0.62, 0.56}, {0, 0.42, 0.22, 0.38},
            {1, 0.3, 0.78, 0.6},  {0, 0.22, 0.14, 0.34}, {1, 0.14, 0.9, 0.64}};
        for (int i = 0; i < 6; ++i) {
            const auto &l = layers[i];
            QPainterPath wall;
            const double outer = l[0] == 0 ? -10 : w + 10;
            wall.moveTo(outer, l[1] * h);
            for (double y = l[1] * h; y <= h; y += 8) {
                const double t = (y - l[1] * h) / (h - l[1] * h);
                const double jag = 20 * (double(fbm(3.f, float(y) / 30.f, 262 + i, 3)) - 0.5);
                wall.lineTo((l[2] + (l[3] - l[2]) * t) * w + jag, y);
            }
            wall.lineTo(outer, h + 10);
            wall.closeSubpath();
            shape(2 + i, wall);
        }
    }
    forEachPixel(img, [&](int x, int y, QRgb px) {
        const int index = (mask.constScanLine(y)[x] + 8) / 16;
        if (index == 0)
            return px;
        const double haze = std::max(0.0, 0.6 - (index - 1) * 0.11);
        // Nearer walls show wider bands; rain has streaked every face downwards.
        QRgb c = strata(y + index * 37, x, haze, 10.0 + index * 4.0, std::uint32_t(263 + index));
        const float streak = fbm(float(x) / 5.f, float(y) / 160.f, std::uint32_t(270 + index), 3);
        c = mixRgb(c, qRgb(70, 30, 30), smoothstep(0.55f, 0.8f, streak) * 0.35f);
        // Walls facing the sun are lit, the others in shadow.
        if (index >= 2 && index % 2 == 1)
            c = mixRgb(c, qRgb(60, 20, 40), 0.3f);
        return c;
    });
    Painter p(&img);
    // The river on the canyon floor.
    QPainterPath river;
    river.moveTo(w * 0.47, h * 0.5);
    river.cubicTo(w * 0.4, h * 0.65, w * 0.62, h * 0.75, w * 0.4, h + 10);
    river.lineTo(w * 0.64, h + 10);
    river.cubicTo(w * 0.75, h * 0.78, w * 0.5, h * 0.65, w * 0.5, h * 0.5);
    river.closeSubpath();
    QLinearGradient rg(0, h * 0.5, 0, h);
    rg.setColorAt(0, QColor(150, 200, 190));
    rg.setColorAt(1, QColor(40, 120, 110));
    p.fillPath(river, rg);
    p.setPen(pen(QColor(230, 250, 240, 140), 2));
    for (int i = 0; i < 30; ++i) {
        const double t = rng.next();
        const QPointF at = QPointF(w * (0.5 + 0.04 * std::sin(t * 8)), h * (0.55 + 0.45 * t));
        p.drawLine(at, at + QPointF(rng.range(8, 30) * (0.3 + t), 0));
    }
    p.setPen(Qt::NoPen);
    // Green scrub along the banks and a hawk overhead.
    for (int i = 0; i < 40; ++i) {
        const double t = rng.next();
        const double x = w * (0.4 + 0.2 * rng.next()) + (rng.chance(0.5) ? -1 : 1) * w * 0.12 * t;
        leafyCrown(p, QPointF(x, h * (0.6 + 0.4 * t)), 6 + 14 * t, QColor(90, 120, 50), rng, 8);
    }
    p.setBrush(QColor(50, 30, 30));
    const QPointF hawk(w * 0.3, h * 0.16);
    QPainterPath bird;
    bird.moveTo(hawk + QPointF(-40, -6));
    bird.quadTo(hawk + QPointF(-20, -16), hawk);
    bird.quadTo(hawk + QPointF(20, -16), hawk + QPointF(40, -6));
    bird.quadTo(hawk + QPointF(20, -4), hawk + QPointF(0, 6));
    bird.quadTo(hawk + QPointF(-20, -4), hawk + QPointF(-40, -6));
    p.drawPath(bird);
    p.end();
    texture(img, 0.04f, 0.018f, 264);
}

// 26: a ringed planet, its moons and a comet before a coloured nebula.
void planets(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(270);
    forEachPixel(img, [&](int x, int y, QRgb) {
        const float n = fbm(float(x) / 260.f, float(y) / 260.f, 271, 5);
        const float m = fbm(float(x) / 120.f + 3.f, float(y) / 120.f, 272, 4);
        const float dust = ridged(float(x) / 180.f, float(y) / 180.f, 273, 4);
        QRgb c = qRgb(4, 4, 14);
        c = mixRgb(c, qRgb(120, 30, 120), smoothstep(0.45f, 0.8f, n) * 0.8f);
        c = mixRgb(c, qRgb(30, 120, 160), smoothstep(0.5f, 0.8f, m) * 0.6f);
        c = mixRgb(c, qRgb(250, 180, 140), smoothstep(0.75f, 0.95f, n * m * 1.6f) * 0.5f);
        return mixRgb(c, qRgb(0, 0, 0), smoothstep(0.6f, 0.9f, dust) * 0.7f);
    });
    Painter p(&img);
    stars(p, QRectF(0, 0, w, h), 900, rng, 2.2);
    // The ringed giant, banded, lit from the upper left.
    const QPointF c(w * 0.56, h * 0.6);
    const double r = w * 0.27;
    const auto ring = [&](bool front) {
        p.save();
        p.translate(c);
        p.rotate(-18);
        QPainterPath band;
        band.addEllipse(QPointF(0, 0), r * 2.0, r * 0.5);
        band.addEllipse(QPointF(0, 0), r * 1.3, r * 0.3);
        QPainterPath half;
        half.addRect(QRectF(-r * 2.2, front ? 0 : -r, r * 4.4, r));
        p.setClipPath(half);
        for (int k = 0; k < 8; ++k) {
            const double rr = 2.0 - k * 0.09;
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(230, 200, 160, 130 + (k % 3) * 40), r * 0.05));
            p.drawEllipse(QPointF(0, 0), r * rr, r * rr * 0.25);
        }
        p.setPen(Qt::NoPen);
        p.restore();
    };
    ring(false);
    QImage globe(int(2 * r), int(2 * r), QImage::Format_ARGB32_Premultiplied);
    globe.fill(Qt::transparent);
    forEachPixel(globe, [&](int x, int y, QRgb) -> QRgb {
        const double dx = (x - r) / r, dy = (y - r) / r;
        const double d2 = dx * dx + dy * dy;
        if (d2 > 1.0)
            return 0;
        const double lat = dy + 0.12 * dx;
        const float turb = fbm(float(dx * 8), float(lat * 30), 274, 4);
        const double band = std::sin(lat * 22 + turb * 3.0) * 0.5 + 0.5;
        QRgb col = mixRgb(qRgb(220, 170, 110), qRgb(160, 100, 70), float(band));
        col = mixRgb(col, qRgb(250, 230, 200), smoothstep(0.7f, 0.9f, turb) * 0.5f);
        const double nz = std::sqrt(1.0 - d2);
        const double light = std::clamp(-0.6 * dx - 0.5 * dy + 0.6 * nz, 0.0, 1.0);
        col = mixRgb(qRgb(8, 4, 12), col, float(0.1 + 0.9 * light));
        const int a = d2 > 0.98 ? int((1.0 - d2) / 0.02 * 255) : 255;
        return qPremultiply(qRgba(qRed(col), qGreen(col), qBlue(col), a));
    });
    p.drawImage(QPointF(c.x() - r, c.y() - r), globe);
    ring(true);
    // A blue world with clouds, a grey moon with craters.
    const auto small = [&](QPointF at, double rad, QColor sea, QColor land, bool cloudy) {
        QRadialGradient g(at - QPointF(rad * 0.4, rad * 0.4), rad * 1.5);
        g.setColorAt(0, sea.lighter(140));
        g.setColorAt(0.6, sea);
        g.setColorAt(1, QColor(4, 4, 12));
        p.setBrush(g);
        p.drawEllipse(at, rad, rad);
        p.save();
        QPainterPath disc;
        disc.addEllipse(at, rad, rad);
        p.setClipPath(disc);
        for (int i = 0; i < 10; ++i) {
            p.setBrush(withAlpha(cloudy ? land : land.darker(130), 0.7));
            p.drawEllipse(at + QPointF(rng.range(-rad, rad), rng.range(-rad, rad)),
                          rad * rng.range(0.1, 0.3), rad * rng.range(0.08, 0.2));
        }
        if (cloudy) {
            p.setBrush(QColor(255, 255, 255, 150));
            for (int i = 0; i < 8; ++i)
                p.drawEllipse(at + QPointF(rng.range(-rad, rad), rng.range(-rad, rad)), rad * 0.4,
                              rad * 0.06);
        }
        QRadialGradient night(at - QPointF(rad * 0.5, rad * 0.5), rad * 2.0);
        night.setColorAt(0.4, QColor(0, 0, 0, 0));
        night.setColorAt(1, QColor(0, 0, 10, 230));
        p.setBrush(night);
        p.drawEllipse(at, rad, rad);
        p.restore();
        glow(p, at, rad * 1.3, withAlpha(sea.lighter(150), 0.25));
    };
    small({w * 0.2, h * 0.2}, w * 0.1, QColor(40, 100, 200), QColor(60, 150, 70), true);
    small({w * 0.85, h * 0.22}, w * 0.045, QColor(150, 146, 140), QColor(100, 96, 92), false);
    small({w * 0.16, h * 0.9}, w * 0.06, QColor(200, 90, 60), QColor(140, 60, 40), false);
    // A comet streaking across.
    const QPointF head(w * 0.72, h * 0.08);
    QPolygonF tail;
    tail << head + QPointF(0, -6) << head + QPointF(-w * 0.5, -h * 0.02)
         << head + QPointF(-w * 0.5, h * 0.07) << head + QPointF(0, 6);
    QLinearGradient tg(head, head + QPointF(-w * 0.5, h * 0.02));
    tg.setColorAt(0, QColor(200, 240, 255, 200));
    tg.setColorAt(1, QColor(200, 240, 255, 0));
    p.setBrush(tg);
    p.drawPolygon(tail);
    glow(p, head, 30, QColor(255, 255, 255, 255));
    p.end();
    texture(img, 0.03f, 0.018f, 275);
}

// 27: the Milky Way over a meadow and a lone tree.
void milkyWay(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(280);
    // The band runs from the lower left to the upper right.
    const QPointF a(w * -0.1, h * 0.05), b(w * 1.1, h * 0.8);
    const QPointF dir = (b - a) / std::hypot(b.x() - a.x(), b.y() - a.y());
    forEachPixel(img, [&](int x, int y, QRgb) {
        const double v = double(y) / h;
        QRgb c = mixRgb(qRgb(4, 6, 24), qRgb(40, 50, 100), float(std::pow(v, 2.0)));
        // Faint airglow: the dark sky is never one colour.
        const float air = fbm(float(x) / 300.f, float(y) / 300.f, 288, 3);
        c = mixRgb(c, air > 0.5f ? qRgb(60, 20, 90) : qRgb(10, 60, 70),
                   std::abs(air - 0.5f) * 2.2f);
        const QPointF d = QPointF(x, y) - a;
        const double across = d.x() * -dir.y() + d.y() * dir.x();
        const double along = d.x() * dir.x() + d.y() * dir.y();
        const float warp = fbm(float(along) / 150.f, float(across) / 150.f, 281, 4);
        const double width = w * 0.16;
        const float core = float(std::exp(-std::pow((across + (warp - 0.5) * 80) / width, 2)));
        const float clouds = fbm(float(x) / 40.f, float(y) / 40.f, 282, 5);
        const float dust = ridged(float(along) / 120.f, float(across) / 60.f, 283, 4);
        const float glowAmt =
            core * (0.4f + clouds * 0.9f) * (1.f - smoothstep(0.55f, 0.9f, dust) * 0.6f);
        const QRgb tint = mixRgb(qRgb(120, 140, 220), qRgb(255, 220, 190), core);
        c = mixRgb(c, tint, std::min(1.f, glowAmt * 0.8f));
        return c;
    });
    Painter p(&img);
    // Many more stars inside the band than outside.
    for (int i = 0; i < 2400; ++i) {
        const double t = rng.next();
        const double off = (rng.next() + rng.next() + rng.next() - 1.5) * w * 0.25;
        const QPointF s = a + (b - a) * t + QPointF(-dir.y(), dir.x()) * off;
        const double r = 0.4 + std::pow(rng.next(), 4) * 1.8;
        p.setBrush(QColor(255, 250, 240, int(rng.range(80, 255))));
        p.drawEllipse(s, r, r);
    }
    stars(p, QRectF(0, 0, w, h * 0.8), 500, rng, 2.0);
    crescent(p, {w * 0.84, h * 0.1}, 26, QColor(255, 244, 220));
    // A bright planet low in the east, steady where the stars twinkle.
    glow(p, {w * 0.74, h * 0.31}, 70, QColor(255, 230, 190, 150));
    p.setBrush(QColor(255, 246, 225));
    p.drawEllipse(QPointF(w * 0.74, h * 0.31), 6, 6);
    // A shooting star.
    QLinearGradient sg(w * 0.3, h * 0.5, w * 0.1, h * 0.62);
    sg.setColorAt(0, QColor(255, 255, 255, 0));
    sg.setColorAt(1, QColor(255, 255, 255, 230));
    p.setPen(QPen(QBrush(sg), 2.5));
    p.drawLine(QPointF(w * 0.3, h * 0.5), QPointF(w * 0.1, h * 0.62));
    p.setPen(Qt::NoPen);
    // Hills with the tree and a glowing tent; a meadow and a campfire in front.
    const auto hills = [&](double x) {
        return h * 0.8 - h * 0.1 * std::exp(-std::pow((x - w * 0.3) / (w * 0.3), 2)) -
               h * 0.03 * double(fbm(float(x / 100), 1.f, 284, 3));
    };
    // A far town lights the haze above the hills in the west.
    glow(p, {w * 0.04, h * 0.76}, w * 0.4, QColor(255, 150, 100, 190));
    const QPainterPath hillPath = ridge(w, h, hills);
    QLinearGradient hg(0, h * 0.7, 0, h);
    hg.setColorAt(0, QColor(30, 34, 66));
    hg.setColorAt(1, QColor(14, 18, 30));
    p.fillPath(hillPath, hg);
    const QPointF fire(w * 0.56, h * 0.93);
    glow(p, fire, w * 0.45, QColor(255, 150, 60, 150));
    p.aside(&img, [&] { roughen(img, hillPath, 0.4f, 12.f, 286); });
    QPainterPath trunk;
    const QPointF root(w * 0.3, hills(w * 0.3) + 4);
    trunk.moveTo(root + QPointF(-14, 0));
    trunk.cubicTo(root + QPointF(-8, -60), root + QPointF(-20, -110), root + QPointF(-4, -150));
    trunk.lineTo(root + QPointF(10, -150));
    trunk.cubicTo(root + QPointF(0, -110), root + QPointF(14, -60), root + QPointF(16, 0));
    trunk.closeSubpath();
    p.setBrush(QColor(8, 8, 16));
    p.drawPath(trunk);
    for (int i = 0; i < 60; ++i)
        p.drawEllipse(root + QPointF(rng.range(-130, 130), rng.range(-260, -140)),
                      rng.range(20, 44), rng.range(14, 30));
    // Pines along the western crest, black against the town's glow.
    for (int i = 0; i < 7; ++i) {
        const double x = w * 0.015 + i * w * 0.03 + rng.range(-8, 8);
        pine(p, x, hills(x) + 10, rng.range(50, 95), QColor(8, 8, 16));
    }
    const QPointF tent(w * 0.78, hills(w * 0.78) + 16);
    glow(p, tent + QPointF(0, -20), 160, QColor(255, 170, 80, 120));
    QPolygonF tentShape;
    tentShape << tent + QPointF(-56, 0) << tent + QPointF(0, -64) << tent + QPointF(56, 0);
    p.setBrush(QColor(255, 170, 80));
    p.drawPolygon(tentShape);
    p.setBrush(QColor(200, 110, 40));
    QPolygonF door;
    door << tent + QPointF(-12, 0) << tent + QPointF(0, -30) << tent + QPointF(12, 0);
    p.drawPolygon(door);
    // Wild flowers in the meadow, caught by the firelight.
    for (int i = 0; i < 500; ++i) {
        const QPointF f(rng.next() * w, h * rng.range(0.84, 1.0));
        const double lit =
            std::max(0.0, 1.0 - std::hypot(f.x() - fire.x(), f.y() - fire.y()) / (w * 0.5));
        p.setBrush(mix(QColor(60, 70, 110),
                       rng.chance(0.5) ? QColor(255, 230, 200) : QColor(230, 160, 230),
                       0.3 + 0.7 * lit));
        p.drawEllipse(f, 2.5, 2.5);
    }
    // The campfire.
    p.setPen(pen(QColor(40, 24, 16), 8));
    p.drawLine(fire + QPointF(-34, 10), fire + QPointF(30, -2));
    p.drawLine(fire + QPointF(-30, -2), fire + QPointF(34, 10));
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 5; ++k) {
        QPainterPath flame;
        const double x = fire.x() + (k - 2) * 9, top = fire.y() - 30 - (2 - std::abs(k - 2)) * 16;
        flame.moveTo(x - 11, fire.y());
        flame.quadTo(x - 10, fire.y() - 20, x, top);
        flame.quadTo(x + 10, fire.y() - 20, x + 11, fire.y());
        flame.closeSubpath();
        p.setBrush(k % 2 ? QColor(255, 200, 60, 230) : QColor(255, 110, 30, 230));
        p.drawPath(flame);
    }
    // A telescope on its tripod, turned to the sky.
    const QPointF scope(w * 0.86, h * 0.97);
    p.setPen(pen(QColor(10, 10, 18), 4));
    p.drawLine(scope + QPointF(0, -70), scope + QPointF(-26, 0));
    p.drawLine(scope + QPointF(0, -70), scope + QPointF(24, 0));
    p.drawLine(scope + QPointF(0, -70), scope + QPointF(2, 4));
    p.setPen(pen(QColor(10, 10, 18), 14));
    p.drawLine(scope + QPointF(-34, -58), scope + QPointF(40, -100));
    // Grass in silhouette along the bottom, and fireflies.
    for (int i = 0; i < 300; ++i) {
        const double x = rng.next() * w;
        const double len = rng.range(14, 50);
        QPainterPath blade;
        blade.moveTo(x, h + 2);
        blade.quadTo(x + rng.range(-8, 8), h - len * 0.6, x + rng.range(-14, 14), h - len);
        p.setPen(pen(QColor(6, 6, 14), rng.range(1.2, 3.0)));
        p.drawPath(blade);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i)
        glow(p, QPointF(rng.next() * w, rng.range(0.74, 0.98) * h), 8, QColor(220, 255, 120, 220));
    p.end();
    texture(img, 0.03f, 0.02f, 285);
}

// 28: a tropical beach with leaning palms and a turquoise lagoon.
void tropicalBeach(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.42);
    Rng rng(290);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon + 2),
                         {QColor(20, 110, 210), QColor(90, 170, 236), QColor(200, 236, 250)});
    }
    clouds(img, {QRectF(0, h * 0.1, w, horizon - h * 0.08), QColor(255, 255, 255),
                 QColor(170, 190, 220), 0.5f, 160.f, 70.f, 0.95f, 291});
    // The lagoon: deep blue at the horizon to turquoise over the sand.
    const auto shore = [&](double x) { return h * 0.66 + h * 0.05 * std::sin(x / w * 3.5 + 0.6); };
    forEachPixelRows(img, horizon, int(h), [&](int x, int y, QRgb px) {
        const double s = shore(x);
        if (y > s + 6)
            return px;
        const double d = (y - horizon) / (s - horizon);
        QRgb c = mixRgb(qRgb(10, 70, 150), qRgb(40, 200, 200), float(std::pow(d, 1.5)));
        const float wave = fbm(float(x) / 50.f, float(y) / (4.f + 10.f * float(d)), 292, 3);
        c = mixRgb(c, qRgb(230, 255, 255), smoothstep(0.66f, 0.8f, wave) * 0.6f);
        return c;
    });
    // Sand, wet near the water.
    forEachPixelRows(img, int(h * 0.58), int(h), [&](int x, int y, QRgb px) {
        const double s = shore(x);
        if (y < s)
            return px;
        const float n = fbm(float(x) / 8.f, float(y) / 8.f, 293, 3);
        const float wet = smoothstep(float(s + 40), float(s), float(y));
        QRgb c = mixRgb(qRgb(240, 220, 170), qRgb(210, 180, 130), n);
        return mixRgb(c, qRgb(170, 150, 120), wet * 0.6f);
    });
    Painter p(&img);
    // Foam where the waves run up.
    for (int k = 0; k < 3; ++k) {
        QPainterPath foam;
        foam.moveTo(0, shore(0) - k * 20);
        for (double x = 0; x <= w; x += 10)
            foam.lineTo(x, shore(x) - k * 24 + 4 * std::sin(x * 0.05 + k));
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(QColor(255, 255, 255, 200 - k * 50), 5 - k));
        p.drawPath(foam);
    }
    p.setPen(Qt::NoPen);
    // A little island on the horizon.
    QPainterPath island;
    island.moveTo(w * 0.62, horizon + 2);
    island.quadTo(w * 0.72, horizon - 26, w * 0.84, horizon + 2);
    island.closeSubpath();
    p.fillPath(island, QColor(60, 110, 80));
    p.setPen(pen(QColor(50, 80, 60), 2));
    for (int i = 0; i < 3; ++i) {
        const QPointF top(w * (0.7 + 0.03 * i), horizon - 36 - i * 4);
        p.drawLine(top, QPointF(w * (0.69 + 0.035 * i), horizon - 12));
        for (int k = 0; k < 5; ++k)
            p.drawLine(top, top + polar(-M_PI + k * M_PI / 4, 12));
    }
    p.setPen(Qt::NoPen);
    // A sailing boat far out.
    p.setBrush(QColor(250, 250, 250));
    QPolygonF sail;
    sail << QPointF(w * 0.3, horizon + 12) << QPointF(w * 0.3, horizon - 30)
         << QPointF(w * 0.33, horizon + 12);
    p.drawPolygon(sail);
    // Palms leaning in from the left.
    const auto palm = [&](QPointF base, QPointF top, double thick) {
        const int rings = 70;
        for (int i = 0; i < rings; ++i) {
            const double t = double(i) / rings;
            const QPointF at = base + (top - base) * t + QPointF(std::sin(t * M_PI) * 50, 0);
            p.setBrush(i % 3 ? QColor(150, 110, 70) : QColor(110, 80, 52));
            p.drawEllipse(at, thick * (1 - t * 0.4), thick * 0.5);
        }
        for (int k = 0; k < 9; ++k) {
            const double a = -M_PI * 0.9 + k * M_PI * 1.8 / 8 + rng.range(-0.1, 0.1);
            const double len = rng.range(150, 230);
            QPainterPath rib;
            rib.moveTo(top);
            const QPointF end = top + polar(a, len) + QPointF(0, len * 0.45);
            const QPointF ctrl = top + polar(a, len * 0.6) - QPointF(0, len * 0.15);
            rib.quadTo(ctrl, end);
            for (double s = 0.1; s < 1.0; s += 0.05) {
                const QPointF at = rib.pointAtPercent(s);
                const double ang = rib.angleAtPercent(s) * M_PI / 180;
                for (const double side : {1.0, -1.0}) {
                    const QPointF tip = at + polar(-ang + side * 1.2 + 0.4, 40 * (1 - s * 0.6));
                    p.setPen(pen(mix(QColor(40, 120, 40), QColor(120, 180, 60), s), 3));
                    p.drawLine(at, tip);
                }
            }
            p.setPen(pen(QColor(60, 100, 40), 3));
            p.setBrush(Qt::NoBrush);
            p.drawPath(rib);
            p.setPen(Qt::NoPen);
        }
        p.setBrush(QColor(110, 80, 40));
        for (int k = 0; k < 4; ++k)
            p.drawEllipse(top + QPointF(-12 + k * 8, 10 + (k % 2) * 6), 9, 9);
    };
    palm({w * 0.1, h * 1.02}, {w * 0.34, h * 0.2}, 22);
    palm({w * 0.02, h * 0.98}, {w * 0.12, h * 0.44}, 18);
    // Shells and a starfish on the sand.
    for (int i = 0; i < 14; ++i) {
        const QPointF c(rng.range(0.3, 0.98) * w, rng.range(0.76, 0.98) * h);
        p.setBrush(palette({QColor(250, 230, 220), QColor(240, 180, 160), QColor(230, 210, 170)},
                           rng.next()));
        p.drawEllipse(c, rng.range(5, 10), rng.range(4, 7));
    }
    // A striped umbrella over a towel, and a sandcastle by the water.
    const QPointF pole(w * 0.52, h * 0.93);
    p.setBrush(QColor(60, 140, 200));
    p.save();
    p.translate(pole + QPointF(10, 10));
    p.rotate(-8);
    p.drawRect(QRectF(-70, -20, 140, 44));
    p.setBrush(QColor(250, 250, 250));
    for (int k = 0; k < 4; ++k)
        p.drawRect(QRectF(-70 + k * 36, -20, 14, 44));
    p.restore();
    p.setPen(pen(QColor(90, 70, 60), 5));
    p.drawLine(pole, pole + QPointF(14, -170));
    p.setPen(Qt::NoPen);
    QPainterPath canopy;
    const QPointF tip = pole + QPointF(14, -190);
    canopy.moveTo(tip + QPointF(-120, 40));
    canopy.quadTo(tip + QPointF(0, -30), tip + QPointF(120, 40));
    canopy.closeSubpath();
    p.setBrush(QColor(230, 60, 60));
    p.drawPath(canopy);
    p.save();
    p.setClipPath(canopy);
    p.setBrush(QColor(250, 240, 200));
    for (int k = 0; k < 3; ++k) {
        QPolygonF stripe;
        stripe << tip << tip + QPointF(-120 + k * 80 + 20, 40)
               << tip + QPointF(-120 + k * 80 + 50, 40);
        p.drawPolygon(stripe);
    }
    p.restore();
    // Footprints from the bottom of the frame to the water's edge, pressed darker into the sand.
    for (int k = 0; k < 9; ++k) {
        const double t = k / 8.0;
        const QPointF step(w * (0.98 - 0.3 * t) + (k % 2 ? 14 : -14) * (1 - 0.5 * t),
                           h * (1.0 - 0.2 * t));
        p.save();
        p.translate(step);
        p.rotate(-30);
        p.setBrush(QColor(190, 160, 110));
        p.drawEllipse(QPointF(0, 0), 6 * (1 - 0.4 * t), 13 * (1 - 0.4 * t));
        p.restore();
    }
    const QPointF castle(w * 0.86, h * 0.84);
    // A moat of wet sand around the castle.
    p.setBrush(QColor(180, 150, 110));
    p.drawEllipse(castle + QPointF(0, 4), 76, 20);
    p.setBrush(QColor(220, 190, 130));
    p.drawRect(QRectF(castle.x() - 50, castle.y() - 30, 100, 30));
    for (const double dx : {-44.0, -6.0, 32.0}) {
        p.drawRect(QRectF(castle.x() + dx, castle.y() - 58, 14, 30));
        p.setBrush(QColor(200, 40, 40));
        QPolygonF flag;
        flag << QPointF(castle.x() + dx + 7, castle.y() - 80)
             << QPointF(castle.x() + dx + 24, castle.y() - 74)
             << QPointF(castle.x() + dx + 7, castle.y() - 68);
        p.drawPolygon(flag);
        p.setBrush(QColor(220, 190, 130));
        p.drawRect(QRectF(castle.x() + dx + 6, castle.y() - 80, 2, 22));
    }
    p.setBrush(QColor(150, 110, 70));
    p.drawRect(QRectF(castle.x() - 8, castle.y() - 18, 16, 18));
    // The builder's bucket and spade, left beside it.
    const QPointF bucket(w * 0.9, h * 0.94);
    QPolygonF pail;
    pail << bucket + QPointF(-26, -50) << bucket + QPointF(26, -50) << bucket + QPointF(20, 0)
         << bucket + QPointF(-20, 0);
    p.setBrush(QColor(40, 120, 220));
    p.drawPolygon(pail);
    p.setBrush(QColor(250, 210, 40));
    p.drawRect(QRectF(bucket.x() - 26, bucket.y() - 54, 52, 8));
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(250, 210, 40), 3));
    p.drawArc(QRectF(bucket.x() - 24, bucket.y() - 78, 48, 50), 0, 180 * 16);
    p.setPen(pen(QColor(230, 50, 50), 6));
    p.drawLine(bucket + QPointF(-70, -6), bucket + QPointF(-40, -60));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 50, 50));
    p.drawEllipse(bucket + QPointF(-74, 0), 14, 10);
    const QPointF star(w * 0.7, h * 0.88);
    QPainterPath starfish;
    for (int k = 0; k < 10; ++k) {
        const QPointF pt = star + polar(-M_PI / 2 + k * M_PI / 5, k % 2 ? 12 : 34);
        if (k == 0)
            starfish.moveTo(pt);
        else
            starfish.lineTo(pt);
    }
    starfish.closeSubpath();
    p.setBrush(QColor(240, 110, 60));
    p.drawPath(starfish);
    p.end();
    texture(img, 0.04f, 0.016f, 294);
}

} // namespace pictures
