#include "generators/pictures/canvas.h"

#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace pictures
{

QPen pen(const QColor &c, double width)
{
    QPen p(c, width);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

double Rng::next()
{
    // splitmix64: tiny, fast and the same everywhere.
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return double(z >> 11) * (1.0 / 9007199254740992.0);
}

float fbm(float x, float y, std::uint32_t seed, int octaves)
{
    float sum = 0.f, amplitude = 0.5f, norm = 0.f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(x, y, seed + std::uint32_t(i) * 131u);
        norm += amplitude;
        amplitude *= 0.5f;
        // A slight rotation per octave hides the lattice.
        const float nx = x * 1.6f - y * 1.2f + 17.3f;
        y = x * 1.2f + y * 1.6f + 5.1f;
        x = nx;
    }
    return sum / norm;
}

float ridged(float x, float y, std::uint32_t seed, int octaves)
{
    float sum = 0.f, amplitude = 0.5f, norm = 0.f;
    for (int i = 0; i < octaves; ++i) {
        const float n = 1.f - std::abs(2.f * valueNoise(x, y, seed + std::uint32_t(i) * 71u) - 1.f);
        sum += amplitude * n * n;
        norm += amplitude;
        amplitude *= 0.5f;
        const float nx = x * 1.6f - y * 1.2f + 3.7f;
        y = x * 1.2f + y * 1.6f + 9.4f;
        x = nx;
    }
    return sum / norm;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t),
                            float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor withAlpha(QColor c, double alpha)
{
    c.setAlphaF(float(std::clamp(alpha, 0.0, 1.0)));
    return c;
}

QColor palette(std::initializer_list<QColor> colours, double t)
{
    const int n = int(colours.size());
    if (n == 1)
        return *colours.begin();
    t = std::clamp(t, 0.0, 1.0) * (n - 1);
    const int i = std::min(int(t), n - 2);
    return mix(colours.begin()[i], colours.begin()[i + 1], t - i);
}

void verticalGradient(QPainter &p, const QRectF &r, std::initializer_list<QColor> colours)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    const int n = int(colours.size());
    int i = 0;
    for (const QColor &c : colours)
        g.setColorAt(n == 1 ? 0.0 : double(i++) / (n - 1), c);
    p.fillRect(r, g);
}

