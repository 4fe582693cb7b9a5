#include "generators/art/art_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

namespace art
{
namespace
{

// ---------------------------------------------------------------------------------------------
// One theme for every window: deep blue and teal sheets, trimmed with gold.

const QColor kNavyDeep(5, 12, 26);
const QColor kNavy(12, 30, 62);
const QColor kBlue(28, 70, 132);
const QColor kTealDeep(3, 30, 36);
const QColor kTeal(10, 72, 82);
const QColor kGoldLight(255, 238, 170);
const QColor kGold(226, 182, 84);
const QColor kGoldDark(120, 86, 24);
const QColor kSiteText(236, 208, 120);

const QString kFirstSite = QStringLiteral("fans-one.example.org");
const QString kSecondSite = QStringLiteral("fans-two.example.net");

constexpr double kPi = 3.14159265358979323846;

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

// ---------------------------------------------------------------------------------------------
// Deterministic randomness: the same pictures on every build and every machine.

quint32 mix(quint32 x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

double lattice(int x, int y, quint32 seed)
{
    const quint32 h = mix(quint32(x) * 0x9e3779b1U ^ mix(quint32(y) * 0x85ebca77U ^ seed));
    return (h & 0xffffff) / double(0x1000000);
}

double smooth(double t)
{
    return t * t * (3 - 2 * t);
}

double valueNoise(double x, double y, quint32 seed)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = smooth(x - x0);
    const double fy = smooth(y - y0);
    const double a = lattice(x0, y0, seed), b = lattice(x0 + 1, y0, seed);
    const double c = lattice(x0, y0 + 1, seed), d = lattice(x0 + 1, y0 + 1, seed);
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy;
}

/* about 0..1, mean 0.5 */
double fbm(double x, double y, quint32 seed, int octaves)
{
    double sum = 0, amplitude = 0.5, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + quint32(i) * 101);
        total += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / total;
}

class Rng
{
public:
    explicit Rng(quint64 seed) : m_state(seed) {}
    /* 0 <= next() < 1 */
    double next()
    {
        quint64 z = (m_state += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        z ^= z >> 31;
        return double(z >> 11) / double(1ULL << 53);
    }
    double between(double lo, double hi) { return lo + (hi - lo) * next(); }

private:
    quint64 m_state;
};

// ---------------------------------------------------------------------------------------------
// Canvas helpers. Every picture is drawn in design pixels; the painter's scale does the rest.

QImage canvas(QSize design, int scale, QColor fill = Qt::transparent)
{
    QImage image(design * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void begin(QPainter &p, QImage &image, int scale)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.scale(scale, scale);
}

QFont font(const QString &family, qreal pixelSize, int weight = QFont::Bold)
{
    QFont f(family);
    // Pixel sizes keep the design exact; text is drawn as paths, so it scales like the rest.
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setWeight(QFont::Weight(weight));
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

// Text as a path, so it scales with the painter exactly like the shapes around it.
QPainterPath textPath(const QFont &f, const QString &text, const QRectF &box, Qt::Alignment align)
{
    QPainterPath path;
    path.addText(0, 0, f, text);
    const QRectF bounds = path.boundingRect();
    const QFontMetricsF fm(f);
    const qreal w = bounds.width();
    const qreal ascent = fm.capHeight();
    qreal x = box.left() - bounds.left();
    if (align & Qt::AlignHCenter)
        x = box.center().x() - bounds.left() - w / 2;
    else if (align & Qt::AlignRight)
        x = box.right() - bounds.right();
    qreal y = box.top() + ascent;
    if (align & Qt::AlignVCenter)
        y = box.center().y() + ascent / 2;
    else if (align & Qt::AlignBottom)
        y = box.bottom();
    return path.translated(x, y);
}

// The largest pixel size up to `size` at which the text fits the width.
QFont fitted(const QString &family, qreal size, const QString &text, qreal width,
             int weight = QFont::Bold)
{
    for (qreal s = size; s > 5; s -= 0.25) {
        const QFont f = font(family, s, weight);
        QPainterPath path;
        path.addText(0, 0, f, text);
        if (path.boundingRect().width() <= width)
            return f;
    }
    return font(family, 5, weight);
}

void shadowedText(QPainter &p, const QPainterPath &text, const QBrush &fill, qreal shadow = 0.8)
{
    p.fillPath(text.translated(shadow, shadow), QColor(0, 0, 0, 170));
    p.fillPath(text, fill);
}

QLinearGradient goldGradient(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.0, kGoldLight);
    g.setColorAt(0.35, kGold);
    g.setColorAt(0.7, QColor(176, 132, 44));
    g.setColorAt(1.0, kGoldDark);
    return g;
}

// Gold for lettering: lit from above across the height of the text box.
QLinearGradient goldText(const QRectF &box)
{
    QLinearGradient g(box.topLeft(), box.bottomLeft());
    g.setColorAt(0.0, kGoldLight);
    g.setColorAt(0.45, kGold);
    g.setColorAt(1.0, QColor(168, 120, 36));
    return g;
}

QLinearGradient vertical(const QRectF &r, QColor top, QColor bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

// A gold ring of width w just inside the rounded rectangle r.
void goldFrame(QPainter &p, const QRectF &r, qreal radius, qreal w)
{
    QPainterPath outer, inner;
    outer.addRoundedRect(r, radius, radius);
    inner.addRoundedRect(r.adjusted(w, w, -w, -w), std::max(0.0, radius - w),
                         std::max(0.0, radius - w));
    p.fillPath(outer.subtracted(inner), goldGradient(r.topLeft(), r.bottomRight()));
    p.setPen(QPen(QColor(0, 0, 0, 150), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(w + 0.35, w + 0.35, -w - 0.35, -w - 0.35),
                      std::max(0.0, radius - w), std::max(0.0, radius - w));
}

void goldHairline(QPainter &p, const QRectF &r, qreal radius, int alpha = 200)
{
    QLinearGradient g = goldGradient(r.topLeft(), r.bottomRight());
    QGradientStops stops = g.stops();
    for (auto &s : stops)
        s.second.setAlpha(alpha);
    g.setStops(stops);
    p.setPen(QPen(QBrush(g), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, radius, radius);
}

// A sunken area: darker inside, shadowed along its top and left edges.
void well(QPainter &p, const QRectF &r, qreal radius, QColor top, QColor bottom)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    p.fillPath(path, vertical(r, top, bottom));
    p.save();
    p.setClipPath(path);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < 4; ++i) {
        p.setPen(QPen(QColor(0, 0, 0, 110 - 26 * i), 1.0));
        p.drawRoundedRect(r.adjusted(0.5 + i, 0.5 + i, -0.5 - i + 3, -0.5 - i + 3), radius, radius);
    }
    p.restore();
    p.setPen(QPen(QColor(255, 255, 255, 40), 1.0));
    p.drawLine(QPointF(r.left() + radius, r.bottom() + 0.5),
               QPointF(r.right() - radius, r.bottom() + 0.5));
}

// Brightness varied by noise in design coordinates, so 1x and 2x carry the same grain.
void grain(QImage &image, int scale, double feature, double amount, quint32 seed,
           QPointF offset = {})
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a == 0)
                continue;
            const double dx = (x + 0.5) / scale + offset.x(), dy = (y + 0.5) / scale + offset.y();
            const double n = fbm(dx / feature, dy / feature, seed, 3) - 0.5;
            const double f = 1 + amount * 2 * n;
            auto channel = [&](int v) { return std::clamp(int(std::lround(v * f)), 0, a); };
            line[x] = qRgba(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)), a);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Glossy round buttons: the one look of every icon.

void orb(QPainter &p, QPointF c, qreal r, QColor base)
{
    QRadialGradient shadow(c + QPointF(0, 1.2), r + 1.6);
    shadow.setColorAt(0.75, QColor(0, 0, 0, 120));
    shadow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c + QPointF(0, 1.2), r + 1.6, r + 1.6);

    p.setBrush(goldGradient(c - QPointF(r, r), c + QPointF(r, r)));
    p.drawEllipse(c, r, r);

    const qreal body = r - std::max(1.4, r * 0.1);
    QRadialGradient g(c - QPointF(body * 0.3, body * 0.45), body * 1.5);
    g.setColorAt(0.0, base.lighter(165));
    g.setColorAt(0.45, base);
    g.setColorAt(1.0, base.darker(230));
    p.setBrush(g);
    p.drawEllipse(c, body, body);

