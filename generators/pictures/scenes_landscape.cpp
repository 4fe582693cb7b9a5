// The Normal pictures: wide views, painted on a landscape canvas.

#include "generators/pictures/canvas.h"
#include "generators/pictures/scenes.h"

#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pictures
{

namespace
{

// A field of reeds or grass blades rising from baseY.
void grass(QPainter &p, double x0, double x1, double baseY, double height, const QColor &colour,
           Rng &rng, int count)
{
    p.save();
    for (int i = 0; i < count; ++i) {
        const double x = rng.range(x0, x1);
        const double hgt = height * rng.range(0.4, 1.0);
        const double lean = rng.range(-0.35, 0.35) * hgt;
        QPainterPath blade;
        blade.moveTo(x, baseY + rng.range(0, height * 0.2));
        blade.quadTo(x + lean * 0.3, baseY - hgt * 0.6, x + lean, baseY - hgt);
        p.setPen(pen(mix(colour, colour.lighter(150), rng.next()), rng.range(1.0, 2.6)));
        p.setBrush(Qt::NoBrush);
        p.drawPath(blade);
    }
    p.restore();
}

QPointF polarPoint(double angle, double radius)
{
    return {std::cos(angle) * radius, std::sin(angle) * radius};
}

} // namespace

// 1: a mountain lake at dawn, peaks catching the first light.
void mountainLake(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.56);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon + 2),
                         {QColor(34, 44, 98), QColor(88, 80, 148), QColor(206, 124, 140),
                          QColor(255, 184, 128), QColor(255, 226, 168)});
        glow(p, {w * 0.66, horizon - h * 0.05}, w * 0.5, QColor(255, 206, 150, 210));
        glow(p, {w * 0.66, horizon - h * 0.05}, w * 0.05, QColor(255, 252, 226));
    }
    clouds(img, {QRectF(0, 0, w, horizon * 0.8), QColor(255, 196, 176), QColor(112, 84, 136), 0.5f,
                 330.f, 45.f, 0.85f, 11});
    {
        Painter p(&img);
        const auto far = mountainCrest(horizon - h * 0.06, h * 0.34, w * 0.32, 21);
        QLinearGradient snow(0, horizon - h * 0.4, 0, horizon);
        snow.setColorAt(0.0, QColor(255, 222, 222));
        snow.setColorAt(0.3, QColor(196, 160, 186));
        snow.setColorAt(1.0, QColor(104, 98, 150));
        p.fillPath(ridge(w, horizon, far), snow);
        const auto mid = mountainCrest(horizon - h * 0.01, h * 0.17, w * 0.16, 22);
        QLinearGradient midG(0, horizon - h * 0.18, 0, horizon);
        midG.setColorAt(0.0, QColor(112, 92, 138));
        midG.setColorAt(1.0, QColor(58, 60, 100));
        p.fillPath(ridge(w, horizon, mid), midG);
        const auto near = [&](double x) {
            return horizon - h * 0.025 - h * 0.05 * double(fbm(float(x / (w * 0.12)), 0.5f, 23, 3));
        };
        p.fillPath(ridge(w, horizon, near), QColor(32, 46, 64));
        Rng rng(1);
        for (double x = 0; x < w; x += rng.range(5, 13))
            pine(p, x, near(x) + 6, h * rng.range(0.035, 0.085), QColor(28, 42, 58));
    }
    mirrorWater(img, {horizon, 5.f, QColor(42, 52, 96), 0.5f, 0.18f, 31});
    {
        Painter p(&img);
        Rng rng(2);
        // The sun's glitter on the water.
        for (int i = 0; i < 260; ++i) {
            const double y = horizon + std::pow(rng.next(), 1.6) * (h - horizon) * 0.9;
            const double spread = 0.03 * w + (y - horizon) * 0.35;
            const double x = w * 0.66 + rng.range(-1, 1) * spread * rng.next();
            p.setBrush(QColor(255, 230, 180, int(rng.range(60, 200))));
            p.drawRect(QRectF(x, y, rng.range(6, 26), rng.range(1.2, 2.6)));
        }
        // The near shore on the left, with rocks and tall pines.
        QPainterPath shore;
        shore.moveTo(0, h * 0.7);
        shore.cubicTo(w * 0.16, h * 0.72, w * 0.28, h * 0.86, w * 0.44, h + 2);
        shore.lineTo(0, h + 2);
        shore.closeSubpath();
        QLinearGradient ground(0, h * 0.7, w * 0.3, h);
        ground.setColorAt(0.0, QColor(70, 84, 58));
        ground.setColorAt(1.0, QColor(30, 40, 30));
        p.fillPath(shore, ground);
        for (int i = 0; i < 14; ++i) {
            const double t = rng.next();
            const QPointF c(w * 0.02 + t * w * 0.4, h * 0.73 + t * t * h * 0.27 + rng.range(-8, 8));
            const double r = rng.range(14, 40) * (0.6 + t);
            QRadialGradient rock(c - QPointF(r * 0.4, r * 0.5), r * 1.4);
            rock.setColorAt(0, QColor(170, 150, 150));
            rock.setColorAt(1, QColor(60, 58, 70));
            p.setBrush(rock);
            p.drawEllipse(c, r, r * 0.6);
        }
        grass(p, 0, w * 0.42, h * 0.96, h * 0.08, QColor(60, 80, 40), rng, 260);
        for (const double x : {w * 0.03, w * 0.1, w * 0.17})
            pine(p, x, h * 0.8 + x * 0.2, h * rng.range(0.45, 0.6), QColor(22, 36, 36));
        // Reeds on the right bank.
        grass(p, w * 0.78, w, h * 1.0, h * 0.16, QColor(64, 58, 40), rng, 180);
        // A rocky islet with two pines, and a canoe gliding on the far side.
        const QPointF islet(w * 0.37, h * 0.63);
        p.setBrush(QColor(30, 36, 60, 120));
        p.drawEllipse(islet + QPointF(0, 14), 70, 10);
        p.setBrush(QColor(70, 64, 80));
        p.drawEllipse(islet, 64, 14);
        pine(p, islet.x() - 18, islet.y() - 4, 90, QColor(26, 40, 48));
        pine(p, islet.x() + 16, islet.y() - 2, 64, QColor(30, 46, 54));
        const QPointF canoe(w * 0.86, h * 0.64);
        QPainterPath hull;
        hull.moveTo(canoe + QPointF(-60, 0));
        hull.quadTo(canoe + QPointF(0, 14), canoe + QPointF(60, 0));
        hull.closeSubpath();
        p.setBrush(QColor(150, 60, 40));
        p.drawPath(hull);
        p.setBrush(QColor(40, 30, 40, 120));
        p.drawEllipse(canoe + QPointF(0, 12), 64, 5);
        p.setBrush(QColor(40, 30, 40));
        p.drawEllipse(canoe + QPointF(-10, -16), 6, 6);
        p.drawRect(QRectF(canoe.x() - 15, canoe.y() - 11, 10, 12));
        p.setPen(pen(QColor(40, 30, 30), 2.5));
        p.drawLine(canoe + QPointF(-34, -22), canoe + QPointF(16, 10));
        p.setPen(Qt::NoPen);
    }
    texture(img, 0.05f, 0.018f, 41);
}

