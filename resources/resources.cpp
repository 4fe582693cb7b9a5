#include "resources/resources.h"

#include <QGuiApplication>
#include <QHash>
#include <QtDebug>

// The pictures are compiled into this static library; naming their initialiser here also
// makes the linker keep them in every program that asks for a picture.
static void initBuiltInPictures()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(puzzle_art_menu);
        Q_INIT_RESOURCE(puzzle_art_menu_sharp);
        Q_INIT_RESOURCE(puzzle_art_other);
        Q_INIT_RESOURCE(puzzle_art_other_sharp);
        return true;
    }();
    Q_UNUSED(done);
}

namespace resources
{

namespace
{

QString path(const QString &name, bool twice)
{
    return QStringLiteral(":/puzzle/") + name + (twice ? QStringLiteral("@2x") : QString()) +
           QStringLiteral(".png");
}

QHash<QString, QPixmap> &pixmapCache()
{
    static QHash<QString, QPixmap> cache;
    return cache;
}

QHash<QString, QImage> &imageCache()
{
    static QHash<QString, QImage> cache;
    return cache;
}

QStringList &readSoFar()
{
    static QStringList names;
    return names;
}

void noteRead(const QString &name)
{
    if (!readSoFar().contains(name))
        readSoFar().append(name);
}

template <typename Cache> void dropUnshared(Cache &cache)
{
    for (auto it = cache.begin(); it != cache.end();) {
        if (it->isDetached()) // only the cache holds it
            it = cache.erase(it);
        else
            ++it;
    }
}

QPixmap load(const QString &name, bool twice)
{
    QHash<QString, QPixmap> &cache = pixmapCache();
    const QString key = path(name, twice);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    initBuiltInPictures();
    noteRead(name);
    // Not QPixmap(file): that keeps a second reference in QPixmapCache, so that a picture
    // would stay in memory after every window showing it has gone.
    QPixmap pixmap = QPixmap::fromImage(QImage(key, "PNG"));
    if (pixmap.isNull())
        qWarning("resources: no built-in picture \"%s\"", qPrintable(name));
    else if (twice)
        pixmap.setDevicePixelRatio(2);
    cache.insert(key, pixmap);
    return pixmap;
}

} // namespace

void init()
{
    initBuiltInPictures();
}

QPixmap pixmap(const QString &name, qreal devicePixelRatio)
{
    if (devicePixelRatio > 1) {
        const QPixmap sharp = load(name, true);
        if (!sharp.isNull())
            return sharp;
    }
    return load(name, false);
}

QPixmap pixmap(const QString &name)
{
    return pixmap(name, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

void releaseUnused()
{
    dropUnshared(pixmapCache());
    dropUnshared(imageCache());
}

QStringList picturesRead()
{
    return readSoFar();
}

QImage image(const QString &name)
{
    QHash<QString, QImage> &cache = imageCache();
    auto it = cache.constFind(name);
    if (it != cache.constEnd())
        return *it;
    initBuiltInPictures();
    noteRead(name);
    const QImage picture(path(name, false), "PNG");
    if (picture.isNull())
        qWarning("resources: no built-in picture \"%s\"", qPrintable(name));
    cache.insert(name, picture);
    return picture;
}

QString cursorName(CursorKind kind)
{
    switch (kind) {
    case CursorKind::Button:
        return name::cursorButton;
    case CursorKind::Banner:
        return name::cursorBanner;
    case CursorKind::MenuPointer:
        return name::cursorMenuPointer;
    case CursorKind::Close:
        return name::cursorClose;
    }
    return name::cursorButton;
}

QPoint cursorHotSpot(CursorKind kind)
{
    // The hands point with the tip of the index finger, the arrow with its tip.
    return kind == CursorKind::MenuPointer ? QPoint(2, 2) : QPoint(12, 1);
}

QCursor cursor(CursorKind kind)
{
    static QHash<int, QCursor> cache;
    auto it = cache.constFind(int(kind));
    if (it != cache.constEnd())
        return *it;
    const QPixmap picture = pixmap(cursorName(kind));
    if (picture.isNull())
        return QCursor(Qt::PointingHandCursor);
    // The X11 back end takes the hot spot in the picture's own pixels, also for a
    // double-size picture, so the design-pixel hot spot is scaled with it.
    const QPoint hot = cursorHotSpot(kind) * picture.devicePixelRatio();
    const QCursor c(picture, hot.x(), hot.y());
    cache.insert(int(kind), c);
    return c;
}

} // namespace resources
