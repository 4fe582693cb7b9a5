#pragma once
// The building blocks every window of the game is made of: pictures, labels, a text box and
// timers, each addressed by its design name (its objectName) and placed in twips.

#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace platform
{

inline constexpr float kTwipsPerPixel = 15.0f;

/* twips -> logical pixels, rounded to the nearest pixel */
int twipsToPixels(float twips);
QRect twipsRect(float left, float top, float width, float height);
// The device pixels that `logical` pixels cover at a device-pixel ratio (a part pixel counts).
QSize devicePixels(QSize logical, qreal devicePixelRatio);

// Left, Top, Width and Height in twips for any widget: the position is kept as the design
// value (single precision, always whole twips) and the widget is placed at its pixel rectangle.
template <class Base> class Positioned : public Base
{
public:
    explicit Positioned(QWidget *parent) : Base(parent) {}

    float left() const { return m_left; }
    float top() const { return m_top; }
    float twipsWidth() const { return m_width; }
    float twipsHeight() const { return m_height; }
    void setLeft(float v) { setTwips(v, m_top, m_width, m_height); }
    void setTop(float v) { setTwips(m_left, v, m_width, m_height); }
    void setTwips(float l, float t, float w, float h)
    {
        m_left = l;
        m_top = t;
        m_width = w;
        m_height = h;
        Base::setGeometry(twipsRect(l, t, w, h));
    }

private:
    float m_left = 0, m_top = 0, m_width = 0, m_height = 0;
};

void setElementName(QObject *element, const QString &name);

// A picture element: its picture is stretched to the element. Picture identity is kept:
// a QPixmap copy shares the original's cacheKey(), so a holder can tell which picture it shows.
class Picture : public Positioned<QWidget>
{
    Q_OBJECT
public:
    Picture(QWidget *parent, const QString &name, float left, float top, float width, float height);

    const QPixmap &picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    // For a large picture shown at another size: only its copy at the element's size is kept.
    void setPictureFitted(const QPixmap &picture);
    bool shows(const QPixmap &picture) const; // the same picture object, not equal pixels
    QSize deviceSize() const;                 // the device pixels the element covers on its screen

Q_SIGNALS:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons);
    void actionRequested(const QString &action); // a reader's (platform::offerAction)

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QPixmap m_picture;
    QPixmap m_scaled; // m_picture at the element's device size, made on first paint
    bool m_pressedInside = false;
};

// A label. Setting the caption it already shows changes nothing, so nothing is repainted.
class Label : public Positioned<QLabel>
{
    Q_OBJECT
public:
    Label(QWidget *parent, const QString &name, float left, float top, float width, float height,
          const QString &caption = {});

    const QString &caption() const { return m_caption; }
    void setCaption(const QString &caption);

    QColor foreColor() const;
    void setForeColor(const QColor &color);
    void setFontSpec(const QString &family, qreal points, bool bold);

Q_SIGNALS:
    void clicked();
    void mouseMoved(Qt::MouseButtons buttons);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QString m_caption;
    bool m_pressedInside = false;
};

// The big light-cyan "Close" that the borderless windows and the completion dialog share:
// Times New Roman 24 bold, 1215 x 615 twips, with the Close cursor.
Label *makeCloseLabel(QWidget *parent, const QString &name, float left, float top);

// A one-line text box.
class TextBox : public Positioned<QLineEdit>
{
    Q_OBJECT
public:
    TextBox(QWidget *parent, const QString &name, float left, float top, float width, float height);
};

// A window timer whose Interval is its switch: 0 means no ticks. A test fires a tick with
// fire() instead of waiting. Intervals shorter than the platform's granularity tick at the
// granularity, as the classic platform's timers did (about 15 ms).
class Timer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kGranularityMs = 15;

    // A nonzero design interval ticks from creation on.
    Timer(QObject *parent, const QString &name, int designInterval);

    int interval() const { return m_interval; }
    void setInterval(int milliseconds);
    bool isRunning() const { return m_interval != 0; }

    // Wake up just after each second boundary of the given clock instead of every Interval:
    // for polls whose only interest is a change of the time-of-day text. The first tick after
    // a start comes at once (after the Interval), as the poll would.
    void alignToSecondBoundaries(std::function<int()> msToNextSecond);

    // Each wake stands for this many ticks, coming that many intervals apart: a timer whose
    // ticks mostly change nothing (the banner's) need not wake the program for each of them.
    void setTicksPerWake(int ticks);

    void fire(); // run one tick now

Q_SIGNALS:
    void tick();

private:
    void schedule(int delay);
    void onTimeout();

    QTimer m_timer;
    int m_interval = 0;
    int m_ticksPerWake = 1;
    std::function<int()> m_msToNextSecond;
};

} // namespace platform