// 2: rolling hills of fields, cypresses and a farmhouse under summer clouds.
void tuscanHills(QImage &img)
{
    const double w = img.width(), h = img.height();
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h * 0.5),
                         {QColor(64, 124, 204), QColor(140, 190, 236), QColor(232, 236, 222)});
    }
    clouds(img, {QRectF(0, 0, w, h * 0.42), QColor(255, 255, 255), QColor(150, 164, 190), 0.48f,
                 190.f, 95.f, 0.95f, 12});
    Painter p(&img);
    Rng rng(3);
    const auto farHills = [&](double x) {
        return h * 0.36 - h * 0.06 * double(fbm(float(x / (w * 0.25)), 1.5f, 5, 4));
    };
    p.fillPath(ridge(w, h, farHills), QColor(132, 156, 176));
    p.aside(&img, [&] { roughen(img, ridge(w, h, farHills), 0.12f, 26.f, 6); });
    // A hill town, blue with distance.
    for (int i = 0; i < 9; ++i) {
        const double x = w * 0.18 + i * 11;
        const double y = farHills(x) + 2;
        p.setBrush(i % 2 ? QColor(200, 196, 190) : QColor(176, 160, 150));
        p.drawRect(QRectF(x, y - rng.range(8, 16), 10, 18));
    }
    p.setBrush(QColor(190, 180, 170));
    p.drawRect(QRectF(w * 0.18 + 40, farHills(w * 0.18 + 44) - 30, 8, 32));
    const std::vector<QColor> crops = {
        QColor(214, 180, 80), QColor(120, 160, 60), QColor(160, 150, 60),  QColor(196, 140, 70),
        QColor(150, 190, 90), QColor(140, 100, 60), QColor(226, 204, 120), QColor(92, 130, 56)};
    const int layers = 5;
    QPointF farm;
    for (int layer = 0; layer < layers; ++layer) {
        const double base = h * (0.42 + 0.12 * layer);
        const double amp = h * (0.05 + 0.03 * layer);
        const double phase = rng.range(0, 6.28);
        const double freq = rng.range(1.6, 3.0);
        const auto crest = [=](double x) {
            return base - amp * std::sin(x / w * freq * M_PI + phase) -
                   amp * 0.6 * double(fbm(float(x / (w * 0.2)), float(layer), 17, 3));
        };
        const QPainterPath hill = ridge(w, h, crest);
        p.save();
        p.setClipPath(hill);
        // Fields: strips from crest downwards, each with its own crop and furrow direction.
        const double haze = 0.45 - layer * 0.1;
        for (double x0 = -w * 0.05; x0 < w;) {
            const double x1 = x0 + w * rng.range(0.07, 0.2);
            const double slant = rng.range(-0.4, 0.4) * w * 0.1;
            QPolygonF field;
            field << QPointF(x0, crest(x0) - 4) << QPointF(x1, crest(x1) - 4)
                  << QPointF(x1 + slant, h + 4) << QPointF(x0 + slant, h + 4);
            const QColor crop = mix(crops[size_t(rng.below(int(crops.size())))],
                                    QColor(150, 170, 190), std::max(haze, 0.0));
            p.setBrush(crop);
            p.drawPolygon(field);
            // Furrows follow the hill's curve.
            p.setPen(pen(withAlpha(crop.darker(125), 0.6), 1.0 + layer * 0.6));
            const double gap = 5 + layer * 5;
            for (double d = gap; d < h * 0.5; d += gap) {
                QPainterPath furrow;
                furrow.moveTo(x0, crest(x0) + d);
                for (double x = x0; x <= x1 + slant; x += 8)
                    furrow.lineTo(x, crest(x) + d + (x - x0) * 0.05 * slant / w * 10);
                p.drawPath(furrow);
            }
            p.setPen(Qt::NoPen);
            x0 = x1;
        }
        // Round shading: the hill's lower parts lie in shade.
        QLinearGradient shade(0, base - amp * 2, 0, base + h * 0.2);
        shade.setColorAt(0.0, QColor(255, 250, 220, 40));
        shade.setColorAt(1.0, QColor(20, 30, 10, 110));
        p.fillRect(QRectF(0, 0, w, h), shade);
        p.restore();
        // Cypress rows on the crests.
        const int trees = 3 + layer * 2;
        const double start = rng.range(0.05, 0.6) * w;
        for (int i = 0; i < trees; ++i) {
            const double x = start + i * (14 + layer * 9) + rng.range(-3, 3);
            if (x > w)
                break;
            const double th = h * (0.04 + 0.025 * layer);
            const double y = crest(x) + 3;
            QPainterPath c;
            c.moveTo(x, y - th);
            c.cubicTo(x + th * 0.2, y - th * 0.6, x + th * 0.14, y, x, y);
            c.cubicTo(x - th * 0.14, y, x - th * 0.2, y - th * 0.6, x, y - th);
            p.setBrush(mix(QColor(30, 60, 30), QColor(110, 140, 140), haze));
            p.drawPath(c);
        }
        if (layer == 1)
            farm = QPointF(w * 0.68, crest(w * 0.68));
    }
    // The farmhouse on the second crest, and the white road down to it.
    QPainterPath road;
    road.moveTo(w * 0.3, h + 4);
    road.cubicTo(w * 0.55, h * 0.86, w * 0.42, h * 0.72, w * 0.6, h * 0.64);
    road.cubicTo(w * 0.66, h * 0.6, w * 0.6, farm.y() + 8, farm.x() - 10, farm.y() + 6);
    // The road narrows as it climbs away.
    for (int i = 0; i < 200; ++i) {
        const double t0 = i / 200.0, t1 = (i + 1) / 200.0;
        p.setPen(pen(QColor(232, 216, 180), 16 * (1 - t0) + 3));
        p.drawLine(road.pointAtPercent(t0), road.pointAtPercent(t1));
    }
    p.setPen(Qt::NoPen);
    const QRectF house(farm.x() - 40, farm.y() - 36, 80, 40);
    p.setBrush(QColor(226, 190, 140));
    p.drawRect(house);
    p.setBrush(QColor(200, 160, 110));
    p.drawRect(QRectF(house.right(), house.top() + 10, 34, 30));
    QPolygonF roof;
    roof << QPointF(house.left() - 6, house.top()) << QPointF(house.center().x(), house.top() - 16)
         << QPointF(house.right() + 6, house.top());
    p.setBrush(QColor(176, 80, 50));
    p.drawPolygon(roof);
    p.drawRect(QRectF(house.right(), house.top() + 4, 36, 7));
    p.setBrush(QColor(90, 60, 40));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(house.left() + 10 + i * 24, house.top() + 12, 8, 12));
    p.end();
    texture(img, 0.04f, 0.016f, 42);
}

