#include "platform/elements.h"

#include "platform/accessibility.h"

#include "resources/resources.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

#include <algorithm>
#include <cmath>

namespace platform
{

int twipsToPixels(float twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(float left, float top, float width, float height)
{
    // Edges are rounded, not sizes, so neighbouring elements meet without gaps.
    const int x = twipsToPixels(left);
    const int y = twipsToPixels(top);
    return QRect(x, y, twipsToPixels(left + width) - x, twipsToPixels(top + height) - y);
}

QSize devicePixels(QSize logical, qreal devicePixelRatio)
{
    return QSize(static_cast<int>(std::ceil(logical.width() * devicePixelRatio)),
                 static_cast<int>(std::ceil(logical.height() * devicePixelRatio)));
}

namespace
{
// A smooth copy of `picture` filling `device` pixels, drawn at the logical size.
QPixmap scaledTo(const QPixmap &picture, QSize device, qreal devicePixelRatio)
{
    QPixmap scaled = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(devicePixelRatio);
    return scaled;
}
} // namespace

void setElementName(QObject *element, const QString &name)
{
    element->setObjectName(name);
}

// ---- Picture

Picture::Picture(QWidget *parent, const QString &name, float left, float top, float width,
                 float height)
    : Positioned<QWidget>(parent)
{
    setElementName(this, name);
    setMouseTracking(true);
    setTwips(left, top, width, height);
}

void Picture::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_scaled = QPixmap();
    update();
}

void Picture::setPictureFitted(const QPixmap &picture)
{
    const QSize device = deviceSize();
    if (picture.isNull() || picture.size() == device || device.isEmpty())
        return setPicture(picture);
    setPicture(scaledTo(picture, device, devicePixelRatioF()));
}

QSize Picture::deviceSize() const
{
    return devicePixels(size(), devicePixelRatioF());
}

bool Picture::shows(const QPixmap &picture) const
{
    return !m_picture.isNull() && m_picture.cacheKey() == picture.cacheKey();
}

void Picture::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull() || width() <= 0 || height() <= 0)
        return;
    const QSize device = deviceSize();
    QPainter painter(this);
    if (m_picture.size() == device) {
        // Read at the size it is shown: drawn as it is, without a scaled copy.
        painter.drawPixmap(QRectF(rect()), m_picture, QRectF(m_picture.rect()));
        return;
    }
    if (m_scaled.isNull() || m_scaled.size() != device)
        m_scaled = scaledTo(m_picture, device, devicePixelRatioF());
    painter.drawPixmap(0, 0, m_scaled);
}

void Picture::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
}

void Picture::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_pressedInside &&
                       rect().contains(event->position().toPoint());
    m_pressedInside = false;
    if (click)
        Q_EMIT clicked();
}

void Picture::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event->buttons());
}

// ---- Label

namespace
{

// Captions separate lines with CR LF; the screen wants one line break.
QString shownText(const QString &caption)
{
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

} // namespace

Label::Label(QWidget *parent, const QString &name, float left, float top, float width, float height,
             const QString &caption)
    : Positioned<QLabel>(parent), m_caption(caption)
{
    setElementName(this, name);
    setTextFormat(Qt::PlainText);
    // A caption longer than its label wraps at word boundaries, as the classic labels did.
    setWordWrap(true);
    setMouseTracking(true);
    setAutoFillBackground(false); // transparent: the background picture shows through
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QLabel::setText(shownText(caption));
    setTwips(left, top, width, height);
}

void Label::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    QLabel::setText(shownText(caption));
}

QColor Label::foreColor() const
{
    return palette().color(QPalette::WindowText);
}

void Label::setForeColor(const QColor &color)
{
    if (foreColor() == color)
        return;
    QPalette p = palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(group, QPalette::WindowText, color);
    setPalette(p);
}

void Label::setFontSpec(const QString &family, qreal points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    setFont(f);
}

void Label::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressedInside = true;
    QLabel::mousePressEvent(event);
    event->accept();
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = event->button() == Qt::LeftButton && m_pressedInside &&
                       rect().contains(event->position().toPoint());
    m_pressedInside = false;
    event->accept();
    if (click)
        Q_EMIT clicked();
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseMoved(event->buttons());
}

Label *makeCloseLabel(QWidget *parent, const QString &name, float left, float top)
{
    auto *label = new Label(parent, name, left, top, 1215, 615, QStringLiteral("Close"));
    label->setFontSpec(QStringLiteral("Times New Roman"), 24, true);
    label->setForeColor(QColor(128, 255, 255));
    label->setCursor(resources::cursor(resources::CursorKind::Close));
    describe(label, QAccessible::Button, QStringLiteral("Close"));
    return label;
}

// ---- TextBox

TextBox::TextBox(QWidget *parent, const QString &name, float left, float top, float width,
                 float height)
    : Positioned<QLineEdit>(parent)
{
    setElementName(this, name);
    setTwips(left, top, width, height);
}

// ---- Timer

Timer::Timer(QObject *parent, const QString &name, int designInterval) : QObject(parent)
{
    setElementName(this, name);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Timer::onTimeout);
    setInterval(designInterval);
}

void Timer::setInterval(int milliseconds)
{
    if (milliseconds == m_interval)
        return;
    m_interval = std::max(0, milliseconds);
    if (m_interval == 0)
        m_timer.stop();
    else
        schedule(m_interval);
}

void Timer::alignToSecondBoundaries(std::function<int()> msToNextSecond)
{
    m_msToNextSecond = std::move(msToNextSecond);
    m_timer.setTimerType(Qt::PreciseTimer);
}

void Timer::schedule(int delay)
{
    m_timer.start(std::max(delay, kGranularityMs));
}

void Timer::setTicksPerWake(int ticks)
{
    m_ticksPerWake = std::max(1, ticks);
}

void Timer::fire()
{
    Q_EMIT tick();
}

void Timer::onTimeout()
{
    if (m_interval == 0)
        return;
    // A handler may switch the timer off or change its interval; that decides what follows.
    QPointer<Timer> alive(this);
    const int before = m_interval;
    for (int ticks = m_ticksPerWake; ticks > 0; --ticks) {
        Q_EMIT tick();
        if (!alive || m_interval != before)
            break;
    }
    if (!alive || m_interval == 0)
        return;
    if (m_interval != before && m_timer.isActive())
        return; // setInterval already scheduled the next tick
    if (m_msToNextSecond) {
        // Just past the boundary, so that the time text has certainly changed. A clock that
        // answers out of range (it was set back) still gets a tick within the second.
        schedule(std::clamp(m_msToNextSecond(), 0, 1000) + 2);
    } else {
        schedule(m_interval * m_ticksPerWake);
    }
}

} // namespace platform