    const QRectF gloss(c.x() - body * 0.7, c.y() - body * 0.93, body * 1.4, body * 0.95);
    QLinearGradient lg(gloss.topLeft(), gloss.bottomLeft());
    lg.setColorAt(0, QColor(255, 255, 255, 150));
    lg.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(lg);
    p.drawEllipse(gloss);
}

void glyph(QPainter &p, const QPainterPath &shape)
{
    p.setPen(Qt::NoPen);
    p.fillPath(shape.translated(0.7, 0.9), QColor(0, 0, 0, 140));
    p.fillPath(shape, QColor(255, 255, 255));
}

QPainterPath strokeOf(const QPainterPath &path, qreal width)
{
    QPainterPathStroker s;
    s.setWidth(width);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(path);
}

QPainterPath arrowShape(QPointF c, qreal s, bool right)
{
    const qreal d = right ? 1 : -1;
    QPolygonF poly;
    poly << QPointF(-7, -2.6) << QPointF(0.5, -2.6) << QPointF(0.5, -7.5) << QPointF(8.5, 0)
         << QPointF(0.5, 7.5) << QPointF(0.5, 2.6) << QPointF(-7, 2.6);
    QPainterPath path;
    QPolygonF placed;
    for (const QPointF &q : poly)
        placed << c + QPointF(d * q.x() * s, q.y() * s);
    path.addPolygon(placed);
    path.closeSubpath();
    return path;
}

QImage iconArrow(int scale, bool right)
{
    QImage img = canvas({34, 34}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {17, 16.5}, 15.2, QColor(22, 132, 150));
    glyph(p, arrowShape({17 + (right ? 0.6 : -0.6), 16.5}, 1.0, right));
    return img;
}

QImage iconPlay(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    // In the menu the word "Play" lies under the bottom of this icon: the button sits high.
    p.translate(16, 12.8);
    p.scale(12.3 / 14.4, 12.3 / 14.4);
    p.translate(-16, -15.5);
    orb(p, {16, 15.5}, 14.4, QColor(38, 160, 72));
    QPainterPath tri;
    tri.moveTo(12.2, 8.6);
    tri.lineTo(23.2, 15.5);
    tri.lineTo(12.2, 22.4);
    tri.closeSubpath();
    glyph(p, strokeOf(tri, 1.6).united(tri));
    return img;
}

QImage iconHelp(int scale)
{
    QImage img = canvas({48, 48}, scale);
    QPainter p;
    begin(p, img, scale);
    // The word "Help" lies over the bottom of this icon: the button keeps clear of it.
    p.translate(24, 19.2);
    p.scale(18.0 / 21.8, 18.0 / 21.8);
    p.translate(-24, -23.5);
    orb(p, {24, 23.5}, 21.8, QColor(36, 88, 196));
    glyph(p, textPath(font(QStringLiteral("Liberation Serif"), 31), QStringLiteral("?"),
                      QRectF(0, 0, 48, 47), Qt::AlignCenter));
    return img;
}

QImage iconExit(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    p.translate(16, 15.5); // the same size as the Play button beside it
    p.scale(12.8 / 14.4, 12.8 / 14.4);
    p.translate(-16, -15.5);
    orb(p, {16, 15.5}, 14.4, QColor(204, 72, 36));
    QPainterPath arc;
    const QRectF ring(9.6, 9.6, 12.8, 12.8);
    arc.arcMoveTo(ring, 125);
    arc.arcTo(ring, 125, 290);
    QPainterPath bar;
    bar.moveTo(16, 6.8);
    bar.lineTo(16, 14.6);
    glyph(p, strokeOf(arc, 2.6).united(strokeOf(bar, 2.6)).translated(0, 0.4));
    return img;
}

QImage iconStop(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {16, 15.5}, 14.4, QColor(178, 26, 40));
    QPainterPath sq;
    sq.addRoundedRect(QRectF(10.4, 9.9, 11.2, 11.2), 1.8, 1.8);
    glyph(p, sq);
    return img;
}

QImage iconBack(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {16, 15.5}, 14.4, QColor(32, 92, 188));
    // A return arrow: out along the top, round the right, back along the bottom.
    QPainterPath hook;
    hook.moveTo(11.5, 11.2);
    hook.lineTo(17.5, 11.2);
    hook.arcTo(QRectF(13.6, 11.2, 9.6, 9.6), 90, -180);
    hook.lineTo(12.5, 20.8);
    QPainterPath head;
    head.moveTo(7.4, 11.2);
    head.lineTo(13.2, 6.6);
    head.lineTo(13.2, 15.8);
    head.closeSubpath();
    glyph(p, strokeOf(hook, 2.6).united(head).united(strokeOf(head, 0.8)));
    return img;
}

QImage iconRestart(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {16, 15.5}, 14.4, QColor(212, 140, 28));
    const QRectF ring(9.3, 8.8, 13.4, 13.4);
    QPainterPath arc;
    arc.arcMoveTo(ring, 60);
    arc.arcTo(ring, 60, 285);
    // The head sits at the start of the arc and points along its direction of travel.
    const QPointF tip = arc.pointAtPercent(0);
    const qreal a = 60 * kPi / 180;
    const QPointF along(std::sin(a), std::cos(a));   // backwards along the arc at its start
    const QPointF across(std::cos(a), -std::sin(a)); // outwards
    QPainterPath head;
    head.moveTo(tip - along * 4.6);
    head.lineTo(tip + along * 1.4 + across * 4.2);
    head.lineTo(tip + along * 1.4 - across * 4.2);
    head.closeSubpath();
    glyph(p, strokeOf(arc, 2.6).united(head).united(strokeOf(head, 0.8)));
    return img;
}

// A light bulb, the hint's glyph: a round glass on a neck with its screw base.
QPainterPath bulbShape()
{
    QPainterPath glass;
    glass.addEllipse(QPointF(16, 12.6), 5.6, 5.6);
    QPainterPath neck;
    neck.moveTo(12.6, 15.6);
    neck.lineTo(19.4, 15.6);
    neck.lineTo(18.3, 19.4);
    neck.lineTo(13.7, 19.4);
    neck.closeSubpath();
    QPainterPath base;
    base.addRoundedRect(QRectF(13.4, 20.2, 5.2, 1.5), 0.6, 0.6);
    base.addRoundedRect(QRectF(13.9, 22.3, 4.2, 1.4), 0.6, 0.6);
    return glass.united(neck).united(base);
}

QImage iconHint(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {16, 15.5}, 14.4, QColor(118, 58, 178));
    glyph(p, bulbShape());
    // Rays round the glass: the idea has come.
    QPainterPath rays;
    for (const qreal deg : {-150.0, -120.0, -90.0, -60.0, -30.0}) {
        const qreal a = deg * kPi / 180;
        rays.moveTo(16 + 7.4 * std::cos(a), 12.6 + 7.4 * std::sin(a));
        rays.lineTo(16 + 9.2 * std::cos(a), 12.6 + 9.2 * std::sin(a));
    }
    glyph(p, strokeOf(rays, 1.1));
    return img;
}

// While the solver works: the same button greyed, its bulb dim, a ring of dots going round.
QImage iconHintBusy(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    orb(p, {16, 15.5}, 14.4, QColor(84, 80, 100));
    p.setPen(Qt::NoPen);
    p.fillPath(bulbShape().translated(0.7, 0.9), QColor(0, 0, 0, 90));
    p.fillPath(bulbShape(), QColor(255, 255, 255, 105));
    for (int i = 0; i < 8; ++i) {
        const qreal a = (i * 45 - 90) * kPi / 180;
        const QPointF at(16 + 10.2 * std::cos(a), 15.5 + 10.2 * std::sin(a));
        p.setBrush(QColor(255, 255, 255, 60 + i * 24));
        p.drawEllipse(at, 1.15, 1.15);
    }
    return img;
}