// 3: a city skyline at night, its lights doubled in the river.
void cityAtNight(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.64);
    Rng rng(4);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon),
                         {QColor(8, 10, 36), QColor(30, 26, 84), QColor(100, 50, 120),
                          QColor(220, 110, 110), QColor(250, 170, 110)});
        stars(p, QRectF(0, 0, w, h * 0.4), 260, rng, 1.6);
        const QPointF moon(w * 0.16, h * 0.16);
        glow(p, moon, w * 0.14, QColor(240, 230, 200, 120));
        p.setBrush(QColor(246, 240, 214));
        p.drawEllipse(moon, w * 0.04, w * 0.04);
        p.setBrush(QColor(210, 204, 180));
        for (int i = 0; i < 7; ++i)
            p.drawEllipse(moon + QPointF(rng.range(-30, 30), rng.range(-30, 30)), rng.range(3, 9),
                          rng.range(3, 9));
    }
    clouds(img, {QRectF(0, h * 0.2, w, h * 0.3), QColor(190, 110, 140), QColor(50, 30, 80), 0.58f,
                 300.f, 40.f, 0.7f, 13});
    {
        Painter p(&img);
        firework(p, {w * 0.36, h * 0.13}, 70, QColor(255, 120, 160), rng);
        firework(p, {w * 0.86, h * 0.2}, 56, QColor(120, 220, 255), rng);
        firework(p, {w * 0.47, h * 0.06}, 34, QColor(255, 220, 90), rng);
        struct Layer {
            QColor body;
            double minH, maxH, minW, maxW, lit;
        };
        const Layer layers[] = {{QColor(70, 56, 110), 0.10, 0.26, 30, 70, 0.15},
                                {QColor(40, 34, 78), 0.14, 0.40, 40, 90, 0.35},
                                {QColor(18, 16, 42), 0.06, 0.24, 50, 110, 0.55}};
        for (int li = 0; li < 3; ++li) {
            const Layer &l = layers[li];
            for (double x = -20; x < w;) {
                double bw = rng.range(l.minW, l.maxW);
                double bh = h * rng.range(l.minH, l.maxH);
                if (li == 1 && x > w * 0.62 && x < w * 0.62 + 90) {
                    // The landmark tower with its needle.
                    bw = 60;
                    bh = h * 0.5;
                }
                const QRectF b(x, horizon - bh, bw, bh);
                QLinearGradient body(b.topLeft(), b.topRight());
                body.setColorAt(0, l.body.lighter(125));
                body.setColorAt(1, l.body);
                p.setBrush(body);
                p.drawRect(b);
                if (rng.chance(0.3) || bh > h * 0.45) {
                    const double needle = bh > h * 0.45 ? h * 0.12 : h * 0.04;
                    p.drawRect(QRectF(b.center().x() - 2, b.top() - needle, 4, needle));
                    glow(p, {b.center().x(), b.top() - needle}, 10, QColor(255, 40, 40, 230));
                    p.setBrush(body);
                } else if (rng.chance(0.3)) {
                    QPolygonF roof;
                    roof << b.topLeft() << QPointF(b.center().x(), b.top() - bw * 0.5)
                         << b.topRight();
                    p.drawPolygon(roof);
                }
                // Windows: a grid, some rooms lit, some dark.
                const double ww = 5 + li * 1.5, wh = 7 + li * 2, gap = 5 + li;
                for (double wy = b.top() + gap; wy + wh < b.bottom() - 2; wy += wh + gap) {
                    for (double wx = b.left() + gap; wx + ww < b.right() - 2; wx += ww + gap) {
                        if (!rng.chance(l.lit))
                            continue;
                        const QColor light = palette(
                            {QColor(255, 214, 130), QColor(255, 244, 210), QColor(150, 200, 255)},
                            rng.next() * rng.next());
                        p.setBrush(withAlpha(light, rng.range(0.5, 1.0)));
                        p.drawRect(QRectF(wx, wy, ww, wh));
                    }
                }
                x += bw + rng.range(-10, 6);
            }
        }
        // The embankment with its street lamps.
        p.setBrush(QColor(14, 12, 30));
        p.drawRect(QRectF(0, horizon - 8, w, 10));
        for (double x = 12; x < w; x += 46) {
            glow(p, QPointF(x, horizon - 14.0), 22, QColor(255, 200, 120, 200));
            p.setBrush(QColor(255, 236, 190));
            p.drawEllipse(QPointF(x, horizon - 14), 2.5, 2.5);
        }
    }
    mirrorWater(img, {horizon, 9.f, QColor(12, 12, 40), 0.55f, 0.3f, 33});
    {
        Painter p(&img);
        // A bridge of arches on the left, its lamps strung along the deck.
        const double deck = horizon + h * 0.08;
        QPainterPath bridge;
        bridge.addRect(QRectF(-4, deck - 10, w * 0.44 + 4, 40));
        for (int i = 0; i < 4; ++i) {
            const double x = i * w * 0.11;
            QPainterPath hole;
            hole.moveTo(x + 8, deck + 31);
            hole.quadTo(x + w * 0.055, deck - 6, x + w * 0.11 - 8, deck + 31);
            hole.closeSubpath();
            bridge = bridge.subtracted(hole);
        }
        p.setBrush(QColor(20, 18, 40));
        p.drawPath(bridge);
        p.setOpacity(0.35);
        p.drawPath(QTransform(1, 0, 0, -1, 0, 2 * (deck + 30)).map(bridge));
        p.setOpacity(1.0);
        for (double x = 8; x < w * 0.44; x += 24)
            glow(p, {x, deck - 16}, 14, QColor(255, 220, 150, 220));
        // A boat with lit cabin in the foreground.
        const QPointF boat(w * 0.7, h * 0.88);
        QPainterPath hull;
        hull.moveTo(boat + QPointF(-110, 0));
        hull.lineTo(boat + QPointF(120, 0));
        hull.quadTo(boat + QPointF(100, 26), boat + QPointF(70, 28));
        hull.lineTo(boat + QPointF(-90, 28));
        hull.closeSubpath();
        p.setBrush(QColor(16, 14, 30));
        p.drawPath(hull);
        p.drawRect(QRectF(boat.x() - 60, boat.y() - 30, 110, 30));
        for (int i = 0; i < 6; ++i) {
            p.setBrush(QColor(255, 210, 140));
            p.drawRect(QRectF(boat.x() - 52 + i * 17, boat.y() - 22, 10, 12));
        }
        glow(p, boat + QPointF(0, -14), 90, QColor(255, 190, 110, 70));
    }
    texture(img, 0.05f, 0.02f, 43);
}

// 4: rows of tulips running to a windmill.
void tulipField(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.44);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon + 4),
                         {QColor(70, 130, 210), QColor(150, 196, 240), QColor(226, 236, 244)});
        glow(p, {-w * 0.05, -h * 0.05}, w * 0.6, QColor(255, 250, 220, 190));
    }
    clouds(img, {QRectF(0, 0, w, horizon * 0.95), QColor(255, 255, 255), QColor(160, 176, 204),
                 0.52f, 220.f, 70.f, 0.9f, 14});
    const double vx = w * 0.42;
    const std::vector<QRgb> colours = {qRgb(220, 30, 40),  qRgb(250, 210, 40), qRgb(240, 110, 170),
                                       qRgb(140, 60, 170), qRgb(250, 130, 30), qRgb(250, 245, 235),
                                       qRgb(200, 20, 90)};
    const auto rowAt = [&](double x, double y, double *frac) {
        const double r = (x - vx) / std::max(y - horizon, 0.5) * 3.2;
        const double f = std::floor(r);
        if (frac)
            *frac = r - f;
        return int(f);
    };
    const auto rowColour = [&](int row) {
        const std::uint32_t hsh = std::uint32_t(row * 2654435761u) >> 7;
        return colours[size_t((std::uint32_t(row + 100) + hsh % 3) % colours.size())];
    };
    forEachPixelRows(img, horizon, int(h), [&](int x, int y, QRgb) {
        const double d = double(y - horizon) / (h - horizon);
        double frac;
        const int row = rowAt(x, y, &frac);
        const float bloom = fbm(float(x) / float(3 + 26 * d), float(y) / float(2 + 18 * d), 5, 3);
        QRgb c;
        if (frac < 0.74) {
            const QRgb petal = rowColour(row);
            c = mixRgb(mixRgb(petal, qRgb(40, 90, 30), smoothstep(0.55f, 0.3f, bloom)),
                       qRgb(255, 255, 255), smoothstep(0.7f, 0.95f, bloom) * 0.5f);
        } else {
            c = mixRgb(qRgb(60, 110, 40), qRgb(110, 80, 50), bloom);
        }
        // Distance washes the rows into a haze.
        return mixRgb(c, qRgb(200, 210, 220), float(std::pow(1.0 - d, 6.0)) * 0.7f);
    });
    Painter p(&img);
    Rng rng(5);
    // A tree line and farms along the horizon.
    const auto trees = [&](double x) {
        return horizon - 6 - 18 * double(fbm(float(x / 40), 2.f, 8, 4));
    };
    p.fillPath(ridge(w, horizon + 2, trees), QColor(60, 90, 70));
    for (int i = 0; i < 5; ++i) {
        const double x = rng.range(0.05, 0.95) * w;
        p.setBrush(QColor(150, 60, 50));
        p.drawRect(QRectF(x, horizon - 16, 26, 14));
        QPolygonF roof;
        roof << QPointF(x - 3, horizon - 16) << QPointF(x + 13, horizon - 28)
             << QPointF(x + 29, horizon - 16);
        p.setBrush(QColor(70, 60, 60));
        p.drawPolygon(roof);
    }
    // The windmill.
    const QPointF mill(w * 0.74, horizon + 8);
    QPolygonF tower;
    tower << mill + QPointF(-40, 0) << mill + QPointF(40, 0) << mill + QPointF(22, -190)
          << mill + QPointF(-22, -190);
    QLinearGradient tg(mill + QPointF(-40, 0), mill + QPointF(40, 0));
    tg.setColorAt(0, QColor(120, 84, 60));
    tg.setColorAt(1, QColor(60, 40, 34));
    p.setBrush(tg);
    p.drawPolygon(tower);
    p.setBrush(QColor(50, 40, 40));
    p.drawEllipse(mill + QPointF(0, -196), 30, 22);
    p.setBrush(QColor(240, 230, 200));
    p.drawRect(QRectF(mill.x() - 8, mill.y() - 40, 16, 36));
    p.drawRect(QRectF(mill.x() - 7, mill.y() - 120, 14, 18));
    const QPointF hub = mill + QPointF(0, -196);
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(hub);
        p.rotate(22 + i * 90);
        p.setBrush(QColor(60, 44, 36));
        p.drawRect(QRectF(-3, 0, 6, 170));
        p.setBrush(QColor(236, 228, 210, 220));
        p.drawRect(QRectF(4, 30, 32, 136));
        p.setPen(pen(QColor(90, 70, 60), 1.5));
        for (double y = 40; y < 166; y += 16)
            p.drawLine(QPointF(4, y), QPointF(36, y));
        p.drawLine(QPointF(20, 30), QPointF(20, 166));
        p.setPen(Qt::NoPen);
        p.restore();
    }
    p.setBrush(QColor(40, 30, 30));
    p.drawEllipse(hub, 8, 8);
    birds(p, {w * 0.36, h * 0.12}, 9, 70, 12, QColor(40, 50, 70), rng);
    // Single tulips in the nearest rows.
    std::vector<QPointF> spots;
    for (int i = 0; i < 420; ++i)
        spots.emplace_back(rng.next() * w, h * 0.72 + std::sqrt(rng.next()) * h * 0.3);
    std::sort(spots.begin(), spots.end(), [](QPointF a, QPointF b) { return a.y() < b.y(); });
    for (const QPointF s : spots) {
        double frac;
        const int row = rowAt(s.x(), s.y(), &frac);
        if (frac > 0.68 || frac < 0.06)
            continue;
        const double d = (s.y() - horizon) / (h - horizon);
        const double size = 5 + 20 * d * d;
        const QColor petal = QColor::fromRgb(rowColour(row));
        p.setPen(pen(QColor(50, 110, 40), size * 0.18));
        p.drawLine(s, s + QPointF(0, size * 1.6));
        p.setPen(Qt::NoPen);
        QPainterPath cup;
        cup.moveTo(s + QPointF(-size * 0.5, -size * 0.9));
        cup.lineTo(s + QPointF(-size * 0.2, -size * 0.5));
        cup.lineTo(s + QPointF(0, -size * 1.0));
        cup.lineTo(s + QPointF(size * 0.2, -size * 0.5));
        cup.lineTo(s + QPointF(size * 0.5, -size * 0.9));
        cup.quadTo(s + QPointF(size * 0.6, size * 0.1), s);
        cup.quadTo(s + QPointF(-size * 0.6, size * 0.1), s + QPointF(-size * 0.5, -size * 0.9));
        QLinearGradient pg(s + QPointF(-size * 0.5, 0), s + QPointF(size * 0.5, 0));
        pg.setColorAt(0, petal.lighter(125));
        pg.setColorAt(1, petal.darker(140));
        p.setBrush(pg);
        p.drawPath(cup);
    }
    p.end();
    texture(img, 0.04f, 0.016f, 44);
}