void glow(QPainter &p, QPointF centre, double radius, const QColor &colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, colour);
    g.setColorAt(0.25, withAlpha(colour, colour.alphaF() * 0.45));
    g.setColorAt(0.6, withAlpha(colour, colour.alphaF() * 0.12));
    g.setColorAt(1.0, withAlpha(colour, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void clouds(QImage &image, const CloudStyle &s)
{
    const int top = int(s.area.top()), bottom = int(s.area.bottom());
    const float h = float(s.area.height());
    const QRgb light = s.light.rgb(), shade = s.shade.rgb();
    forEachPixelRows(image, top, bottom, [&](int x, int y, QRgb px) {
        const float fx = float(x) / s.scaleX, fy = float(y) / s.scaleY;
        const float n = fbm(fx, fy, s.seed, 5);
        const float v = float(y - top) / h;
        const float edge = smoothstep(0.f, 0.25f, v) * smoothstep(1.f, 0.7f, v);
        const float density = smoothstep(s.coverage, s.coverage + 0.22f, n) * edge;
        if (density <= 0.f)
            return px;
        // Denser parts sit higher and catch the light; thin parts show the shade.
        const float lit = std::clamp(0.35f + (n - s.coverage) * 2.2f -
                                         (fbm(fx, fy + 0.12f, s.seed + 9, 3) - 0.5f) * 1.4f,
                                     0.f, 1.f);
        return mixRgb(px, mixRgb(shade, light, lit), density * s.opacity);
    });
}

QPainterPath ridge(double width, double bottom, const std::function<double(double)> &crest,
                   double step)
{
    QPainterPath path;
    path.moveTo(-2, bottom + 2);
    for (double x = -2; x <= width + 2 + step; x += step)
        path.lineTo(x, crest(x));
    path.lineTo(width + 2 + step, bottom + 2);
    path.closeSubpath();
    return path;
}

std::function<double(double)> mountainCrest(double base, double amplitude, double feature,
                                            std::uint32_t seed, bool sharp)
{
    return [=](double x) {
        const float u = float(x / feature);
        const float n = sharp ? ridged(u, 0.37f, seed, 5) : fbm(u, 0.37f, seed, 4);
        return base - amplitude * double(n);
    };
}

void mirrorWater(QImage &image, const WaterStyle &s)
{
    const QImage source = image.copy(0, 0, image.width(), s.horizon);
    const int w = image.width(), h = image.height();
    const QRgb tint = s.tint.rgb();
    const float depth = float(h - s.horizon);
    for (int y = s.horizon; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float d = float(y - s.horizon) / depth; // 0 at the horizon, 1 at the front
        // Waves grow towards the viewer; the mirror is squeezed a little, as seen from above.
        const float amp = s.ripple * (0.25f + 1.5f * d);
        const int srcY =
            std::clamp(s.horizon - 1 - int(float(y - s.horizon) * 0.92f), 0, s.horizon - 1);
        const auto *src = reinterpret_cast<const QRgb *>(source.constScanLine(srcY));
        const float tintAmount = s.tintFar + (s.tintNear - s.tintFar) * d;
        for (int x = 0; x < w; ++x) {
            const float wave =
                fbm(float(x) / (60.f + 140.f * d), float(y) / (3.f + 10.f * d), s.seed, 3);
            const int sx = std::clamp(x + int((wave - 0.5f) * 2.f * amp), 0, w - 1);
            QRgb c = mixRgb(src[sx], tint, tintAmount);
            // Crests catch the sky's light, troughs are darker.
            const float shine = (wave - 0.5f) * 0.35f;
            c = shine > 0 ? mixRgb(c, qRgb(255, 255, 255), shine * 0.5f)
                          : mixRgb(c, qRgb(0, 0, 0), -shine * 0.6f);
            line[x] = c;
        }
    }
}

void stars(QPainter &p, const QRectF &area, int count, Rng &rng, double maxRadius,
           const QColor &colour)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        const QPointF c(area.left() + rng.next() * area.width(),
                        area.top() + rng.next() * area.height());
        const double size = std::pow(rng.next(), 3.0);
        const double r = 0.5 + size * maxRadius;
        QColor tone = mix(colour, rng.chance(0.5) ? QColor(255, 220, 180) : QColor(180, 210, 255),
                          rng.next() * 0.5);
        tone.setAlphaF(float(0.35 + 0.65 * rng.next()));
        if (size > 0.5)
            glow(p, c, r * 4.0, withAlpha(tone, 0.5));
        p.setBrush(tone);
        p.drawEllipse(c, r, r);
    }
    p.restore();
}

void pine(QPainter &p, double x, double baseY, double height, const QColor &colour,
          const QColor &snow)
{
    p.save();
    p.setPen(Qt::NoPen);
    const double trunkW = height * 0.05;
    p.setBrush(colour.darker(160));
    p.drawRect(QRectF(x - trunkW / 2, baseY - height * 0.15, trunkW, height * 0.15));
    const int tiers = 5;
    for (int i = 0; i < tiers; ++i) {
        const double t = double(i) / tiers;
        const double bottom = baseY - height * (0.1 + 0.8 * t);
        const double top = bottom - height * 0.32;
        const double half = height * 0.28 * (1.0 - t * 0.75);
        QPainterPath tier;
        tier.moveTo(x, top);
        tier.quadTo(x + half * 0.4, bottom - height * 0.08, x + half, bottom);
        tier.lineTo(x - half, bottom);
        tier.quadTo(x - half * 0.4, bottom - height * 0.08, x, top);
        p.setBrush(mix(colour, colour.lighter(130), t));
        p.drawPath(tier);
        if (snow.isValid()) {
            p.setBrush(snow);
            QPainterPath cap;
            cap.moveTo(x, top);
            cap.quadTo(x + half * 0.3, bottom - height * 0.12, x + half * 0.85,
                       bottom - height * 0.02);
            cap.quadTo(x, bottom - height * 0.1, x - half * 0.85, bottom - height * 0.02);
            cap.quadTo(x - half * 0.3, bottom - height * 0.12, x, top);
            p.drawPath(cap);
        }
    }
    p.restore();
}

void birds(QPainter &p, QPointF centre, int count, double spread, double size, const QColor &colour,
           Rng &rng)
{
    p.save();
    QPen pen(colour, std::max(1.2, size * 0.16));
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const QPointF g =
            centre + QPointF(rng.range(-1, 1) * spread, rng.range(-0.5, 0.5) * spread);
        const double s = size * rng.range(0.6, 1.2);
        const double flap = rng.range(0.2, 0.7);
        QPainterPath bird;
        bird.moveTo(g + QPointF(-s, -s * flap));
        bird.quadTo(g + QPointF(-s * 0.5, -s * (flap + 0.3)), g);
        bird.quadTo(g + QPointF(s * 0.5, -s * (flap + 0.3)), g + QPointF(s, -s * flap));
        p.drawPath(bird);
    }
    p.restore();
}