// A small evening scene, the game's identity: a picture in tiles, one of them sliding.
void iconScene(QPainter &p, const QRectF &r)
{
    auto at = [&](qreal fx, qreal fy) {
        return QPointF(r.left() + r.width() * fx, r.top() + r.height() * fy);
    };
    const qreal horizon = 0.885;
    QLinearGradient sky(r.topLeft(), r.bottomLeft());
    sky.setColorAt(0.0, QColor(58, 40, 140));
    sky.setColorAt(0.4, QColor(236, 104, 124));
    sky.setColorAt(horizon - 0.005, QColor(255, 196, 104));
    sky.setColorAt(horizon, QColor(52, 124, 178));
    sky.setColorAt(1.0, QColor(18, 58, 108));
    p.fillRect(r, sky);
    const QPointF sun = at(0.5, 0.85); // setting on the sliding tile
    const qreal w = r.width();
    QRadialGradient glow(sun, w * 0.4);
    glow.setColorAt(0, QColor(255, 240, 180, 240));
    glow.setColorAt(0.3, QColor(255, 200, 120, 150));
    glow.setColorAt(1, QColor(255, 160, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(sun, w * 0.4, w * 0.4);
    p.setBrush(QColor(255, 206, 96));
    p.drawEllipse(sun, w * 0.1, w * 0.1);
    p.fillRect(
        QRectF(at(0, horizon), at(1, 1)),
        vertical(QRectF(at(0, horizon), at(1, 1)), QColor(52, 124, 178), QColor(18, 58, 108)));
    p.setPen(QPen(QColor(255, 190, 100, 150), r.height() * 0.016));
    for (int i = 0; i < 3; ++i) {
        const qreal y = horizon + 0.03 + 0.03 * i;
        const qreal half = 0.07 - 0.02 * i;
        p.drawLine(at(0.5 - half, y), at(0.5 + half, y));
    }
    p.setPen(Qt::NoPen);
    QPainterPath hills;
    hills.moveTo(at(0, horizon + 0.01));
    hills.lineTo(at(0, 0.5));
    hills.lineTo(at(0.16, 0.38));
    hills.lineTo(at(0.27, 0.52));
    hills.lineTo(at(0.36, 0.47));
    hills.lineTo(at(0.44, horizon + 0.01));
    hills.closeSubpath();
    p.setBrush(QColor(70, 34, 86));
    p.drawPath(hills);
    p.setBrush(QColor(255, 255, 235));
    for (const auto &[fx, fy] : {std::pair{0.1, 0.1}, {0.32, 0.06}, {0.8, 0.1}, {0.92, 0.25}})
        p.drawEllipse(at(fx, fy), w * 0.014, w * 0.014);
}

QImage windowIcon(int scale)
{
    QImage img = canvas({64, 64}, scale);
    QPainter p;
    begin(p, img, scale);
    const QRectF outer(1.5, 1.5, 61, 61);
    QPainterPath body;
    body.addRoundedRect(outer, 11, 11);
    p.fillPath(body.translated(0, 1.2), QColor(0, 0, 0, 110));
    p.fillPath(body, vertical(outer, kBlue, kNavyDeep));
    goldFrame(p, outer, 11, 2.6);

    const QRectF board(8, 8, 48, 48);
    p.fillRect(board, QColor(4, 8, 18));
    const qreal t = 16;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (row == 2 && col == 2)
                continue; // the blank, which the sliding tile is moving into
            const qreal slide = (row == 2 && col == 1) ? 7 : 0;
            const QRectF cell(board.left() + col * t + slide, board.top() + row * t, t, t);
            const QRectF tile = cell.adjusted(0.5, 0.5, -0.5, -0.5);
            p.save();
            p.setClipRect(tile);
            p.translate(slide, 0);
            iconScene(p, board);
            p.restore();
            if (slide > 0)
                p.fillRect(QRectF(tile.left() - 1.6, tile.top(), 1.6, tile.height()),
                           QColor(0, 0, 0, 130));
            p.setPen(QPen(QColor(255, 255, 255, 90), 0.8));
            p.drawLine(tile.topLeft() + QPointF(0.4, 0.4), tile.topRight() + QPointF(-0.4, 0.4));
            p.drawLine(tile.topLeft() + QPointF(0.4, 0.4), tile.bottomLeft() + QPointF(0.4, -0.4));
            p.setPen(QPen(QColor(0, 0, 0, 120), 0.8));
            p.drawLine(tile.bottomLeft() + QPointF(0.4, -0.4),
                       tile.bottomRight() + QPointF(-0.4, -0.4));
            p.drawLine(tile.topRight() + QPointF(-0.4, 0.4),
                       tile.bottomRight() + QPointF(-0.4, -0.4));
        }
    }
    // Streaks where the sliding tile has just been.
    p.setPen(QPen(QColor(255, 236, 170, 90), 0.8, Qt::SolidLine, Qt::RoundCap));
    for (const qreal y : {45.5, 48.0, 50.5})
        p.drawLine(QPointF(26.5, y), QPointF(29.5, y));
    return img;
}

// The menu's way to the player's own pictures: a small framed evening scene, a green "+" on
// its corner. 16 x 16, in the top row beside "Select a picture :".
QImage iconAddPicture(int scale)
{
    QImage img = canvas({16, 16}, scale);
    QPainter p;
    begin(p, img, scale);
    const QRectF frame(0.8, 1.8, 12.4, 10.2);
    p.fillRect(frame.translated(0, 0.8), QColor(0, 0, 0, 110));
    p.fillRect(frame, goldGradient(frame.topLeft(), frame.bottomRight()));
    const QRectF scene = frame.adjusted(1.3, 1.3, -1.3, -1.3);
    p.save();
    p.setClipRect(scene);
    iconScene(p, scene);
    p.restore();
    orb(p, {11.6, 11.4}, 4.1, QColor(38, 160, 72));
    QPainterPath plus;
    plus.moveTo(11.6, 9.3);
    plus.lineTo(11.6, 13.5);
    plus.moveTo(9.5, 11.4);
    plus.lineTo(13.7, 11.4);
    glyph(p, strokeOf(plus, 1.3));
    return img;
}

// ---------------------------------------------------------------------------------------------
// Cursors: a gold pointing hand, with a badge for what it will do, and a gold arrow.

QPainterPath handShape()
{
    QPainterPath hand;
    auto finger = [&](QRectF r) {
        QPainterPath f;
        f.addRoundedRect(r, r.width() / 2, r.width() / 2);
        hand = hand.united(f);
    };
    finger(QRectF(9.2, 1.0, 5.4, 18));   // index, pointing
    finger(QRectF(14.2, 9.0, 4.9, 11));  // middle
    finger(QRectF(18.7, 10.4, 4.6, 10)); // ring
    finger(QRectF(22.9, 12.2, 4.3, 9));  // little
    QPainterPath palm;
    palm.addRoundedRect(QRectF(9.2, 14.5, 18.0, 12.5), 4.5, 4.5);
    hand = hand.united(palm);
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-2.6, -8.5, 5.2, 12), 2.6, 2.6);
    QTransform t;
    t.translate(9.8, 19.6);
    t.rotate(-42);
    hand = hand.united(t.map(thumb));
    QPainterPath cuff;
    cuff.addRoundedRect(QRectF(11.2, 25.2, 14.6, 5.6), 1.5, 1.5);
    return hand.united(cuff).simplified();
}