// 5: an autumn forest, sunbeams slanting through red and golden leaves.
void autumnForest(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(6);
    const QPointF sun(w * 0.58, h * 0.28);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h),
                         {QColor(250, 226, 170), QColor(230, 180, 110), QColor(170, 110, 60)});
        glow(p, sun, w * 0.5, QColor(255, 244, 200, 230));
        // Far trunks, pale in the haze.
        for (int i = 0; i < 60; ++i) {
            const double x = rng.next() * w;
            const double tw = rng.range(4, 10);
            p.setBrush(QColor(176, 130, 90, 140));
            p.drawRect(QRectF(x, h * 0.1, tw, h * 0.55));
        }
        // Canopies, far to near.
        for (int layer = 0; layer < 3; ++layer) {
            for (int i = 0; i < 26 + layer * 8; ++i) {
                const QPointF c(rng.next() * w, rng.range(-0.05, 0.34 + 0.06 * layer) * h);
                const QColor leaf = palette({QColor(250, 200, 60), QColor(240, 130, 30),
                                             QColor(200, 50, 30), QColor(150, 40, 40)},
                                            rng.next());
                leafyCrown(p, c, rng.range(50, 110) * (1 + layer * 0.3),
                           mix(leaf, QColor(240, 210, 160), 0.5 - layer * 0.22), rng, 30);
            }
        }
        // Sunbeams slanting down through the canopy.
        for (int i = 0; i < 6; ++i) {
            const double x = rng.range(0.2, 1.0) * w;
            const double width = rng.range(16, 50);
            QPolygonF beam;
            beam << QPointF(x, 0) << QPointF(x + width, 0)
                 << QPointF(x + width * 2.2 - w * 0.35, h * 0.8) << QPointF(x - w * 0.35, h * 0.8);
            QLinearGradient bg(0, 0, 0, h * 0.8);
            bg.setColorAt(0, QColor(255, 250, 220, 90));
            bg.setColorAt(1, QColor(255, 250, 220, 0));
            p.setBrush(bg);
            p.drawPolygon(beam);
        }
        // The forest floor with a path running away into the light.
        QLinearGradient floor(0, h * 0.6, 0, h);
        floor.setColorAt(0, QColor(190, 120, 60));
        floor.setColorAt(1, QColor(110, 50, 20));
        QPainterPath ground;
        ground.moveTo(0, h * 0.64);
        ground.cubicTo(w * 0.3, h * 0.6, w * 0.7, h * 0.66, w, h * 0.62);
        ground.lineTo(w, h);
        ground.lineTo(0, h);
        ground.closeSubpath();
        p.fillPath(ground, floor);
        QPainterPath path;
        path.moveTo(w * 0.52, h * 0.63);
        path.cubicTo(w * 0.6, h * 0.7, w * 0.3, h * 0.8, w * 0.42, h);
        path.lineTo(w * 0.78, h);
        path.cubicTo(w * 0.6, h * 0.82, w * 0.7, h * 0.7, w * 0.555, h * 0.63);
        path.closeSubpath();
        QLinearGradient pathG(0, h * 0.63, 0, h);
        pathG.setColorAt(0, QColor(250, 220, 160));
        pathG.setColorAt(1, QColor(190, 140, 90));
        p.fillPath(path, pathG);
        // Near trunks with bark, thick at the edges of the view.
        const double trunks[][2] = {{0.04, 60}, {0.2, 26}, {0.33, 16}, {0.45, 10}, {0.66, 12},
                                    {0.76, 22}, {0.9, 50}, {0.12, 14}, {0.85, 16}};
        for (const auto &t : trunks) {
            const double x = t[0] * w, tw = t[1];
            const double bottom = h * 0.6 + tw * 3.2;
            QLinearGradient bark(x - tw / 2, 0, x + tw / 2, 0);
            bark.setColorAt(0, QColor(60, 36, 24));
            bark.setColorAt(0.35, QColor(120, 80, 50));
            bark.setColorAt(1, QColor(40, 24, 16));
            p.setBrush(bark);
            p.drawRect(QRectF(x - tw / 2, -10, tw, bottom + 10));
            p.setPen(pen(QColor(30, 20, 12, 120), 1.2));
            for (int k = 0; k < int(tw / 4); ++k) {
                const double bx = x - tw / 2 + rng.next() * tw;
                const double by = rng.next() * bottom;
                p.drawLine(QPointF(bx, by), QPointF(bx + rng.range(-2, 2), by + rng.range(20, 80)));
            }
            p.setPen(Qt::NoPen);
        }
        // Fallen leaves, larger near the viewer.
        for (int i = 0; i < 1400; ++i) {
            const double y = h * 0.6 + std::pow(rng.next(), 0.7) * h * 0.42;
            const double x = rng.next() * w;
            const double d = (y - h * 0.6) / (h * 0.4);
            const double s = 2 + 9 * d;
            p.save();
            p.translate(x, y);
            p.rotate(rng.range(0, 360));
            p.setBrush(palette({QColor(250, 200, 60), QColor(230, 110, 30), QColor(180, 40, 30),
                                QColor(120, 70, 40)},
                               rng.next()));
            p.drawEllipse(QPointF(0, 0), s, s * 0.5);
            p.restore();
        }
        // Leaves still falling through the air.
        for (int i = 0; i < 90; ++i) {
            p.save();
            p.translate(rng.next() * w, rng.range(0.2, 0.7) * h);
            p.rotate(rng.range(0, 360));
            p.setBrush(palette({QColor(250, 190, 50), QColor(220, 80, 30)}, rng.next()));
            p.drawEllipse(QPointF(0, 0), 7, 3.5);
            p.restore();
        }
    }
    texture(img, 0.05f, 0.018f, 45);
}

