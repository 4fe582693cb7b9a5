#include "platform/elements.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

using platform::Label;
using platform::Picture;
using platform::Timer;

namespace
{

// A picture of two colours side by side: red on the left half, blue on the right.
QPixmap twoColours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height, Qt::red);
    p.fillRect(width / 2, 0, width - width / 2, height, Qt::blue);
    p.end();
    return QPixmap::fromImage(image);
}

bool near(QColor seen, QColor wanted)
{
    return std::abs(seen.red() - wanted.red()) <= 2 &&
           std::abs(seen.green() - wanted.green()) <= 2 &&
           std::abs(seen.blue() - wanted.blue()) <= 2;
}

} // namespace

class TestElements : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Twips become logical pixels at 15 to one, edges rounded, so neighbouring tiles that
    // overlap by 15 twips overlap by exactly one pixel; the design value is kept as given.
    void twipsPlacement_data()
    {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("ImE1") << 360.f << 960.f << 1455.f << 1455.f << QRect(24, 64, 97, 97);
        QTest::newRow("ImE2, one pixel over ImE1")
            << 1800.f << 960.f << 1455.f << 1455.f << QRect(120, 64, 97, 97);
        QTest::newRow("ImG14") << 2130.f << 5280.f << 1545.f << 1215.f << QRect(142, 352, 103, 81);
        QTest::newRow("ImEPrev") << 6360.f << 840.f << 3660.f << 2700.f << QRect(424, 56, 244, 180);
        QTest::newRow("edges round, not sizes") << 8.f << 7.f << 14.f << 15.f << QRect(1, 0, 0, 1);
        QTest::newRow("half a pixel rounds away from zero")
            << 22.5f << 0.f << 15.f << 15.f << QRect(2, 0, 1, 1);
    }
    void twipsPlacement()
    {
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(QRect, pixels);
        QWidget window;
        Picture element(&window, QStringLiteral("ImE1"), left, top, width, height);
        QCOMPARE(element.objectName(), QStringLiteral("ImE1"));
        QCOMPARE(element.geometry(), pixels);
        QCOMPARE(element.left(), left);
        QCOMPARE(element.top(), top);
        QCOMPARE(element.twipsWidth(), width);
        QCOMPARE(element.twipsHeight(), height);
    }

    // Moving an element by Left or Top keeps its size and the other coordinate.
    void setLeftAndTop()
    {
        QWidget window;
        Picture tile(&window, QStringLiteral("ImE8"), 4680, 2400, 1455, 1455);
        tile.setTop(3840);
        QCOMPARE(tile.top(), 3840.f);
        QCOMPARE(tile.geometry(), QRect(312, 256, 97, 97));
        tile.setLeft(3240);
        QCOMPARE(tile.left(), 3240.f);
        QCOMPARE(tile.geometry(), QRect(216, 256, 97, 97));
    }

    // A picture fills its element whatever its own size, and again after a resize.
    void pictureIsStretched_data()
    {
        QTest::addColumn<QSize>("pictureSize");
        QTest::addColumn<QSize>("elementPixels");
        QTest::newRow("tiny picture, tile") << QSize(2, 1) << QSize(97, 97);
        QTest::newRow("big picture, tile") << QSize(400, 300) << QSize(97, 97);
        QTest::newRow("tiny picture, wide element") << QSize(2, 2) << QSize(244, 60);
    }
    void pictureIsStretched()
    {
        QFETCH(QSize, pictureSize);
        QFETCH(QSize, elementPixels);
        QWidget window;
        window.resize(400, 400);
        Picture element(&window, QStringLiteral("ImEPrev"), 0, 0, 15.f * 50, 15.f * 50);
        element.setPicture(twoColours(pictureSize.width(), pictureSize.height()));
        (void)element.grab(); // a first paint at the old size, so a stale scaling would show
        element.setTwips(0, 0, 15.f * elementPixels.width(), 15.f * elementPixels.height());
        const QImage shot = element.grab().toImage();
        // On a HiDPI screen the element has more device pixels than logical ones.
        QCOMPARE(shot.size(), elementPixels * element.devicePixelRatio());
        const int r = shot.width() - 1;
        const int b = shot.height() - 1;
        const struct {
            QPoint at;
            QColor colour;
        } corners[] = {
            {{0, 0}, Qt::red}, {{0, b}, Qt::red}, {{r, 0}, Qt::blue}, {{r, b}, Qt::blue}};
        for (const auto &corner : corners) {
            const QColor seen = shot.pixelColor(corner.at);
            QVERIFY2(near(seen, corner.colour),
                     qPrintable(QStringLiteral("pixel (%1, %2) is %3, wanted %4")
                                    .arg(corner.at.x())
                                    .arg(corner.at.y())
                                    .arg(seen.name(), corner.colour.name())));
        }
    }

    // A picture made for the element's device pixels is drawn pixel for pixel, not blurred
    // through a logical-size copy.
    void pictureAtDeviceSizeStaysSharp()
    {
        QWidget window;
        Picture element(&window, QStringLiteral("ImE1"), 0, 0, 1455, 1455);
        const QSize device = element.size() * element.devicePixelRatio();
        QImage stripes(device, QImage::Format_RGB32);
        for (int x = 0; x < device.width(); ++x) {
            for (int y = 0; y < device.height(); ++y)
                stripes.setPixel(x, y, x % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
        }
        element.setPicture(QPixmap::fromImage(stripes));
        const QImage shot = element.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shot.size(), device);
        for (int x = 0; x < device.width(); ++x) {
            QVERIFY2(shot.pixel(x, device.height() / 2) == stripes.pixel(x, 0),
                     qPrintable(QStringLiteral("column %1 blurred").arg(x)));
        }
    }

    // A holder tells which picture an element shows by identity, not by its pixels: two
    // tiles may look alike and still carry different pieces.
    void showsIsIdentity()
    {
        QWidget window;
        Picture element(&window, QStringLiteral("ImG1"), 0, 0, 150, 150);
        const QPixmap piece = twoColours(4, 4);
        const QPixmap lookAlike = twoColours(4, 4);
        QVERIFY(!element.shows(piece));
        QVERIFY2(!element.shows(QPixmap()), "an element without a picture shows nothing");
        element.setPicture(piece);
        const QPixmap copy = piece; // NOLINT: the copy is the point
        QVERIFY(element.shows(piece));
        QVERIFY(element.shows(copy));
        QCOMPARE(lookAlike.toImage(), piece.toImage());
        QVERIFY(!element.shows(lookAlike));
        element.setPicture(lookAlike);
        QVERIFY(element.shows(lookAlike));
        QVERIFY(!element.shows(piece));
    }

    // Captions part lines with CR LF; the caption keeps them, the screen shows line breaks.
    void crLfCaptions_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one line") << "Done"
                                  << "Done";
        QTest::newRow("two lines") << "Stop\r\nthe game?"
                                   << "Stop\nthe game?";
        QTest::newRow("three lines") << "a\r\nb\r\nc"
                                     << "a\nb\nc";
        QTest::newRow("empty line between") << "a\r\n\r\nb"
                                            << "a\n\nb";
    }
    void crLfCaptions()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QWidget window;
        Label assigned(&window, QStringLiteral("Label1"), 0, 0, 3000, 900, QStringLiteral("x"));
        assigned.setCaption(caption);
        QCOMPARE(assigned.caption(), caption);
        QCOMPARE(assigned.text(), shown);
        Label designed(&window, QStringLiteral("Label2"), 0, 0, 3000, 900, caption);
        QCOMPARE(designed.caption(), caption);
        QCOMPARE(designed.text(), shown);
    }

    // Interval is the switch, and a test fires ticks directly without any clock.
    void timerIntervalIsTheSwitch()
    {
        QObject owner;
        Timer idle(&owner, QStringLiteral("Timer1"), 0);
        Timer running(&owner, QStringLiteral("TmHour"), 200);
        QCOMPARE(idle.objectName(), QStringLiteral("Timer1"));
        QVERIFY(!idle.isRunning());
        QVERIFY(running.isRunning());
        QCOMPARE(running.interval(), 200);
        QSignalSpy ticks(&idle, &Timer::tick);
        idle.fire();
        QCOMPARE(ticks.count(), 1);
        idle.setInterval(1);
        QVERIFY(idle.isRunning());
        idle.setInterval(0);
        QVERIFY(!idle.isRunning());
        idle.setInterval(-5);
        QCOMPARE(idle.interval(), 0);
    }

    // Interval 0 never ticks, while a design Interval ticks from creation on its own.
    void designIntervalTicksFromCreation()
    {
        QObject owner;
        Timer idle(&owner, QStringLiteral("Timer2"), 0);
        Timer busy(&owner, QStringLiteral("TmrBanner"), 1);
        QSignalSpy idleTicks(&idle, &Timer::tick);
        QSignalSpy busyTicks(&busy, &Timer::tick);
        QTRY_VERIFY_WITH_TIMEOUT(busyTicks.count() >= 3, 2000);
        QCOMPARE(idleTicks.count(), 0);
    }

    // A timer told that each wake stands for several ticks wakes that many intervals apart
    // and delivers them all; a handler that stops it in the middle gets no more.
    void severalTicksPerWake()
    {
        QObject owner;
        Timer timer(&owner, QStringLiteral("TmrBanner"), 15);
        timer.setTicksPerWake(4);
        QElapsedTimer clock;
        clock.start();
        QList<qint64> at;
        connect(&timer, &Timer::tick, &owner, [&] {
            at << clock.elapsed();
            if (at.size() == 6)
                timer.setInterval(0);
        });
        QTRY_VERIFY_WITH_TIMEOUT(at.size() >= 6, 3000);
        QTest::qWait(100);
        QCOMPARE(at.size(), 6);
        // The first wake (one interval after the start) and the next (four later) each bring
        // their ticks at once.
        QVERIFY2(at[3] - at[0] < 10, qPrintable(QString::number(at[3] - at[0])));
        QVERIFY2(at[4] - at[3] >= 55, qPrintable(QString::number(at[4] - at[3])));
    }

    // Setting Interval to 0 inside a tick stops the timer at once: no tick follows.
    void stopInsideOwnTick()
    {
        QObject owner;
        Timer stopping(&owner, QStringLiteral("Timer2"), 1);
        Timer reference(&owner, QStringLiteral("TmrBanner"), 1);
        int ticks = 0;
        connect(&stopping, &Timer::tick, &owner, [&] {
            ++ticks;
            stopping.setInterval(0);
        });
        QSignalSpy referenceTicks(&reference, &Timer::tick);
        QTRY_VERIFY_WITH_TIMEOUT(referenceTicks.count() >= 4, 2000);
        QCOMPARE(ticks, 1);
        QVERIFY(!stopping.isRunning());
    }

    // A tick that sets a new Interval goes on at the new pace, without a second schedule.
    void newIntervalInsideOwnTick()
    {
        QObject owner;
        Timer timer(&owner, QStringLiteral("Timer2"), 1);
        Timer reference(&owner, QStringLiteral("TmrBanner"), 1);
        int ticks = 0;
        connect(&timer, &Timer::tick, &owner, [&] {
            if (++ticks == 1)
                timer.setInterval(10000);
        });
        QSignalSpy referenceTicks(&reference, &Timer::tick);
        QTRY_VERIFY_WITH_TIMEOUT(referenceTicks.count() >= 4, 2000);
        QCOMPARE(ticks, 1);
        QCOMPARE(timer.interval(), 10000);
    }

    // An Interval of 1 ms ticks no faster than the platform's granularity, and ticks that
    // fall due during a long tick are not queued up.
    void granularity()
    {
        QObject owner;
        Timer fast(&owner, QStringLiteral("Timer1"), 1);
        QElapsedTimer clock;
        QList<qint64> at;
        connect(&fast, &Timer::tick, &owner, [&] {
            at << clock.elapsed();
            if (at.size() == 2)
                QTest::qSleep(40); // a slow step
        });
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(at.size() >= 4, 2000);
        const qint64 slack = 1; // the timer rounds to whole milliseconds
        for (int i = 1; i < at.size(); ++i) {
            const qint64 gap = at[i] - at[i - 1];
            const qint64 least = (i == 2 ? 40 : 0) + Timer::kGranularityMs - slack;
            QVERIFY2(gap >= least, qPrintable(QStringLiteral("tick %1 came %2 ms after the one "
                                                             "before")
                                                  .arg(i)
                                                  .arg(gap)));
        }
    }

    // A time-of-day poll wakes just after each second boundary of its clock, not every
    // Interval: the first tick comes after the Interval, the next when the clock says.
    void alignToSecondBoundaries()
    {
        QObject owner;
        Timer poll(&owner, QStringLiteral("TimSmus"), 0);
        Timer reference(&owner, QStringLiteral("TmrBanner"), 1);
        int asked = 0;
        int nextSecondIn = 5000;
        poll.alignToSecondBoundaries([&] {
            ++asked;
            return nextSecondIn;
        });
        QElapsedTimer clock;
        clock.start();
        QList<qint64> at;
        connect(&poll, &Timer::tick, &owner, [&] { at << clock.elapsed(); });
        QSignalSpy referenceTicks(&reference, &Timer::tick);
        poll.setInterval(1);
        QTRY_COMPARE_WITH_TIMEOUT(at.size(), 1, 2000);
        QCOMPARE(asked, 1);
        // The clock said the second ends far away: the poll sleeps while others tick.
        const auto seen = referenceTicks.count();
        QTRY_VERIFY_WITH_TIMEOUT(referenceTicks.count() >= seen + 4, 2000);
        QCOMPARE(at.size(), 1);

        // Restarted with a clock whose second ends in 30 ms, it wakes just after that.
        poll.setInterval(0);
        nextSecondIn = 30;
        poll.setInterval(1);
        QTRY_VERIFY_WITH_TIMEOUT(at.size() >= 3, 2000);
        QVERIFY(asked >= 3);
        const qint64 gap = at[2] - at[1];
        QVERIFY2(gap >= 30, qPrintable(QStringLiteral("woke after %1 ms").arg(gap)));
    }

    // A click needs a left press and release inside an enabled element.
    void clickNeedsPressAndReleaseInside()
    {
        QWidget window;
        Picture button(&window, QStringLiteral("Image2"), 0, 0, 480, 480);
        QSignalSpy clicks(&button, &Picture::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(&button, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(100, 5)); // released outside
        QCOMPARE(clicks.count(), 1);
        button.setEnabled(false);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }

    // Labels are clickable too (the menu's arrows and links are labels).
    void labelClick()
    {
        QWidget window;
        Label label(&window, QStringLiteral("LbPlay"), 0, 0, 900, 300, QStringLiteral("Play"));
        QSignalSpy clicks(&label, &Label::clicked);
        QTest::mouseClick(&label, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(&label, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestElements)
#include "tst_elements.moc"