void drawHand(QPainter &p)
{
    const QPainterPath hand = handShape();
    p.fillPath(hand.translated(0.8, 1.0), QColor(0, 0, 0, 90));
    p.fillPath(hand, goldGradient({6, 2}, {26, 30}));
    p.setPen(QPen(QColor(70, 44, 8), 1.1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hand);
    p.setPen(QPen(QColor(110, 74, 18, 200), 0.8, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(14.5, 15.5), QPointF(14.5, 19));
    p.drawLine(QPointF(18.9, 16.5), QPointF(18.9, 20));
    p.drawLine(QPointF(23.1, 17.5), QPointF(23.1, 20.5));
    p.setPen(QPen(QColor(255, 250, 220, 180), 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(10.9, 3.4), QPointF(10.9, 9));
    p.fillRect(QRectF(11.8, 26.2, 13.0, 1.0), QColor(255, 250, 220, 120));
}

QImage cursorHand(int scale, int badge)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    drawHand(p);
    const QPointF c(25.5, 25.5);
    if (badge == 1) { // the web: a small globe
        p.setPen(QPen(QColor(10, 30, 60), 1.0));
        QRadialGradient g(c - QPointF(1.5, 1.5), 7);
        g.setColorAt(0, QColor(120, 200, 255));
        g.setColorAt(1, QColor(20, 90, 180));
        p.setBrush(g);
        p.drawEllipse(c, 5.6, 5.6);
        p.setPen(QPen(QColor(230, 245, 255), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 2.4, 5.0);
        p.drawLine(c - QPointF(5.2, 0), c + QPointF(5.2, 0));
        p.drawLine(c - QPointF(0, 5.2), c + QPointF(0, 5.2));
    } else if (badge == 2) { // closing: a small red cross
        p.setPen(QPen(QColor(60, 0, 0), 1.0));
        QRadialGradient g(c - QPointF(1.5, 1.5), 7);
        g.setColorAt(0, QColor(255, 120, 110));
        g.setColorAt(1, QColor(170, 20, 20));
        p.setBrush(g);
        p.drawEllipse(c, 5.6, 5.6);
        p.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(c + QPointF(-2.3, -2.3), c + QPointF(2.3, 2.3));
        p.drawLine(c + QPointF(-2.3, 2.3), c + QPointF(2.3, -2.3));
    }
    return img;
}

QImage cursorPointer(int scale)
{
    QImage img = canvas({32, 32}, scale);
    QPainter p;
    begin(p, img, scale);
    QPolygonF arrow;
    arrow << QPointF(1.5, 1.5) << QPointF(1.5, 22.5) << QPointF(6.6, 17.6) << QPointF(10.6, 26.6)
          << QPointF(14.4, 25.0) << QPointF(10.5, 16.4) << QPointF(17.6, 16.4);
    QPainterPath path;
    path.addPolygon(arrow);
    path.closeSubpath();
    p.fillPath(path.translated(1.0, 1.2), QColor(0, 0, 0, 90));
    p.fillPath(path, goldGradient({1, 1}, {14, 26}));
    p.setPen(QPen(QColor(60, 38, 6), 1.1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 250, 220, 200), 0.9));
    p.drawLine(QPointF(2.8, 5), QPointF(2.8, 17));
    return img;
}

// ---------------------------------------------------------------------------------------------
// Sheets: the shaped windows. A shape is kept or cut per design pixel; the art inside is
// shaded from the distance to the edge, measured at the drawing's own resolution.

using Shape = std::vector<unsigned char>; // design pixels, row by row, 1 = kept

struct Outline {
    QSize size;
    QPolygonF polygon;
};

// Points around a rounded rectangle, each moved inwards by inward(arc length, index).
QPolygonF roundedOutline(const QRectF &r, qreal radius, qreal step,
                         const std::function<qreal(qreal, int)> &inward)
{
    const qreal straightW = r.width() - 2 * radius, straightH = r.height() - 2 * radius;
    const qreal quarter = kPi * radius / 2;
    const qreal total = 2 * straightW + 2 * straightH + 4 * quarter;
    QPolygonF poly;
    int index = 0;
    for (qreal s = 0; s < total; s += step, ++index) {
        qreal t = s;
        QPointF point, normal; // normal points inwards
        auto corner = [&](QPointF centre, qreal startDeg, qreal len) {
            const qreal a = (startDeg + 90.0 * len / quarter) * kPi / 180;
            point = centre + QPointF(std::cos(a) * radius, -std::sin(a) * radius);
            normal = QPointF(-std::cos(a), std::sin(a));
        };
        if (t < straightW) {
            point = {r.left() + radius + t, r.top()};
            normal = {0, 1};
        } else if ((t -= straightW) < quarter) {
            corner({r.right() - radius, r.top() + radius}, 90, -t);
        } else if ((t -= quarter) < straightH) {
            point = {r.right(), r.top() + radius + t};
            normal = {-1, 0};
        } else if ((t -= straightH) < quarter) {
            corner({r.right() - radius, r.bottom() - radius}, 0, -t);
        } else if ((t -= quarter) < straightW) {
            point = {r.right() - radius - t, r.bottom()};
            normal = {0, -1};
        } else if ((t -= straightW) < quarter) {
            corner({r.left() + radius, r.bottom() - radius}, -90, -t);
        } else if ((t -= quarter) < straightH) {
            point = {r.left(), r.bottom() - radius - t};
            normal = {1, 0};
        } else {
            t -= straightH;
            corner({r.left() + radius, r.top() + radius}, 180, -t);
        }
        poly << point + normal * inward(s / total, index);
    }
    return poly;
}

Shape shapeFromPolygon(QSize size, const QPolygonF &poly)
{
    Shape shape(std::size_t(size.width() * size.height()), 0);
    const QRectF bounds = poly.boundingRect();
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const QPointF c(x + 0.5, y + 0.5);
            if (bounds.contains(c) && poly.containsPoint(c, Qt::OddEvenFill))
                shape[std::size_t(y * size.width() + x)] = 1;
        }
    return shape;
}

bool insideRounded(double x, double y, const QRectF &r, double radius)
{
    if (!r.contains(QPointF(x, y)))
        return false;
    const double cx = std::clamp(x, r.left() + radius, r.right() - radius);
    const double cy = std::clamp(y, r.top() + radius, r.bottom() - radius);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
}

const QSize kMenuSkin(364, 272), kHelpSkin(536, 349), kRecordsSkin(401, 304);

// The menu: a top bar and a bottom bar the full width, the panel between them set in.
Shape menuShape()
{
    Shape shape(std::size_t(kMenuSkin.width() * kMenuSkin.height()), 0);
    const QRectF top(0, 0, 364, 30), body(5, 14, 354, 244), bottom(0, 242, 364, 29);
    for (int y = 0; y < kMenuSkin.height(); ++y)
        for (int x = 0; x < kMenuSkin.width(); ++x) {
            const double cx = x + 0.5, cy = y + 0.5;
            if (insideRounded(cx, cy, top, 8) || body.contains(QPointF(cx, cy)) ||
                insideRounded(cx, cy, bottom, 8))
                shape[std::size_t(y * kMenuSkin.width() + x)] = 1;
        }
    return shape;
}

// The help sheet: torn all round, never deep enough to reach the page or "Close".
Shape helpShape()
{
    Rng rng(0x4e1b);
    const QPolygonF poly = roundedOutline(QRectF(2, 2, 532, 345), 6, 5.0, [&](qreal, int) {
        qreal d = rng.between(0, 5.5);
        if (rng.next() < 0.07)
            d += rng.between(3, 7); // now and then a deeper tear
        return d;
    });
    return shapeFromPolygon(kHelpSkin, poly);
}

// The records sheet: an uneven, softly waving outline.
Shape recordsShape()
{
    const QPolygonF poly = roundedOutline(QRectF(2, 1.5, 397, 300), 24, 2.5, [](qreal u, int) {
        const qreal w = 2.6 + 2.2 * std::sin(2 * kPi * u * 5 + 0.7) +
                        1.4 * std::sin(2 * kPi * u * 13 + 2.1) +
                        0.8 * std::sin(2 * kPi * u * 29 + 0.3);
        return std::max<qreal>(0, w);
    });
    return shapeFromPolygon(kRecordsSkin, poly);
}

const Shape &shapeOf(const QString &name)
{
    static const Shape menu = menuShape();
    static const Shape help = helpShape();
    static const Shape records = recordsShape();
    if (name == QLatin1String("help_skin"))
        return help;
    if (name == QLatin1String("records_skin"))
        return records;
    return menu;
}

// Distance to the nearest cut-away pixel, in device pixels (chamfer 3-4, divided by 3).
std::vector<float> edgeDistance(const std::vector<unsigned char> &kept, int w, int h)
{
    const float far = 1e6f;
    std::vector<float> d(std::size_t(w * h));
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = kept[i] ? far : 0;
    auto at = [&](int x, int y) -> float {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return 0;
        return d[std::size_t(y * w + x)];
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float &v = d[std::size_t(y * w + x)];
            if (v == 0)
                continue;
            v = std::min({v, at(x - 1, y) + 3, at(x, y - 1) + 3, at(x - 1, y - 1) + 4,
                          at(x + 1, y - 1) + 4});
        }
    for (int y = h - 1; y >= 0; --y)
        for (int x = w - 1; x >= 0; --x) {
            float &v = d[std::size_t(y * w + x)];
            if (v == 0)
                continue;
            v = std::min({v, at(x + 1, y) + 3, at(x, y + 1) + 3, at(x + 1, y + 1) + 4,
                          at(x - 1, y + 1) + 4});
        }
    for (float &v : d)
        v /= 3;
    return d;
}

struct SheetStyle {
    QColor rim;   // the outermost pixel
    QColor bevel; // a lit line just inside it
    qreal shadow; // how far in the edge darkens the sheet, design pixels
};

// Shades `image` (drawn at `scale`) by its distance from the edge of `shape`, whose design
// pixel (0, 0) lies at design point `offset` of the image. Outside the shape: `outside`.
void shadeSheet(QImage &image, int scale, const Shape &shape, QSize shapeSize, QPoint offset,
                const SheetStyle &style, std::optional<QColor> outside)
{
    const int w = image.width(), h = image.height();
    std::vector<unsigned char> kept(std::size_t(w * h));
    std::vector<unsigned char> boundary(std::size_t(w * h));
    auto shapeAt = [&](int sx, int sy) -> bool {
        if (sx < 0 || sy < 0 || sx >= shapeSize.width() || sy >= shapeSize.height())
            return false;
        return shape[std::size_t(sy * shapeSize.width() + sx)] != 0;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x / scale - offset.x(), sy = y / scale - offset.y();
            const bool k = shapeAt(sx, sy);
            kept[std::size_t(y * w + x)] = k;
            // A design pixel on the edge is rim at every scale, so the shape stays crisp.
            boundary[std::size_t(y * w + x)] = k && (!shapeAt(sx - 1, sy) || !shapeAt(sx + 1, sy) ||
                                                     !shapeAt(sx, sy - 1) || !shapeAt(sx, sy + 1));
        }
    const std::vector<float> dist = edgeDistance(kept, w, h);
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const std::size_t i = std::size_t(y * w + x);
            if (!kept[i]) {
                if (outside)
                    line[x] = outside->rgba();
                continue;
            }
            if (boundary[i]) {
                line[x] = style.rim.rgba();
                continue;
            }
            const double d = dist[i] / scale - 1.0; // design pixels inside the rim
            QColor c = QColor::fromRgba(line[x]);
            if (d < 1.2) {
                const double t = std::clamp(1.0 - std::abs(d - 0.5) / 0.9, 0.0, 1.0);
                c = QColor::fromRgbF(c.redF() + (style.bevel.redF() - c.redF()) * t,
                                     c.greenF() + (style.bevel.greenF() - c.greenF()) * t,
                                     c.blueF() + (style.bevel.blueF() - c.blueF()) * t);
            } else if (d < style.shadow) {
                const double t = 1.0 - (d - 1.2) / (style.shadow - 1.2);
                const double f = 1.0 - 0.45 * t * t;
                c = QColor::fromRgbF(c.redF() * f, c.greenF() * f, c.blueF() * f);
            }
            line[x] = c.rgba();
        }
    }
}