// 6: dunes at sunset with a caravan on the crest.
void desertDunes(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.5);
    Rng rng(7);
    const QPointF sun(w * 0.28, horizon - h * 0.07);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, h),
                         {QColor(50, 36, 100), QColor(170, 70, 110), QColor(244, 140, 80),
                          QColor(255, 206, 130), QColor(255, 206, 130)});
        glow(p, sun, w * 0.4, QColor(255, 200, 120, 200));
        p.setBrush(QColor(255, 240, 190));
        p.drawEllipse(sun, w * 0.06, w * 0.06);
        // Away from the sun the sky is already turning to night.
        QLinearGradient dusk(0, 0, w, 0);
        dusk.setColorAt(0, QColor(255, 200, 120, 0));
        dusk.setColorAt(0.4, QColor(40, 20, 90, 40));
        dusk.setColorAt(1, QColor(20, 10, 70, 170));
        p.fillRect(QRectF(0, 0, w, horizon), dusk);
        glow(p, {0, 0}, w * 0.4, QColor(30, 10, 60, 200));
        stars(p, QRectF(w * 0.4, 0, w * 0.6, h * 0.28), 140, rng, 1.4);
        birds(p, {w * 0.12, h * 0.22}, 6, 50, 12, QColor(50, 20, 40), rng);
        crescent(p, {w * 0.86, h * 0.12}, 22, QColor(255, 244, 220));
    }
    clouds(img, {QRectF(0, h * 0.05, w, h * 0.3), QColor(255, 170, 120), QColor(110, 50, 100), 0.6f,
                 400.f, 26.f, 0.8f, 16});
    // Each dune's crest is sharp; the sun from the left lights the slopes that face it, and
    // the lee side's shadow edge runs down and away from every crest.
    const int layers = 5, width = img.width();
    std::vector<std::vector<float>> crest(layers, std::vector<float>(size_t(width)));
    for (int l = 0; l < layers; ++l) {
        const double base = horizon + h * (0.06 + 0.1 * l);
        const double amp = h * (0.05 + 0.035 * l);
        const double freq = rng.range(1.3, 2.2) + (layers - l) * 0.3, phase = rng.range(0, 6.28);
        for (int x = 0; x < width; ++x) {
            double u = x / w * freq * M_PI + phase;
            u += 0.35 * std::sin(u);
            const double wobble = double(fbm(float(x) / 180.f, float(l) * 5.f, 17, 3)) - 0.5;
            crest[size_t(l)][size_t(x)] = float(
                base - amp * (1.0 - std::pow(std::abs(std::sin(u)), 0.8)) - amp * 0.6 * wobble);
        }
    }
    forEachPixelRows(img, horizon - int(h * 0.1), int(h), [&](int x, int y, QRgb px) {
        int l = layers - 1;
        while (l >= 0 && float(y) < crest[size_t(l)][size_t(x)])
            --l;
        if (l < 0)
            return px;
        const auto &c = crest[size_t(l)];
        const float d = float(y) - c[size_t(x)];
        const int xs = std::clamp(int(float(x) - std::min(d, 90.f) * 0.9f), 1, width - 2);
        const float slope = c[size_t(xs + 1)] - c[size_t(xs - 1)];
        // Far below the crest the slope says little: the light evens out into a mid tone.
        const float fade = std::exp(-d / float(h * 0.1));
        const float shade = 0.5f + (smoothstep(-0.15f, 0.15f, slope) - 0.5f) * fade;
        const float haze = std::max(0.f, 0.6f - float(l) * 0.16f);
        const QRgb lit = mixRgb(qRgb(250, 170, 100), qRgb(236, 160, 150), haze);
        const QRgb dark = mixRgb(qRgb(150, 64, 70), qRgb(190, 120, 140), haze);
        QRgb col = mixRgb(lit, dark, shade);
        col = mixRgb(col, qRgb(120, 50, 50), std::min(1.f, d / float(h * 0.3)) * 0.4f);
        if (d < 2.5f)
            col = mixRgb(col, qRgb(255, 230, 180), 0.5f * (1.f - shade));
        return col;
    });
    Painter p(&img);
    // The caravan: camels and riders against the sky.
    p.setBrush(QColor(40, 20, 30));
    const auto &ridgeLine = crest[1];
    for (int i = 0; i < 5; ++i) {
        const double x = w * 0.56 + i * 46;
        const double y = ridgeLine[size_t(std::clamp(int(x), 0, width - 1))] + 2;
        const double s = 1.0 - i * 0.05;
        QPainterPath camel;
        camel.addEllipse(QPointF(x, y - 26 * s), 17 * s, 9 * s);
        camel.addEllipse(QPointF(x - 3, y - 34 * s), 8 * s, 7 * s);
        p.drawPath(camel);
        p.setPen(pen(QColor(40, 20, 30), 3 * s));
        p.drawLine(QPointF(x - 12 * s, y - 22 * s), QPointF(x - 14 * s, y));
        p.drawLine(QPointF(x - 6 * s, y - 22 * s), QPointF(x - 4 * s, y));
        p.drawLine(QPointF(x + 8 * s, y - 22 * s), QPointF(x + 6 * s, y));
        p.drawLine(QPointF(x + 13 * s, y - 22 * s), QPointF(x + 15 * s, y));
        p.drawLine(QPointF(x + 15 * s, y - 28 * s), QPointF(x + 24 * s, y - 44 * s));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(x + 27 * s, y - 44 * s), 6 * s, 4 * s);
        if (i % 2 == 0) {
            p.drawEllipse(QPointF(x - 3, y - 48 * s), 4 * s, 8 * s);
            p.drawEllipse(QPointF(x - 3, y - 58 * s), 3.5 * s, 3.5 * s);
        }
    }
    // A lone acacia and its long shadow in the front.
    const QPointF tree(w * 0.14, h * 0.9);
    p.setBrush(QColor(90, 40, 50, 120));
    p.drawEllipse(tree + QPointF(90, 4), 110, 9);
    p.setPen(pen(QColor(50, 24, 24), 7));
    p.drawLine(tree, tree + QPointF(-6, -80));
    p.drawLine(tree + QPointF(-4, -60), tree + QPointF(-40, -100));
    p.drawLine(tree + QPointF(-4, -60), tree + QPointF(34, -104));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 40, 30));
    p.drawEllipse(tree + QPointF(-6, -110), 80, 18);
    p.end();
    // Wind ripples in the near sand.
    forEachPixelRows(img, int(h * 0.66), int(h), [&](int x, int y, QRgb px) {
        const float d = float(y - h * 0.66) / float(h * 0.34);
        const float warp = fbm(float(x) / 160.f, float(y) / 60.f, 19, 3) * 18.f;
        const float wave = std::sin(float(y) * (0.12f - d * 0.05f) + float(x) * 0.02f + warp);
        const float k = wave > 0.6f ? 0.12f * d : -0.05f * d;
        return k > 0 ? mixRgb(px, qRgb(255, 220, 170), k) : mixRgb(px, qRgb(80, 30, 30), -k);
    });
    texture(img, 0.04f, 0.02f, 46);
}

