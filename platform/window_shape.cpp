#include "platform/window_shape.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <vector>

namespace platform
{

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

void ShapeWindow(QWidget *window, const QImage &skin)
{
    if (skin.isNull()) {
        window->clearMask();
        return;
    }
    window->setMask(RegionFromPicture(skin, kSkinTransparent));
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
