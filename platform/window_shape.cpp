#include "platform/window_shape.h"

#include "resources/resources.h"

#include <QChildEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace platform
{

namespace
{
const char *const kClippedByShape = "puzzle_clipped_by_shape";
} // namespace

// Keeps every child element of a translucent shaped window inside the window's shape: the
// window's mask only limits input there, and the menu's title strip and link bars reach into
// its cut corners. Children added later are clipped when they are first polished (before
// they are shown), and again whenever they move or change size.
class ChildClipper : public QObject
{
    Q_OBJECT
public:
    ChildClipper(QWidget *window, const QRegion &shape) : QObject(window), m_window(window)
    {
        window->installEventFilter(this);
        setShape(shape);
    }

    // Leaves every child whole again, as before the window was shaped.
    void unclipAll()
    {
        for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            unclip(child);
    }

    void setShape(const QRegion &shape)
    {
        m_shape = shape;
        for (QWidget *child : m_window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            watch(child);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window) {
            if (event->type() == QEvent::ChildPolished) {
                QObject *child = static_cast<QChildEvent *>(event)->child();
                if (child->isWidgetType())
                    watch(static_cast<QWidget *>(child));
            }
        } else if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
            clip(static_cast<QWidget *>(watched));
        }
        return false;
    }

private:
    void watch(QWidget *child)
    {
        if (child->isWindow()) // a dialog owned by the window has a shape of its own
            return;
        child->installEventFilter(this); // once: installing again only moves it to the front
        clip(child);
    }

    void clip(QWidget *child)
    {
        const QRegion inChild = m_shape.translated(-child->pos()) & child->rect();
        if ((QRegion(child->rect()) - inChild).isEmpty()) {
            unclip(child); // wholly inside the shape: unclipped, which paints faster
            return;
        }
        child->setMask(inChild);
        child->setProperty(kClippedByShape, true);
    }

    static void unclip(QWidget *child)
    {
        if (!child->property(kClippedByShape).toBool())
            return; // a mask of the child's own stays
        child->clearMask();
        child->setProperty(kClippedByShape, false);
    }

    QWidget *m_window;
    QRegion m_shape;
};

Shaping shapingOf(QStringView platformName)
{
    // Qt's Wayland platforms are all named "wayland" or "wayland-<integration>".
    return platformName.startsWith(u"wayland") ? Shaping::Translucent : Shaping::Mask;
}

Shaping platformShaping()
{
    return shapingOf(QGuiApplication::platformName());
}

QRegion RegionFromPicture(const QImage &picture, QRgb transparent)
{
    if (picture.isNull())
        return {};
    // 32-bit, not premultiplied: a pixel's colour is read as it was drawn.
    const QImage image = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                           : QImage::Format_RGB32);
    const QRgb cut = transparent & RGB_MASK;
    const int w = image.width();
    const int h = image.height();

    // One rectangle per run of kept pixels; a row whose runs repeat the row above only
    // makes that band taller, so the region comes out in Qt's own band form.
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previousRuns, runs;
    std::size_t bandStart = 0;
    for (int y = 0; y < h; ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        runs.clear();
        int x = 0;
        while (x < w) {
            while (x < w && (line[x] & RGB_MASK) == cut)
                ++x;
            const int x0 = x;
            while (x < w && (line[x] & RGB_MASK) != cut)
                ++x;
            if (x0 < x)
                runs.emplace_back(x0, x);
        }
        if (y > 0 && !runs.empty() && runs == previousRuns) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(y);
            continue;
        }
        bandStart = rects.size();
        for (const auto &[x0, x1] : runs)
            rects.emplace_back(QPoint(x0, y), QPoint(x1 - 1, y));
        previousRuns.swap(runs);
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QString skinProblem(const QImage &skin, const QString &name)
{
    if (skin.isNull())
        return QStringLiteral("The skin picture \"%1\" is missing.").arg(name);
    if (RegionFromPicture(skin, kSkinTransparent).isEmpty())
        return QStringLiteral("The skin picture \"%1\" is broken: every pixel of it is white, "
                              "so nothing of its window would show.")
            .arg(name);
    return {};
}

QImage CutToAlpha(const QImage &picture, QRgb transparent)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb cut = transparent & RGB_MASK;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] & RGB_MASK) == cut)
                line[x] = cut; // alpha 0
    }
    return image;
}

void WindowShape::apply(const QImage &skin)
{
    apply(skin, platformShaping());
}

void WindowShape::apply(const QImage &skin, Shaping shaping)
{
    if (skin.isNull()) {
        m_window->clearMask();
        if (m_clipper) {
            m_clipper->unclipAll();
            delete m_clipper;
        }
        return;
    }
    const QRegion shape = RegionFromPicture(skin, kSkinTransparent);
    // The mask: the window's outline on X11, where clicks may land on Wayland.
    m_window->setMask(shape);
    if (shaping == Shaping::Mask)
        return;
    // What the window leaves unpainted stays transparent, so no background may fill it.
    m_window->setAttribute(Qt::WA_TranslucentBackground);
    m_window->setAutoFillBackground(false);
    if (m_clipper)
        m_clipper->setShape(shape);
    else
        m_clipper = new ChildClipper(m_window, shape);
}

QPixmap SkinPixmap(const QString &name)
{
    return SkinPixmap(name, platformShaping());
}

QPixmap SkinPixmap(const QString &name, Shaping shaping)
{
    const QPixmap skin = resources::pixmap(name);
    if (shaping == Shaping::Mask || skin.isNull())
        return skin;
    // A window asks once and keeps what it gets: this cuts the picture anew each time.
    QPixmap transparent = QPixmap::fromImage(CutToAlpha(skin.toImage(), kSkinTransparent));
    transparent.setDevicePixelRatio(skin.devicePixelRatio());
    return transparent;
}

WindowDragHandle::WindowDragHandle(QWidget *handle, QWidget *window)
    : QObject(handle), m_window(window)
{
    handle->installEventFilter(this);
}

bool WindowDragHandle::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        m_movingByHand = false;
        if (mouse->buttons() != Qt::LeftButton)
            break;
        // The window manager moves the window if it can; with none (a bare X server) the
        // window follows the pointer itself.
        QWindow *handle = m_window->windowHandle();
        if (handle && handle->startSystemMove())
            break;
        m_movingByHand = true;
        m_grabOffset = mouse->globalPosition().toPoint() - m_window->pos();
        break;
    }
    case QEvent::MouseMove: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_movingByHand)
            break;
        if (mouse->buttons() != Qt::LeftButton) {
            m_movingByHand = false;
            break;
        }
        m_window->move(mouse->globalPosition().toPoint() - m_grabOffset);
        break;
    }
    case QEvent::MouseButtonRelease:
        m_movingByHand = false;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform

#include "window_shape.moc"