// 7: a coral reef in clear shallow water, full of fish.
void coralReef(QImage &img)
{
    const double w = img.width(), h = img.height();
    Rng rng(8);
    {
        Painter p(&img);
        verticalGradient(
            p, QRectF(0, 0, w, h),
            {QColor(110, 214, 236), QColor(30, 140, 190), QColor(14, 70, 130), QColor(10, 46, 96)});
    }
    // Ripples of light from the surface.
    forEachPixelRows(img, 0, int(h * 0.6), [&](int x, int y, QRgb px) {
        const float d = float(y) / float(h * 0.6);
        const float c = ridged(float(x) / 70.f, float(y) / 40.f, 23, 3);
        return mixRgb(px, qRgb(230, 255, 255), smoothstep(0.72f, 0.95f, c) * 0.45f * (1.f - d));
    });
    Painter p(&img);
    for (int i = 0; i < 8; ++i) {
        const double x = rng.range(0.0, 1.0) * w;
        QPolygonF ray;
        ray << QPointF(x - 20, 0) << QPointF(x + 30, 0) << QPointF(x + 160, h * 0.9)
            << QPointF(x + 60, h * 0.9);
        QLinearGradient rg(0, 0, 0, h * 0.9);
        rg.setColorAt(0, QColor(255, 255, 255, 70));
        rg.setColorAt(1, QColor(255, 255, 255, 0));
        p.setBrush(rg);
        p.drawPolygon(ray);
    }
    // The sandy floor and the reef's rocks.
    const auto floor = [&](double x) {
        return h * 0.8 - h * 0.06 * double(fbm(float(x / 200), 3.f, 4, 3));
    };
    QLinearGradient sand(0, h * 0.74, 0, h);
    sand.setColorAt(0, QColor(200, 190, 150));
    sand.setColorAt(1, QColor(150, 140, 110));
    p.fillPath(ridge(w, h, floor), sand);
    const auto reef = [&](double x) {
        return h * 0.62 - h * 0.14 * double(fbm(float(x / 260), 7.f, 9, 4));
    };
    QPainterPath rocks;
    rocks.moveTo(w * 0.0, h * 0.9);
    for (double x = 0; x <= w * 0.72; x += 6)
        rocks.lineTo(x, reef(x) + std::pow(x / (w * 0.72), 6) * h * 0.3);
    rocks.lineTo(w * 0.72, h * 0.92);
    rocks.closeSubpath();
    QLinearGradient rockG(0, h * 0.5, 0, h);
    rockG.setColorAt(0, QColor(120, 110, 120));
    rockG.setColorAt(1, QColor(60, 50, 70));
    p.fillPath(rocks, rockG);
    p.aside(&img, [&] {
        roughen(img, rocks, 0.5f, 20.f, 24);
        roughen(img, ridge(w, h, floor), 0.25f, 8.f, 25);
    });
    // Sponges and polyps encrusting the rock.
    for (int i = 0; i < 700; ++i) {
        const QPointF c(rng.next() * w * 0.72, h * rng.range(0.45, 0.95));
        if (!rocks.contains(c))
            continue;
        const double r = rng.range(3, 12);
        const QColor col =
            palette({QColor(250, 120, 90), QColor(250, 200, 80), QColor(160, 90, 200),
                     QColor(90, 200, 170), QColor(240, 90, 160)},
                    rng.next());
        QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.2);
        g.setColorAt(0, col.lighter(140));
        g.setColorAt(1, col.darker(150));
        p.setBrush(g);
        p.drawEllipse(c, r, r * 0.8);
    }
    // Seaweed swaying over the sand.
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 18; ++i) {
        const double x = rng.range(0.0, 1.0) * w;
        const double y = floor(x) + rng.range(10, 60);
        QPainterPath weed;
        weed.moveTo(x, y);
        const double len = rng.range(80, 200);
        for (double t = 0; t <= 1.0; t += 0.05)
            weed.lineTo(x + std::sin(t * 9 + i) * 10 * t, y - t * len);
        p.setPen(pen(mix(QColor(40, 120, 60), QColor(120, 180, 60), rng.next()), rng.range(4, 8)));
        p.drawPath(weed);
    }
    p.setPen(Qt::NoPen);
    // Branching corals.
    const std::function<void(QPointF, double, double, int, QColor)> branch =
        [&](QPointF from, double angle, double len, int depth, QColor c) {
            const QPointF to = from + QPointF(std::cos(angle), std::sin(angle)) * len;
            p.setPen(pen(c, 2 + depth * 2.2));
            p.drawLine(from, to);
            if (depth == 0) {
                p.setPen(Qt::NoPen);
                p.setBrush(c.lighter(140));
                p.drawEllipse(to, 3.5, 3.5);
                return;
            }
            branch(to, angle - rng.range(0.2, 0.6), len * rng.range(0.65, 0.85), depth - 1, c);
            branch(to, angle + rng.range(0.2, 0.6), len * rng.range(0.65, 0.85), depth - 1, c);
        };
    const QColor coralColours[] = {QColor(240, 100, 130), QColor(250, 150, 60),
                                   QColor(170, 90, 200), QColor(250, 210, 90), QColor(230, 70, 70)};
    for (int i = 0; i < 16; ++i) {
        const double x = rng.range(0.02, 0.98) * w;
        const double y = std::min(x < w * 0.7 ? reef(x) + 30 : floor(x) + 10, h * 0.95);
        branch(QPointF(x, y), -M_PI / 2 + rng.range(-0.3, 0.3), rng.range(40, 70), 4,
               coralColours[i % 5]);
    }
    p.setPen(Qt::NoPen);
    // Brain corals and sea fans.
    for (int i = 0; i < 6; ++i) {
        const QPointF c(rng.range(0.05, 0.95) * w, h * rng.range(0.78, 0.95));
        const double r = rng.range(40, 80);
        QRadialGradient bg(c - QPointF(r * 0.3, r * 0.4), r * 1.3);
        const QColor base = palette(
            {QColor(200, 190, 90), QColor(140, 200, 120), QColor(220, 140, 160)}, rng.next());
        bg.setColorAt(0, base.lighter(130));
        bg.setColorAt(1, base.darker(160));
        p.setBrush(bg);
        p.drawEllipse(c, r, r * 0.62);
        p.setPen(pen(base.darker(180), 1.6));
        for (int k = 0; k < 7; ++k) {
            QPainterPath groove;
            const double yy = c.y() - r * 0.5 + k * r * 0.16;
            groove.moveTo(c.x() - r * 0.8, yy);
            for (double x = -r * 0.8; x < r * 0.8; x += 6)
                groove.lineTo(c.x() + x, yy + 4 * std::sin(x * 0.25 + k));
            p.drawPath(groove);
        }
        p.setPen(Qt::NoPen);
    }
    for (int i = 0; i < 3; ++i) {
        const QPointF root(rng.range(0.75, 0.98) * w, floor(w * 0.85) + 20);
        p.setPen(pen(QColor(200, 50, 80, 200), 1.4));
        for (int k = 0; k < 60; ++k) {
            const double a = -M_PI / 2 + rng.range(-0.9, 0.9);
            const double len = rng.range(80, 170);
            QPainterPath f;
            f.moveTo(root);
            f.quadTo(root + QPointF(std::cos(a) * len * 0.3, std::sin(a) * len * 0.6),
                     root + QPointF(std::cos(a) * len, std::sin(a) * len));
            p.drawPath(f);
        }
        p.setPen(Qt::NoPen);
    }
    // Anemones: swaying tentacles with pale tips.
    for (const QPointF at :
         {QPointF(w * 0.38, h * 0.72), QPointF(w * 0.6, h * 0.86), QPointF(w * 0.12, h * 0.66)}) {
        const QColor tone = at.x() < w * 0.3 ? QColor(120, 200, 120) : QColor(200, 110, 200);
        for (int k = 0; k < 40; ++k) {
            const double a = -M_PI / 2 + rng.range(-1.2, 1.2);
            const double len = rng.range(30, 60);
            QPainterPath t;
            t.moveTo(at);
            t.quadTo(at + polarPoint(a + 0.3, len * 0.6), at + polarPoint(a, len));
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(tone, 4));
            p.drawPath(t);
            p.setPen(Qt::NoPen);
            p.setBrush(tone.lighter(150));
            p.drawEllipse(at + polarPoint(a, len), 3, 3);
        }
    }
    // A sea turtle paddling past.
    {
        const QPointF t(w * 0.84, h * 0.16);
        p.save();
        p.translate(t);
        p.rotate(-12);
        p.setBrush(QColor(120, 150, 90));
        for (const double s : {1.0, -1.0}) {
            p.drawEllipse(QPointF(40, s * 44), 34, 12);
            p.drawEllipse(QPointF(-44, s * 30), 18, 8);
        }
        p.drawEllipse(QPointF(78, 0), 18, 14);
        QRadialGradient shell(QPointF(-10, -14), 80);
        shell.setColorAt(0, QColor(170, 130, 70));
        shell.setColorAt(1, QColor(80, 60, 30));
        p.setBrush(shell);
        p.drawEllipse(QPointF(0, 0), 64, 44);
        p.setPen(pen(QColor(60, 40, 20), 2));
        p.setBrush(Qt::NoBrush);
        for (const QPointF c : {QPointF(0, 0), QPointF(-32, -16), QPointF(-32, 16),
                                QPointF(32, -16), QPointF(32, 16)})
            p.drawEllipse(c, 14, 11);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(86, -5), 3, 3);
        p.restore();
    }
    // Fish.
    const auto fish = [&](QPointF c, double len, QColor body, QColor stripe, bool left) {
        p.save();
        p.translate(c);
        if (left)
            p.scale(-1, 1);
        QPainterPath b;
        b.moveTo(len * 0.5, 0);
        b.cubicTo(len * 0.3, -len * 0.34, -len * 0.3, -len * 0.3, -len * 0.42, 0);
        b.cubicTo(-len * 0.3, len * 0.3, len * 0.3, len * 0.34, len * 0.5, 0);
        QPainterPath tail;
        tail.moveTo(-len * 0.38, 0);
        tail.lineTo(-len * 0.7, -len * 0.24);
        tail.lineTo(-len * 0.62, 0);
        tail.lineTo(-len * 0.7, len * 0.24);
        tail.closeSubpath();
        p.setBrush(body.darker(120));
        p.drawPath(tail);
        QLinearGradient g(0, -len * 0.3, 0, len * 0.3);
        g.setColorAt(0, body.lighter(130));
        g.setColorAt(1, body.darker(130));
        p.setBrush(g);
        p.drawPath(b);
        if (stripe.isValid()) {
            p.setClipPath(b);
            p.setBrush(stripe);
            for (const double sx : {len * 0.22, -len * 0.08})
                p.drawRect(QRectF(sx, -len, len * 0.08, len * 2));
            p.setClipping(false);
        }
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(len * 0.3, -len * 0.05), len * 0.06, len * 0.06);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(len * 0.31, -len * 0.05), len * 0.03, len * 0.03);
        p.restore();
    };
    for (int i = 0; i < 40; ++i) {
        const QPointF c(w * 0.55 + rng.range(-0.25, 0.25) * w + i * 2,
                        h * 0.22 + rng.range(-0.1, 0.12) * h);
        fish(c, rng.range(18, 26), QColor(60, 120, 220), QColor(), false);
    }
    fish({w * 0.2, h * 0.35}, 90, QColor(250, 210, 40), QColor(), true);
    fish({w * 0.36, h * 0.6}, 60, QColor(250, 110, 20), QColor(250, 250, 250), false);
    fish({w * 0.44, h * 0.66}, 46, QColor(250, 110, 20), QColor(250, 250, 250), true);
    fish({w * 0.82, h * 0.5}, 80, QColor(40, 60, 200), QColor(250, 220, 50), true);
    fish({w * 0.12, h * 0.12}, 50, QColor(230, 240, 250), QColor(20, 20, 30), false);
    // Bubbles.
    p.setPen(pen(QColor(230, 250, 255, 170), 1.4));
    p.setBrush(QColor(255, 255, 255, 40));
    for (int i = 0; i < 40; ++i) {
        const double r = rng.range(2, 7);
        p.drawEllipse(QPointF(w * 0.63 + rng.range(-20, 20), rng.next() * h * 0.7), r, r);
    }
    p.end();
    texture(img, 0.05f, 0.02f, 47);
}

