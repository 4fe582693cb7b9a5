#include "platform/elements.h"

#include <QSignalSpy>
#include <QTest>

using platform::Label;
using platform::Picture;
using platform::Timer;

class TestElements : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Twips become logical pixels at 15 to one; the design value is kept as given.
    void twipsPlacement()
    {
        QWidget window;
        Picture tile(&window, QStringLiteral("ImE1"), 360, 960, 1455, 1455);
        QCOMPARE(tile.objectName(), QStringLiteral("ImE1"));
        QCOMPARE(tile.geometry(), QRect(24, 64, 97, 97));
        tile.setTop(2400);
        QCOMPARE(tile.top(), 2400.f);
        QCOMPARE(tile.y(), 160);
    }

    // The Change of a caption fires inside the assignment, and only for a new text.
    void changeFiresOnlyOnRealChange()
    {
        QWidget window;
        Label label(&window, QStringLiteral("LbSMus"), 0, 0, 100, 100, QStringLiteral("LbSMus"));
        int seen = 0;
        QString during;
        connect(&label, &Label::changed, &label, [&] {
            ++seen;
            during = label.caption();
        });
        label.setCaption(QStringLiteral("12:00:00"));
        QCOMPARE(seen, 1);
        QCOMPARE(during, QStringLiteral("12:00:00"));
        label.setCaption(QStringLiteral("12:00:00"));
        QCOMPARE(seen, 1);
        label.setCaption(QStringLiteral("12:00:01"));
        QCOMPARE(seen, 2);
    }

    void numericCaption()
    {
        QWidget window;
        Label label(&window, QStringLiteral("LbClicks"), 0, 0, 10, 10, QStringLiteral("LbClicks"));
        QCOMPARE(label.value(), 0.0);
        label.setValue(label.value() + 1);
        QCOMPARE(label.caption(), QStringLiteral("1"));
    }

    // Interval is the switch; a design interval ticks from creation; a test fires directly.
    void timerIntervalIsTheSwitch()
    {
        QObject owner;
        Timer idle(&owner, QStringLiteral("Timer1"), 0);
        Timer running(&owner, QStringLiteral("TmHour"), 200);
        QVERIFY(!idle.isRunning());
        QVERIFY(running.isRunning());
        QSignalSpy ticks(&idle, &Timer::tick);
        idle.fire();
        QCOMPARE(ticks.count(), 1);
        idle.setInterval(1);
        QVERIFY(idle.isRunning());
        idle.setInterval(0);
        QVERIFY(!idle.isRunning());
    }

    void clickNeedsPressAndReleaseInside()
    {
        QWidget window;
        Picture button(&window, QStringLiteral("Image2"), 0, 0, 480, 480);
        QSignalSpy clicks(&button, &Picture::clicked);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
        QTest::mouseClick(&button, Qt::RightButton);
        QCOMPARE(clicks.count(), 1);
        button.setEnabled(false);
        QTest::mouseClick(&button, Qt::LeftButton);
        QCOMPARE(clicks.count(), 1);
    }
};

QTEST_MAIN(TestElements)
#include "tst_elements.moc"