// Only pure white is cut away: nothing kept may be white, nor so pale that it haloes.
void finishSkin(QImage &image, int scale, const Shape &shape, QSize size)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool k = shape[std::size_t((y / scale) * size.width() + x / scale)] != 0;
            if (!k) {
                line[x] = qRgb(255, 255, 255);
                continue;
            }
            const QRgb c = line[x];
            int r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (r > 200 && g > 200 && b > 200)
                r = g = b = 200;
            line[x] = qRgb(r, g, b);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// The menu.

// The top bar and bottom bar carry the same gradients in the skin, the title strip and the
// link bars, so the pieces meet without a seam.
void barGradient(QPainter &p, const QRectF &r)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(44, 86, 150));
    g.setColorAt(0.48, QColor(22, 52, 104));
    g.setColorAt(0.52, QColor(14, 38, 84));
    g.setColorAt(1.0, QColor(8, 22, 52));
    p.fillRect(r, g);
}

void logoTiles(QPainter &p, const QRectF &r)
{
    const qreal t = r.width() / 3;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 3; ++col) {
            if (row == 2 && col == 2)
                continue;
            const QRectF cell(r.left() + col * t + 0.6, r.top() + row * t + 0.6, t - 1.2, t - 1.2);
            p.fillRect(cell, goldGradient(cell.topLeft(), cell.bottomRight()));
        }
}

void drawTitle(QPainter &p) // in the title strip's own 364 x 22
{
    barGradient(p, QRectF(0, 0, 364, 22));
    p.fillRect(QRectF(0, 21, 364, 1), QColor(4, 10, 26));
    logoTiles(p, QRectF(10, 4, 14, 14));
    logoTiles(p, QRectF(340, 4, 14, 14));
    const QPainterPath title =
        textPath(font(QStringLiteral("Liberation Serif"), 14), QStringLiteral("Zantho Puzzle +1"),
                 QRectF(0, 1, 364, 20), Qt::AlignCenter);
    shadowedText(p, title, goldText(title.boundingRect()), 1.0);
}

void globe(QPainter &p, QPointF c, qreal r)
{
    QRadialGradient g(c - QPointF(r * 0.3, r * 0.3), r * 1.3);
    g.setColorAt(0, QColor(140, 210, 255));
    g.setColorAt(1, QColor(16, 80, 160));
    p.setPen(QPen(kGold, 0.8));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(QColor(225, 240, 255, 220), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r * 0.95);
    p.drawLine(c - QPointF(r * 0.95, 0), c + QPointF(r * 0.95, 0));
    p.drawLine(c - QPointF(0, r * 0.95), c + QPointF(0, r * 0.95));
}

void drawLinkBar(QPainter &p, const QString &site) // 175 x 21
{
    barGradient(p, QRectF(0, -1, 175, 22));
    const QRectF pill(3, 2.5, 169, 16);
    QPainterPath path;
    path.addRoundedRect(pill, 8, 8);
    p.fillPath(path, vertical(pill, QColor(24, 58, 112), QColor(6, 18, 44)));
    goldHairline(p, pill, 8, 230);
    globe(p, {13, 10.5}, 5);
    const QFont f = fitted(QStringLiteral("Liberation Sans"), 10.5, site, 146);
    shadowedText(p, textPath(f, site, QRectF(21, 2.5, 148, 16), Qt::AlignCenter), kSiteText);
    p.fillRect(QRectF(0, 20, 175, 1), QColor(4, 10, 26));
}

void drawMenuPanel(QPainter &p) // 340 x 227
{
    const QRectF r(0, 0, 340, 227);
    QLinearGradient base(r.topLeft(), r.bottomRight());
    base.setColorAt(0, QColor(30, 78, 142));
    base.setColorAt(0.55, QColor(18, 50, 102));
    base.setColorAt(1, QColor(10, 30, 70));
    p.fillRect(r, base);

    // A faint tiled watermark: the panel is made of the game's own tiles.
    p.setPen(Qt::NoPen);
    for (int y = 0; y < 227; y += 17)
        for (int x = 0; x < 340; x += 17) {
            const QRectF t(x + 1, y + 1, 15, 15);
            p.fillRect(QRectF(t.left(), t.top(), t.width(), 1), QColor(255, 255, 255, 10));
            p.fillRect(QRectF(t.left(), t.top(), 1, t.height()), QColor(255, 255, 255, 8));
            p.fillRect(QRectF(t.left(), t.bottom() - 1, t.width(), 1), QColor(0, 0, 0, 18));
        }

    // Light behind the preview, dark at its heart so the picture stands out.
    QRadialGradient light(QPointF(121, 102), 150);
    light.setColorAt(0.0, QColor(80, 150, 220, 70));
    light.setColorAt(1.0, QColor(80, 150, 220, 0));
    p.setBrush(light);
    p.drawRect(r);
    QRadialGradient heart(QPointF(121, 102), 118);
    heart.setColorAt(0.0, QColor(2, 8, 24, 110));
    heart.setColorAt(0.6, QColor(2, 8, 24, 80));
    heart.setColorAt(1.0, QColor(2, 8, 24, 0));
    p.setBrush(heart);
    p.drawEllipse(QPointF(121, 102), 118, 106);

    // The column of actions.
    const QRectF plate(258, 14, 74, 180);
    QPainterPath platePath;
    platePath.addRoundedRect(plate, 12, 12);
    p.fillPath(platePath, vertical(plate, QColor(6, 18, 42, 225), QColor(4, 12, 30, 235)));
    goldHairline(p, plate.adjusted(0.5, 0.5, -0.5, -0.5), 12);

    // The rail the arrows and the level sit on.
    const QRectF rail(12, 197, 218, 26);
    QPainterPath railPath;
    railPath.addRoundedRect(rail, 13, 13);
    p.fillPath(railPath, vertical(rail, QColor(6, 18, 42, 220), QColor(4, 12, 30, 230)));
    goldHairline(p, rail.adjusted(0.5, 0.5, -0.5, -0.5), 13);

    goldHairline(p, r.adjusted(0.5, 0.5, -0.5, -0.5), 3, 235);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.drawRect(r.adjusted(1.5, 1.5, -1.5, -1.5));
}