// 8: the northern lights over a frozen lake and snowy pines.
void aurora(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.62);
    Rng rng(9);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon),
                         {QColor(4, 6, 24), QColor(10, 22, 50), QColor(20, 50, 70)});
        stars(p, QRectF(0, 0, w, horizon), 520, rng, 1.8);
    }
    // Two curtains of light, rays hanging from a sharp lower hem.
    forEachPixelRows(img, 0, horizon, [&](int x, int y, QRgb px) {
        float r = float(qRed(px)), g = float(qGreen(px)), b = float(qBlue(px));
        for (int k = 0; k < 2; ++k) {
            const float fx = float(x) / float(w);
            const float hem = float(h) * (k == 0 ? 0.42f : 0.26f) +
                              float(h) * 0.11f * std::sin(fx * (k ? 5.5f : 3.8f) + float(k) * 2.f) +
                              float(h) * 0.08f * (fbm(fx * 3.f, float(k), 31, 3) - 0.5f);
            const float dy = float(y) - hem;
            const float shape = dy > 0 ? std::exp(-dy * dy / (22.f * 22.f))
                                       : std::exp(dy / (float(h) * (k ? 0.1f : 0.18f)));
            const float rays = 0.35f + 0.9f * fbm(float(x) / 7.f, float(y) / 260.f, 33 + k, 3);
            const float fold = 0.6f + 0.4f * std::sin(fx * 22.f + fbm(fx * 4.f, 1.f, 35, 2) * 6.f);
            const float I = shape * rays * fold * (k ? 0.7f : 1.f);
            const float top = std::clamp(-dy / (float(h) * 0.2f), 0.f, 1.f);
            r += I * (60.f + 160.f * top);
            g += I * (250.f - 170.f * top);
            b += I * (140.f + 60.f * top);
        }
        return qRgb(std::min(int(r), 255), std::min(int(g), 255), std::min(int(b), 255));
    });
    {
        Painter p(&img);
        const auto peaks = mountainCrest(horizon - 4, h * 0.16, w * 0.22, 37);
        QLinearGradient snow(0, horizon - h * 0.16, 0, horizon);
        snow.setColorAt(0, QColor(150, 190, 200));
        snow.setColorAt(1, QColor(30, 44, 70));
        p.fillPath(ridge(w, horizon, peaks), snow);
    }
    mirrorWater(img, {horizon, 3.f, QColor(10, 24, 40), 0.35f, 0.15f, 39});
    Painter p(&img);
    // The snowy shore in front, with its pines.
    QPainterPath shore;
    shore.moveTo(0, h * 0.8);
    shore.cubicTo(w * 0.3, h * 0.76, w * 0.6, h * 0.9, w, h * 0.78);
    shore.lineTo(w, h + 2);
    shore.lineTo(0, h + 2);
    shore.closeSubpath();
    QLinearGradient sg(0, h * 0.76, 0, h);
    sg.setColorAt(0, QColor(140, 190, 190));
    sg.setColorAt(1, QColor(60, 90, 120));
    p.fillPath(shore, sg);
    for (int i = 0; i < 22; ++i) {
        const double x = rng.next() * w;
        const bool edge = x < w * 0.25 || x > w * 0.75;
        const double th = h * (edge ? rng.range(0.2, 0.42) : rng.range(0.06, 0.14));
        pine(p, x, h * 0.84 + rng.range(0, 0.14) * h, th, QColor(12, 28, 34),
             QColor(190, 230, 220, 220));
    }
    // A small cabin with a lit window on the far shore.
    const QPointF cabin(w * 0.58, horizon - 2);
    p.setBrush(QColor(30, 22, 26));
    p.drawRect(QRectF(cabin.x(), cabin.y() - 16, 30, 16));
    p.setBrush(QColor(255, 200, 110));
    p.drawRect(QRectF(cabin.x() + 8, cabin.y() - 11, 6, 6));
    glow(p, cabin + QPointF(11, -8), 30, QColor(255, 190, 100, 140));
    p.end();
    texture(img, 0.04f, 0.02f, 48);
}