void crescent(QPainter &p, QPointF centre, double radius, const QColor &colour)
{
    glow(p, centre, radius * 4, withAlpha(colour, 0.35));
    QPainterPath lit;
    lit.addEllipse(centre, radius, radius);
    QPainterPath shadow;
    shadow.addEllipse(centre + QPointF(radius * 0.45, -radius * 0.25), radius * 0.92,
                      radius * 0.92);
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(lit.subtracted(shadow));
    p.restore();
}

void firework(QPainter &p, QPointF centre, double radius, const QColor &colour, Rng &rng)
{
    p.save();
    glow(p, centre, radius * 1.3, withAlpha(colour, 0.35));
    for (int i = 0; i < 70; ++i) {
        const double a = rng.next() * 2 * M_PI;
        const double r = radius * rng.range(0.6, 1.0);
        const QPointF tip = centre + QPointF(std::cos(a) * r, std::sin(a) * r + r * 0.08);
        QLinearGradient g(centre, tip);
        g.setColorAt(0, withAlpha(colour, 0.0));
        g.setColorAt(1, withAlpha(colour.lighter(130), 0.9));
        p.setPen(QPen(QBrush(g), 1.6));
        p.drawLine(centre + (tip - centre) * 0.3, tip);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 250, 230));
        p.drawEllipse(tip, 1.6, 1.6);
    }
    p.restore();
}

void leafyCrown(QPainter &p, QPointF centre, double radius, const QColor &colour, Rng &rng,
                int blobs)
{
    p.save();
    p.setPen(Qt::NoPen);
    for (int i = 0; i < blobs; ++i) {
        const double a = rng.next() * 2 * M_PI;
        const double d = std::sqrt(rng.next()) * radius * 0.8;
        const QPointF c = centre + QPointF(std::cos(a) * d, std::sin(a) * d * 0.85);
        const double r = radius * rng.range(0.22, 0.4);
        // Blobs towards the upper left are lit, the others sit in shade.
        const double lit =
            std::clamp(0.5 - (c.x() - centre.x() + c.y() - centre.y()) / (2.5 * radius) +
                           rng.range(-0.15, 0.15),
                       0.0, 1.0);
        p.setBrush(mix(colour.darker(170), colour.lighter(135), lit));
        p.drawEllipse(c, r, r * 0.9);
    }
    p.restore();
}

void roughen(QImage &image, const QPainterPath &area, float strength, float scale,
             std::uint32_t seed)
{
    QImage mask(image.size(), QImage::Format_Grayscale8);
    mask.fill(0);
    {
        QPainter mp(&mask);
        mp.setRenderHint(QPainter::Antialiasing);
        mp.fillPath(area, Qt::white);
    }
    const QRect box = area.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1) & image.rect();
    for (int y = box.top(); y <= box.bottom(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const uchar *m = mask.constScanLine(y);
        for (int x = box.left(); x <= box.right(); ++x) {
            if (!m[x])
                continue;
            const float n = fbm(float(x) / scale, float(y) / scale, seed, 4);
            const float f = 1.f + (n - 0.5f) * 2.f * strength * float(m[x]) / 255.f;
            const QRgb px = line[x];
            const auto ch = [f](int v) { return std::clamp(int(float(v) * f), 0, 255); };
            line[x] = qRgb(ch(qRed(px)), ch(qGreen(px)), ch(qBlue(px)));
        }
    }
}

void texture(QImage &image, float mottle, float grain, std::uint32_t seed)
{
    Rng rng(seed);
    std::uint32_t state = std::uint32_t(rng.next() * 4294967295.0) | 1u;
    forEachPixel(image, [&](int x, int y, QRgb px) {
        const float m = (fbm(float(x) / 45.f, float(y) / 45.f, seed, 3) - 0.5f) * 2.f * mottle;
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        const float g = (float(state & 0xFFFF) / 65535.f - 0.5f) * 2.f * grain;
        const float f = 1.f + m;
        const auto ch = [&](int v) { return std::clamp(int(float(v) * f + g * 255.f), 0, 255); };
        return qRgb(ch(qRed(px)), ch(qGreen(px)), ch(qBlue(px)));
    });
}

} // namespace pictures
