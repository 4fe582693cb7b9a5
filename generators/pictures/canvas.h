#pragma once
// The painter's toolbox of the picture generator: seeded randomness, noise, and the few
// motifs (skies, ridges, water, trees, stars) that many scenes share. Everything is
// deterministic: the same seed draws the same picture on every run.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdint>
#include <functional>

namespace pictures
{

// A small generator of our own, so the pictures do not depend on a library's distributions.
class Rng
{
public:
    explicit Rng(std::uint64_t seed) : m_state(seed * 0x9E3779B97F4A7C15ull + 0x1234567ull) {}
    double next(); // 0 <= r < 1
    double range(double lo, double hi) { return lo + (hi - lo) * next(); }
    int below(int n) { return int(next() * n); } // 0 <= r < n
    bool chance(double p) { return next() < p; }

private:
    std::uint64_t m_state;
};

// A painter that starts antialiased and without outline, as every scene wants it.
struct Painter : QPainter {
    explicit Painter(QImage *image) : QPainter(image)
    {
        setRenderHint(QPainter::Antialiasing);
        setPen(Qt::NoPen);
    }
    // Pixel work on the image needs the painter out of the way for a moment.
    template <class F> void aside(QImage *image, F work)
    {
        end();
        work();
        begin(image);
        setRenderHint(QPainter::Antialiasing);
        setPen(Qt::NoPen);
    }
};

// A pen with round ends, for strokes that should look drawn by hand.
QPen pen(const QColor &c, double width);

inline float smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.f, 1.f);
    return t * t * (3.f - 2.f * t);
}

// The noise is the generator's inner loop: kept inline so the compiler can fold it into fbm.
inline float lattice(int x, int y, std::uint32_t seed)
{
    std::uint32_t h =
        std::uint32_t(x) * 0x8DA6B343u ^ std::uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return float(h >> 8) * (1.f / 16777216.f);
}

// 0 ..= 1, smooth.
inline float valueNoise(float x, float y, std::uint32_t seed)
{
    int xi = int(x), yi = int(y);
    xi -= x < float(xi);
    yi -= y < float(yi);
    float tx = x - float(xi), ty = y - float(yi);
    tx = tx * tx * (3.f - 2.f * tx);
    ty = ty * ty * (3.f - 2.f * ty);
    const float a = lattice(xi, yi, seed), b = lattice(xi + 1, yi, seed);
    const float c = lattice(xi, yi + 1, seed), d = lattice(xi + 1, yi + 1, seed);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fbm(float x, float y, std::uint32_t seed, int octaves = 5);
float ridged(float x, float y, std::uint32_t seed, int octaves = 5); // sharp crests near 1

QColor mix(const QColor &a, const QColor &b, double t);
inline QRgb mixRgb(QRgb a, QRgb b, float t)
{
    t = std::clamp(t, 0.f, 1.f);
    const auto ch = [t](int u, int v) { return int(float(u) + float(v - u) * t + 0.5f); };
    return qRgb(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)));
}
QColor withAlpha(QColor c, double alpha);
// The colour at t of a palette spread evenly over 0 ..= 1.
QColor palette(std::initializer_list<QColor> colours, double t);

// Calls f(x, y, pixel) for every pixel and stores what it returns.
template <class F> void forEachPixel(QImage &image, F f)
{
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = f(x, y, line[x]);
    }
}

// Same, limited to the rows top <= y < bottom.
template <class F> void forEachPixelRows(QImage &image, int top, int bottom, F f)
{
    top = std::max(top, 0);
    bottom = std::min(bottom, image.height());
    for (int y = top; y < bottom; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = f(x, y, line[x]);
    }
}

void verticalGradient(QPainter &p, const QRectF &r, std::initializer_list<QColor> colours);
void glow(QPainter &p, QPointF centre, double radius, const QColor &colour);

struct CloudStyle {
    QRectF area;           // clouds fade out towards its top and bottom edges
    QColor light;          // sunlit tops
    QColor shade;          // undersides
    float coverage = 0.5f; // higher: fewer clouds
    float scaleX = 260.f;  // feature size in pixels
    float scaleY = 90.f;
    float opacity = 0.9f;
    std::uint32_t seed = 1;
};
void clouds(QImage &image, const CloudStyle &style);

// A skyline filled down to bottom: y(x) gives the crest at every x.
QPainterPath ridge(double width, double bottom, const std::function<double(double)> &crest,
                   double step = 3.0);
// A mountain crest: base height, amplitude and feature width in pixels.
std::function<double(double)> mountainCrest(double base, double amplitude, double feature,
                                            std::uint32_t seed, bool sharp = true);

struct WaterStyle {
    int horizon = 0;    // rows below are water, mirroring the rows above
    float ripple = 6.f; // sideways wobble of the mirror image in pixels
    QColor tint;        // colour of the water itself
    float tintNear = 0.5f;
    float tintFar = 0.25f;
    std::uint32_t seed = 7;
};
void mirrorWater(QImage &image, const WaterStyle &style);

void stars(QPainter &p, const QRectF &area, int count, Rng &rng, double maxRadius,
           const QColor &colour = Qt::white);
void pine(QPainter &p, double x, double baseY, double height, const QColor &colour,
          const QColor &snow = QColor());
// A loose flock of gliding birds drawn as soft "v" strokes around centre.
void birds(QPainter &p, QPointF centre, int count, double spread, double size, const QColor &colour,
           Rng &rng);
// A crescent moon with its halo, the dark side open towards the lower left.
void crescent(QPainter &p, QPointF centre, double radius, const QColor &colour);
// A firework burst: sparks flying out from centre.
void firework(QPainter &p, QPointF centre, double radius, const QColor &colour, Rng &rng);

// A rounded leafy crown built of many overlapping blobs, lit from the upper left.
void leafyCrown(QPainter &p, QPointF centre, double radius, const QColor &colour, Rng &rng,
                int blobs = 40);

// Rock, bark, sand: light and dark patches of the given size within an area, so that a
// large shape is never one flat colour.
void roughen(QImage &image, const QPainterPath &area, float strength, float scale,
             std::uint32_t seed);

// Fine grain and soft mottling over the whole frame: no area stays perfectly flat.
void texture(QImage &image, float mottle, float grain, std::uint32_t seed);

} // namespace pictures