// 9: a harbour town with sailboats on a bright morning.
void harbour(QImage &img)
{
    const double w = img.width(), h = img.height();
    const int horizon = int(h * 0.5);
    Rng rng(10);
    {
        Painter p(&img);
        verticalGradient(p, QRectF(0, 0, w, horizon),
                         {QColor(40, 110, 200), QColor(120, 180, 236), QColor(210, 230, 240)});
        glow(p, {w * 0.92, h * 0.08}, w * 0.3, QColor(255, 250, 220, 230));
        p.setBrush(QColor(255, 254, 240));
        p.drawEllipse(QPointF(w * 0.92, h * 0.08), 30, 30);
    }
    clouds(img, {QRectF(0, 0, w, h * 0.3), QColor(255, 255, 255), QColor(170, 190, 220), 0.56f,
                 150.f, 60.f, 0.9f, 18});
    {
        Painter p(&img);
        // The hill behind the town.
        const auto hill = [&](double x) {
            return horizon - h * 0.08 -
                   h * 0.18 * std::exp(-std::pow((x - w * 0.3) / (w * 0.35), 2)) -
                   h * 0.03 * double(fbm(float(x / 90), 1.f, 41, 3));
        };
        QLinearGradient hg(0, horizon - h * 0.3, 0, horizon);
        hg.setColorAt(0, QColor(90, 140, 80));
        hg.setColorAt(1, QColor(60, 100, 60));
        p.fillPath(ridge(w, horizon, hill), hg);
        for (int i = 0; i < 40; ++i) {
            const double x = rng.next() * w;
            leafyCrown(p, QPointF(x, hill(x) + 10), rng.range(12, 22), QColor(60, 110, 50), rng,
                       10);
        }
        // Houses climbing the hill, back rows first.
        const QColor walls[] = {QColor(240, 200, 90),  QColor(230, 120, 90), QColor(120, 170, 210),
                                QColor(245, 240, 225), QColor(240, 160, 60), QColor(200, 110, 140),
                                QColor(170, 200, 140)};
        for (int row = 0; row < 5; ++row) {
            const double y = horizon - h * 0.2 + row * h * 0.04;
            for (double x = rng.range(0, 30); x < w * 0.74 - row * 10;) {
                const double bw = rng.range(34, 56), bh = rng.range(36, 60);
                const double top = std::max(y - bh, hill(x + bw / 2) + 6);
                if (top > horizon - 10) {
                    x += bw;
                    continue;
                }
                const QRectF b(x, top, bw, horizon - top);
                const QColor wall = walls[rng.below(7)];
                p.setBrush(wall);
                p.drawRect(b);
                p.setBrush(wall.darker(130));
                p.drawRect(QRectF(b.right() - bw * 0.25, b.top(), bw * 0.25, b.height()));
                QPolygonF roof;
                roof << QPointF(b.left() - 3, b.top())
                     << QPointF(b.center().x(), b.top() - bw * 0.35)
                     << QPointF(b.right() + 3, b.top());
                p.setBrush(QColor(180, 80, 50));
                p.drawPolygon(roof);
                p.setBrush(QColor(60, 60, 80));
                for (double wy = b.top() + 8; wy < b.bottom() - 12; wy += 16)
                    for (double wx = b.left() + 6; wx < b.right() - 10; wx += 14)
                        p.drawRect(QRectF(wx, wy, 6, 8));
                x += bw + rng.range(-4, 3);
            }
        }
        // The church tower and its dome.
        const QRectF tower(w * 0.42, horizon - h * 0.36, 34, h * 0.36);
        p.setBrush(QColor(236, 226, 204));
        p.drawRect(tower);
        p.setBrush(QColor(70, 130, 110));
        p.drawEllipse(QPointF(tower.center().x(), tower.top()), 20, 26);
        p.setBrush(QColor(60, 50, 60));
        p.drawRect(QRectF(tower.left() + 11, tower.top() + 16, 12, 18));
        // The quay.
        p.setBrush(QColor(150, 140, 120));
        p.drawRect(QRectF(0, horizon - 6, w * 0.8, 8));
        // The breakwater and its little light on the right.
        p.setBrush(QColor(120, 116, 110));
        p.drawRect(QRectF(w * 0.78, horizon - 10, w * 0.22, 12));
        p.setBrush(QColor(230, 50, 40));
        p.drawRect(QRectF(w * 0.9, horizon - 56, 16, 48));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(w * 0.9, horizon - 40, 16, 10));
    }
    mirrorWater(img, {horizon, 10.f, QColor(20, 90, 140), 0.55f, 0.35f, 43});
    Painter p(&img);
    // Sailboats, far to near, each with its reflection.
    struct Boat {
        double x, y, s;
        QColor hull, sail;
        bool striped;
    };
    const Boat boats[] = {{0.62, 0.56, 0.5, QColor(250, 250, 250), QColor(250, 246, 236), false},
                          {0.86, 0.6, 0.6, QColor(30, 60, 120), QColor(240, 90, 70), false},
                          {0.14, 0.64, 0.8, QColor(200, 40, 40), QColor(250, 246, 230), true},
                          {0.5, 0.74, 1.1, QColor(250, 250, 250), QColor(250, 240, 220), false},
                          {0.8, 0.86, 1.5, QColor(20, 100, 160), QColor(250, 250, 245), true},
                          {0.26, 0.92, 1.3, QColor(240, 200, 60), QColor(250, 250, 250), false}};
    for (const Boat &b : boats) {
        const QPointF at(b.x * w, b.y * h);
        const double s = b.s * 60;
        QPainterPath hull;
        hull.moveTo(at + QPointF(-s, -s * 0.12));
        hull.lineTo(at + QPointF(s * 1.1, -s * 0.12));
        hull.quadTo(at + QPointF(s * 0.9, s * 0.2), at + QPointF(s * 0.6, s * 0.2));
        hull.lineTo(at + QPointF(-s * 0.8, s * 0.2));
        hull.closeSubpath();
        // Reflection first, broken by the waves.
        p.save();
        p.translate(0, 2 * at.y() + s * 0.4);
        p.scale(1, -1);
        p.setOpacity(0.3);
        p.setBrush(b.hull);
        p.drawPath(hull);
        p.setBrush(b.sail);
        QPolygonF sailR;
        sailR << at + QPointF(0, -s * 0.15) << at + QPointF(0, -s * 1.8)
              << at + QPointF(s * 0.9, -s * 0.15);
        p.drawPolygon(sailR);
        p.restore();
        p.setBrush(b.hull);
        p.drawPath(hull);
        p.setPen(pen(QColor(80, 60, 50), std::max(1.5, s * 0.04)));
        p.drawLine(at + QPointF(0, -s * 0.12), at + QPointF(0, -s * 1.9));
        p.setPen(Qt::NoPen);
        QPolygonF main;
        main << at + QPointF(s * 0.04, -s * 0.2) << at + QPointF(s * 0.04, -s * 1.85)
             << at + QPointF(s * 0.95, -s * 0.2);
        QPolygonF jib;
        jib << at + QPointF(-s * 0.04, -s * 0.25) << at + QPointF(-s * 0.04, -s * 1.6)
            << at + QPointF(-s * 0.7, -s * 0.25);
        QLinearGradient sg(at + QPointF(0, 0), at + QPointF(s, 0));
        sg.setColorAt(0, b.sail);
        sg.setColorAt(1, b.sail.darker(125));
        p.setBrush(sg);
        p.drawPolygon(main);
        p.setBrush(b.sail.darker(110));
        p.drawPolygon(jib);
        if (b.striped) {
            p.save();
            QPainterPath clip;
            clip.addPolygon(main);
            p.setClipPath(clip);
            p.setBrush(QColor(30, 80, 170));
            for (int k = 0; k < 3; ++k)
                p.drawRect(QRectF(at.x(), at.y() - s * (0.5 + k * 0.4), s, s * 0.12));
            p.restore();
        }
    }
    // Gulls.
    p.setPen(pen(QColor(50, 50, 60), 2));
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 9; ++i) {
        const QPointF g(rng.range(0.1, 0.9) * w, rng.range(0.05, 0.3) * h);
        const double s = rng.range(6, 14);
        QPainterPath gull;
        gull.moveTo(g + QPointF(-s, -s * 0.3));
        gull.quadTo(g + QPointF(-s * 0.5, -s * 0.6), g);
        gull.quadTo(g + QPointF(s * 0.5, -s * 0.6), g + QPointF(s, -s * 0.3));
        p.drawPath(gull);
    }
    p.end();
    texture(img, 0.04f, 0.018f, 49);
}

} // namespace pictures