QImage menuTitle(int scale)
{
    QImage img = canvas({364, 22}, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    drawTitle(p);
    return img;
}

QImage menuPanel(int scale)
{
    QImage img = canvas({340, 227}, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    drawMenuPanel(p);
    p.end();
    grain(img, scale, 1.6, 0.05, 11);
    return img;
}

QImage linkBar(int scale, const QString &site)
{
    QImage img = canvas({175, 21}, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    drawLinkBar(p, site);
    return img;
}

QImage menuSkin(int scale)
{
    QImage img = canvas(kMenuSkin, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    // The frame between the bars; the window lays the strip, panel and bars over it just
    // as they are drawn here.
    p.fillRect(QRectF(0, 0, 364, 272), vertical(QRectF(0, 0, 364, 272), kNavy, kNavyDeep));
    barGradient(p, QRectF(0, 249, 364, 23));
    p.save();
    p.translate(-1, 0);
    p.scale(366.0 / 364, 1);
    drawTitle(p);
    p.restore();
    p.save();
    p.translate(10, 22);
    p.scale(342.0 / 340, 228.0 / 227);
    drawMenuPanel(p);
    p.restore();
    p.save();
    p.translate(-1, 250);
    drawLinkBar(p, kFirstSite);
    p.restore();
    p.save();
    p.translate(187, 250);
    p.scale(177.0 / 175, 1);
    drawLinkBar(p, kSecondSite);
    p.restore();
    p.end();
    const Shape &shape = shapeOf(QStringLiteral("menu_skin"));
    shadeSheet(img, scale, shape, kMenuSkin, {}, {QColor(3, 8, 20), QColor(70, 120, 190), 3.5},
               std::nullopt);
    finishSkin(img, scale, shape, kMenuSkin);
    return img;
}

// ---------------------------------------------------------------------------------------------
// The help window.

void sheetBase(QImage &image, int scale, QColor top, QColor bottom, double grainAmount,
               quint32 seed, QPointF offset = {})
{
    QPainter p;
    begin(p, image, scale);
    const QRectF r(0, 0, image.width() / double(scale), image.height() / double(scale));
    p.fillRect(r, vertical(r, top, bottom));
    p.end();
    grain(image, scale, 2.2, grainAmount, seed, offset);
}

QImage helpSkin(int scale)
{
    QImage img = canvas(kHelpSkin, scale, Qt::black);
    sheetBase(img, scale, QColor(16, 17, 20), QColor(6, 6, 8), 0.25, 21);
    const Shape &shape = shapeOf(QStringLiteral("help_skin"));
    shadeSheet(img, scale, shape, kHelpSkin, {}, {QColor(10, 10, 10), QColor(92, 80, 54), 6},
               std::nullopt);
    finishSkin(img, scale, shape, kHelpSkin);
    return img;
}

// Beneath "Close": an ornamental rule just under the page and a dark glow for the word.
QImage helpStrip(int scale)
{
    QImage img = canvas({521, 97}, scale);
    QPainter p;
    begin(p, img, scale);
    const QPointF mid(280.5, 60.5); // "Close" is centred here
    QRadialGradient glow(mid, 80);
    glow.setColorAt(0.0, QColor(8, 60, 72, 200));
    glow.setColorAt(0.55, QColor(4, 34, 42, 120));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(mid, 110, 36);

    QLinearGradient rule(QPointF(20, 0), QPointF(501, 0));
    rule.setColorAt(0.0, withAlpha(kGold, 0));
    rule.setColorAt(0.25, withAlpha(kGold, 200));
    rule.setColorAt(0.5, kGoldLight);
    rule.setColorAt(0.75, withAlpha(kGold, 200));
    rule.setColorAt(1.0, withAlpha(kGold, 0));
    p.fillRect(QRectF(20, 31, 481, 1.2), rule);
    QLinearGradient teal(QPointF(60, 0), QPointF(461, 0));
    teal.setColorAt(0.0, QColor(40, 170, 180, 0));
    teal.setColorAt(0.5, QColor(40, 170, 180, 160));
    teal.setColorAt(1.0, QColor(40, 170, 180, 0));
    p.fillRect(QRectF(60, 34, 401, 0.8), teal);

    QPainterPath diamond;
    diamond.moveTo(mid.x(), 26.5);
    diamond.lineTo(mid.x() + 5.5, 31.6);
    diamond.lineTo(mid.x(), 36.7);
    diamond.lineTo(mid.x() - 5.5, 31.6);
    diamond.closeSubpath();
    p.fillPath(diamond, goldGradient({mid.x() - 5, 27}, {mid.x() + 5, 37}));

    // Rows of tiles fading out towards the torn edges, either side of the word.
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 9; ++i) {
            for (int row = 0; row < 2; ++row) {
                const qreal x = mid.x() + side * (66 + i * 15.5) - 6;
                const qreal y = 50 + row * 14;
                const int alpha = 190 - i * 20 - row * 30;
                if (alpha <= 0 || (i + row) % 4 == 3)
                    continue; // a gap here and there, like a board mid-game
                const QRectF t(x, y, 12, 12);
                QLinearGradient g(t.topLeft(), t.bottomRight());
                g.setColorAt(0, QColor(30, 150, 165, alpha));
                g.setColorAt(1, QColor(8, 60, 80, alpha));
                p.fillRect(t, g);
                p.fillRect(QRectF(t.left(), t.top(), t.width(), 0.8),
                           QColor(180, 240, 240, alpha / 2));
                p.fillRect(QRectF(t.left(), t.top(), 0.8, t.height()),
                           QColor(180, 240, 240, alpha / 3));
            }
        }
    }
    return img;
}

// ---------------------------------------------------------------------------------------------
// The records window: its skin is the bare sheet; the background over it, two pixels left
// and one up of the window, is the same sheet with the records table laid out on it.

const SheetStyle kRecordsSheet{QColor(2, 22, 26), QColor(54, 150, 150), 7};

QImage recordsSkin(int scale)
{
    QImage img = canvas(kRecordsSkin, scale, Qt::black);
    sheetBase(img, scale, QColor(12, 84, 92), QColor(4, 46, 54), 0.12, 31);
    const Shape &shape = shapeOf(QStringLiteral("records_skin"));
    shadeSheet(img, scale, shape, kRecordsSkin, {}, kRecordsSheet, std::nullopt);
    finishSkin(img, scale, shape, kRecordsSkin);
    return img;
}

QImage recordsBackground(int scale)
{
    const QPoint offset(2, 1); // the window's (0, 0) in this picture
    QImage img = canvas({404, 306}, scale, Qt::black);
    sheetBase(img, scale, QColor(12, 84, 92), QColor(4, 46, 54), 0.12, 31, -QPointF(offset));
    {
        QPainter p;
        begin(p, img, scale);
        p.translate(offset); // from here on: window coordinates

        // The about text.
        const QRectF about(40, 10, 321, 134);
        QPainterPath aboutPath;
        aboutPath.addRoundedRect(about, 14, 14);
        p.fillPath(aboutPath, vertical(about, QColor(2, 24, 30, 190), QColor(2, 30, 36, 150)));
        goldHairline(p, about.adjusted(0.5, 0.5, -0.5, -0.5), 14, 170);
        logoTiles(p, QRectF(52, 20, 18, 18));
        logoTiles(p, QRectF(331, 20, 18, 18));

        // The table: a dark plate, a faint band for each record row.
        const QRectF table(22, 148, 357, 101);
        QPainterPath tablePath;
        tablePath.addRoundedRect(table, 12, 12);
        p.fillPath(tablePath, vertical(table, QColor(1, 14, 18, 215), QColor(1, 18, 22, 200)));
        goldHairline(p, table.adjusted(0.5, 0.5, -0.5, -0.5), 12, 190);
        for (const qreal y : {175.0, 191.0, 215.0, 231.0})
            p.fillRect(QRectF(146, y, 224, 15), QColor(255, 255, 255, 9));
        p.fillRect(QRectF(30, 171.5, 341, 0.8), withAlpha(kGold, 110));
        p.fillRect(QRectF(30, 210.5, 341, 0.8), QColor(60, 170, 170, 90));

        // The level names sit on light badges so that their blue reads.
        for (const qreal y : {184.0, 223.0}) {
            const QRectF badge(27, y, 51, 18);
            QPainterPath b;
            b.addRoundedRect(badge, 5, 5);
            p.fillPath(b.translated(0, 1), QColor(0, 0, 0, 120));
            p.fillPath(b, vertical(badge, QColor(252, 240, 200), QColor(214, 192, 132)));
            goldHairline(p, badge.adjusted(0.5, 0.5, -0.5, -0.5), 5, 255);
        }

        // A soft glow behind "Close".
        const QPointF close(208.5, 266);
        QRadialGradient glow(close, 60);
        glow.setColorAt(0.0, QColor(4, 20, 26, 230));
        glow.setColorAt(0.6, QColor(4, 20, 26, 120));
        glow.setColorAt(1.0, QColor(4, 20, 26, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(close, 78, 28);
    }
    shadeSheet(img, scale, shapeOf(QStringLiteral("records_skin")), kRecordsSkin, offset,
               kRecordsSheet, kRecordsSheet.rim);
    return img;
}

// ---------------------------------------------------------------------------------------------
// The completion dialog. Its picture is stretched to 521 x 113 and placed 32 pixels left of
// the window, which shows 358 x 89 of it, or all 113 rows with the line of the fewest clicks
// below: the art is drawn in window coordinates, for a window `height` pixels high.

QImage completionBackground(int scale, qreal height)
{
    QImage img = canvas({372, 136}, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    p.scale(372.0 / 521, 136.0 / 113);
    p.translate(32, 0);
    const QRectF all(-32, 0, 521, 113), win(0, 0, 358, height);
    QLinearGradient base(all.topLeft(), all.bottomLeft());
    base.setColorAt(0, QColor(14, 74, 92));
    base.setColorAt(1, QColor(4, 26, 44));
    p.fillRect(all, base);

    // Confetti of small tiles, drifting from the right where "Close" waits.
    Rng rng(0xc0fe);
    for (int i = 0; i < 70; ++i) {
        const qreal x = rng.between(-30, 485), y = rng.between(0, 110);
        const qreal s = rng.between(2.5, 6);
        const int hue = int(rng.between(0, 360));
        QColor c = QColor::fromHsv(hue, 150, 230, int(rng.between(25, 70)));
        p.save();
        p.translate(x, y);
        p.rotate(rng.between(0, 90));
        p.fillRect(QRectF(-s / 2, -s / 2, s, s), c);
        p.restore();
    }
    // Dark where the text goes, a glow where "Close" goes.
    QLinearGradient shade(QPointF(0, 0), QPointF(260, 0));
    shade.setColorAt(0, QColor(0, 10, 18, 170));
    shade.setColorAt(1, QColor(0, 10, 18, 0));
    p.fillRect(QRectF(0, 0, 260, height), shade);
    QRadialGradient glow(QPointF(304, 44), 60);
    glow.setColorAt(0, QColor(255, 220, 120, 70));
    glow.setColorAt(0.5, QColor(255, 200, 90, 25));
    glow.setColorAt(1, QColor(255, 200, 90, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(304, 44), 64, 46);
    // Rays from behind "Close".
    for (int i = 0; i < 12; ++i) {
        const qreal a = (i * 30 + 15) * kPi / 180;
        QPainterPath ray;
        ray.moveTo(304, 44);
        ray.lineTo(304 + 90 * std::cos(a - 0.07), 44 + 90 * std::sin(a - 0.07));
        ray.lineTo(304 + 90 * std::cos(a + 0.07), 44 + 90 * std::sin(a + 0.07));
        ray.closeSubpath();
        QRadialGradient rg(QPointF(304, 44), 90);
        rg.setColorAt(0.3, QColor(255, 230, 150, 40));
        rg.setColorAt(1, QColor(255, 230, 150, 0));
        p.fillPath(ray, rg);
    }
    p.fillRect(QRectF(0, height - 1.5, 358, 1.5), withAlpha(kGold, 160));
    goldFrame(p, win.adjusted(1, 1, -1, -1), 6, 1.6);
    p.end();
    grain(img, scale, 1.8, 0.05, 41);
    return img;
}

// ---------------------------------------------------------------------------------------------
// The game window. Its 712 x 475 picture is stretched to 688 x 483 and lies 8 pixels above
// the window: the art is drawn in window coordinates so every frame meets its elements.

QImage gameBackground(int scale)
{
    QImage img = canvas({712, 475}, scale, Qt::black);
    {
        QPainter p;
        begin(p, img, scale);
        p.scale(712.0 / 688, 475.0 / 483);
        p.translate(0, 8);
        const QRectF all(0, -8, 688, 483);
        QLinearGradient base(all.topLeft(), all.bottomRight());
        base.setColorAt(0, QColor(20, 52, 82));
        base.setColorAt(0.5, QColor(10, 32, 56));
        base.setColorAt(1, QColor(5, 16, 32));
        p.fillRect(all, base);
        QRadialGradient sheen(QPointF(200, 120), 420);
        sheen.setColorAt(0, QColor(60, 130, 170, 60));
        sheen.setColorAt(1, QColor(60, 130, 170, 0));
        p.fillRect(all, sheen);

        // The board: Normal spans 24..409 x 64..353, Hard 40..347 x 32..433.
        const QRectF board(16, 24, 402, 418);
        well(p, board.adjusted(4, 4, -4, -4), 6, QColor(3, 8, 16), QColor(6, 14, 26));
        // Where a board leaves the frame bare, a faint grid of empty cells shows.
        p.save();
        p.setClipRect(board.adjusted(8, 8, -8, -8));
        p.setPen(QPen(QColor(90, 150, 200, 22), 1.0));
        for (qreal x = 24.5; x < 418; x += 24)
            p.drawLine(QPointF(x, 24), QPointF(x, 442));
        for (qreal y = 32.5; y < 442; y += 24)
            p.drawLine(QPointF(16, y), QPointF(418, y));
        QRadialGradient hush(board.center(), 260);
        hush.setColorAt(0, QColor(40, 90, 140, 40));
        hush.setColorAt(1, QColor(40, 90, 140, 0));
        p.fillRect(board, hush);
        p.restore();
        goldFrame(p, board, 9, 4);

        // The previews: Normal at 424..668 x 56..236, Hard at 448..636 x 32..284.
        const QRectF previews(418, 25, 258, 266);
        well(p, previews.adjusted(3, 3, -3, -3), 5, QColor(3, 8, 16), QColor(6, 14, 26));
        goldFrame(p, previews, 8, 3);

        // The controls: buttons, counters and banner on one plate.
        const QRectF plate(426, 300, 250, 142);
        QPainterPath platePath;
        platePath.addRoundedRect(plate, 12, 12);
        p.fillPath(platePath.translated(0, 1.5), QColor(0, 0, 0, 110));
        p.fillPath(platePath, vertical(plate, QColor(22, 58, 92), QColor(10, 28, 50)));
        goldHairline(p, plate.adjusted(0.5, 0.5, -0.5, -0.5), 12);
        for (const QPointF c : {QPointF(488, 328), QPointF(456, 368), QPointF(456, 408)}) {
            QRadialGradient socket(c, 19);
            socket.setColorAt(0.7, QColor(0, 0, 0, 150));
            socket.setColorAt(1.0, QColor(0, 0, 0, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(socket);
            p.drawEllipse(c, 19, 19);
        }
        for (const qreal y : {311.0, 336.0}) // the time and click readouts
            well(p, QRectF(604, y, 66, 22), 5, QColor(2, 6, 12), QColor(4, 10, 20));
        well(p, QRectF(535, 385, 108, 43), 4, QColor(2, 6, 12), QColor(4, 10, 20));
        goldHairline(p, QRectF(534.5, 384.5, 109, 44), 4, 160);

        // The status line along the bottom.
        QLinearGradient status(QPointF(0, 448), QPointF(0, 475));
        status.setColorAt(0, QColor(0, 0, 0, 0));
        status.setColorAt(0.3, QColor(0, 6, 14, 170));
        status.setColorAt(1, QColor(0, 6, 14, 200));
        p.fillRect(QRectF(0, 448, 688, 27), status);
        QLinearGradient rule(QPointF(0, 0), QPointF(420, 0));
        rule.setColorAt(0, withAlpha(kGold, 0));
        rule.setColorAt(0.5, withAlpha(kGold, 170));
        rule.setColorAt(1, withAlpha(kGold, 0));
        p.fillRect(QRectF(0, 449, 420, 0.8), rule);
    }
    grain(img, scale, 1.4, 0.06, 51);
    return img;
}

// ---------------------------------------------------------------------------------------------
// The banner: two pictures for each fan site, shown in turn.

QImage bannerPicture(int scale, QSize size, const QString &site, bool second, bool alternate)
{
    QImage img = canvas(size, scale, Qt::black);
    QPainter p;
    begin(p, img, scale);
    const QRectF r(0, 0, size.width(), size.height());
    const QColor top = second ? QColor(14, 96, 106) : QColor(30, 74, 150);
    const QColor bottom = second ? QColor(2, 34, 44) : QColor(6, 20, 56);
    p.fillRect(r, vertical(r, top, bottom));
    p.fillRect(QRectF(0, 0, r.width(), r.height() / 2),
               vertical(QRectF(0, 0, r.width(), r.height() / 2), QColor(255, 255, 255, 26),
                        QColor(255, 255, 255, 10)));
    goldFrame(p, r, 4, 1.5);
    const QRectF inner = r.adjusted(4, 3, -4, -3);
    const QString host = site.section(QLatin1Char('.'), 0, 0);
    const QString rest = site.mid(host.size());
    if (!alternate) {
        // The site's name large, its domain small beneath.
        logoTiles(p, QRectF(inner.left() + 1, inner.top() + 3.5, 13, 13));
        const QFont big = fitted(QStringLiteral("Liberation Serif"), 15, host, inner.width() - 18);
        const QPainterPath name = textPath(
            big, host, QRectF(inner.left() + 16, inner.top() - 0.5, inner.width() - 16, 17),
            Qt::AlignCenter);
        shadowedText(p, name, goldText(name.boundingRect()));
        const QFont small = fitted(QStringLiteral("Liberation Sans"), 8.5, rest, inner.width());
        shadowedText(p,
                     textPath(small, rest,
                              QRectF(inner.left() + 16, inner.top() + 16.5, inner.width() - 16, 10),
                              Qt::AlignCenter),
                     QColor(200, 236, 255), 0.6);
    } else {
        // An invitation, then the whole address.
        const QString call =
            second ? QStringLiteral("Join the fans at") : QStringLiteral("More puzzles at");
        const QFont small = fitted(QStringLiteral("Liberation Sans"), 9, call, inner.width());
        shadowedText(p,
                     textPath(small, call,
                              QRectF(inner.left(), inner.top() + 0.5, inner.width(), 11),
                              Qt::AlignCenter),
                     QColor(230, 245, 255), 0.6);
        const QFont addr = fitted(QStringLiteral("Liberation Sans"), 10, site, inner.width());
        const QPainterPath address = textPath(
            addr, site, QRectF(inner.left(), inner.top() + 14, inner.width(), 13), Qt::AlignCenter);
        shadowedText(p, address, goldText(address.boundingRect()), 0.7);
    }
    return img;
}

// ---------------------------------------------------------------------------------------------

struct Entry {
    QString name;
    QSize size;
    std::function<QImage(int)> draw;
};

const std::vector<Entry> &catalogue()
{
    static const std::vector<Entry> entries = [] {
        const QSize small(100, 35), large(102, 37);
        return std::vector<Entry>{
            {QStringLiteral("menu_skin"), kMenuSkin, menuSkin},
            {QStringLiteral("help_skin"), kHelpSkin, helpSkin},
            {QStringLiteral("records_skin"), kRecordsSkin, recordsSkin},
            {QStringLiteral("menu_title"), {364, 22}, menuTitle},
            {QStringLiteral("menu_panel"), {340, 227}, menuPanel},
            {QStringLiteral("link_bar1"), {175, 21}, [](int s) { return linkBar(s, kFirstSite); }},
            {QStringLiteral("link_bar2"), {175, 21}, [](int s) { return linkBar(s, kSecondSite); }},
            {QStringLiteral("game_background"), {712, 475}, gameBackground},
            {QStringLiteral("banner"), large,
             [=](int s) { return bannerPicture(s, large, kSecondSite, true, false); }},
            {QStringLiteral("ind1"), small,
             [=](int s) { return bannerPicture(s, small, kFirstSite, false, false); }},
            {QStringLiteral("ind2"), large,
             [=](int s) { return bannerPicture(s, large, kSecondSite, true, false); }},
            {QStringLiteral("ind3"), small,
             [=](int s) { return bannerPicture(s, small, kFirstSite, false, true); }},
            {QStringLiteral("ind4"), large,
             [=](int s) { return bannerPicture(s, large, kSecondSite, true, true); }},
            {QStringLiteral("completion_background"),
             {372, 136},
             [](int s) { return completionBackground(s, 89); }},
            {QStringLiteral("completion_background_tall"),
             {372, 136},
             [](int s) { return completionBackground(s, 113); }},
            {QStringLiteral("records_background"), {404, 306}, recordsBackground},
            {QStringLiteral("help_strip"), {521, 97}, helpStrip},
            {QStringLiteral("icon_previous"), {34, 34}, [](int s) { return iconArrow(s, false); }},
            {QStringLiteral("icon_next"), {34, 34}, [](int s) { return iconArrow(s, true); }},
            {QStringLiteral("icon_play"), {32, 32}, iconPlay},
            {QStringLiteral("icon_help"), {48, 48}, iconHelp},
            {QStringLiteral("icon_exit"), {32, 32}, iconExit},
            {QStringLiteral("icon_add_picture"), {16, 16}, iconAddPicture},
            {QStringLiteral("icon_stop"), {32, 32}, iconStop},
            {QStringLiteral("icon_back"), {32, 32}, iconBack},
            {QStringLiteral("icon_restart"), {32, 32}, iconRestart},
            {QStringLiteral("icon_hint"), {32, 32}, iconHint},
            {QStringLiteral("icon_hint_busy"), {32, 32}, iconHintBusy},
            {QStringLiteral("window_icon"), {64, 64}, windowIcon},
            {QStringLiteral("cursor_button"), {32, 32}, [](int s) { return cursorHand(s, 0); }},
            {QStringLiteral("cursor_banner"), {32, 32}, [](int s) { return cursorHand(s, 1); }},
            {QStringLiteral("cursor_menu_pointer"), {32, 32}, cursorPointer},
            {QStringLiteral("cursor_close"), {32, 32}, [](int s) { return cursorHand(s, 2); }},
        };
    }();
    return entries;
}

const Entry *find(const QString &name)
{
    for (const Entry &e : catalogue())
        if (e.name == name)
            return &e;
    return nullptr;
}

} // namespace

QSize designSize(const QString &name)
{
    const Entry *e = find(name);
    return e ? e->size : QSize();
}

QList<QString> names()
{
    QList<QString> list;
    for (const Entry &e : catalogue())
        list << e.name;
    return list;
}

QImage render(const QString &name, int scale)
{
    const Entry *e = find(name);
    if (!e || scale < 1)
        return {};
    QImage image = e->draw(scale);
    Q_ASSERT(image.size() == e->size * scale);
    return image.convertToFormat(image.hasAlphaChannel() && !name.endsWith(QLatin1String("_skin"))
                                     ? QImage::Format_ARGB32
                                     : QImage::Format_RGB32);
}

QImage skinShape(const QString &name)
{
    const QSize size = designSize(name);
    if (!name.endsWith(QLatin1String("_skin")) || !size.isValid())
        return {};
    const Shape &shape = shapeOf(name);
    QImage image(size, QImage::Format_Grayscale8);
    for (int y = 0; y < size.height(); ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < size.width(); ++x)
            line[x] = shape[std::size_t(y * size.width() + x)] ? 255 : 0;
    }
    return image;
}

QImage contactSheet()
{
    const int margin = 14, labelHeight = 16, width = 1360;
    struct Placed {
        QString name;
        QImage image;
        QPoint at;
    };
    std::vector<Placed> placed;
    int x = margin, y = margin, rowHeight = 0;
    for (const Entry &e : catalogue()) {
        QImage image = render(e.name, 1);
        if (e.size.width() <= 64)
            image = render(e.name, 2); // small pictures at double size, to see their detail
        if (x + image.width() > width - margin) {
            x = margin;
            y += rowHeight + labelHeight + margin;
            rowHeight = 0;
        }
        placed.push_back({e.name, image, {x, y}});
        x += std::max(image.width(), 96) + margin;
        rowHeight = std::max(rowHeight, image.height());
    }
    QImage sheet(width, y + rowHeight + labelHeight + margin, QImage::Format_RGB32);
    sheet.fill(QColor(96, 100, 108));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    // A checkerboard under each picture shows where it is transparent.
    for (const Placed &pl : placed) {
        const QRect r(pl.at, pl.image.size());
        for (int cy = r.top(); cy < r.bottom(); cy += 8)
            for (int cx = r.left(); cx < r.right(); cx += 8)
                p.fillRect(QRect(cx, cy, std::min(8, r.right() + 1 - cx),
                                 std::min(8, r.bottom() + 1 - cy)),
                           ((cx - r.left()) / 8 + (cy - r.top()) / 8) % 2 ? QColor(150, 150, 150)
                                                                          : QColor(190, 190, 190));
        p.drawImage(pl.at, pl.image);
        p.setPen(Qt::white);
        p.setFont(font(QStringLiteral("Liberation Sans"), 11, QFont::Normal));
        p.drawText(QRect(pl.at.x(), pl.at.y() + pl.image.height() + 1, 300, labelHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, pl.name);
    }
    return sheet;
}

} // namespace art
