// The system clock as the game's second counters read it: the time of day as HH:MM:SS, the
// same as Qt's, and how long until the text changes.
#include "platform/clock.h"

#include <QTest>
#include <QTime>

class TestClock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void tellsTheTimeOfDay()
    {
        platform::SystemClock clock;
        for (int i = 0; i < 3; ++i) {
            const QTime before = QTime::currentTime();
            const QString text = clock.timeText();
            const QTime after = QTime::currentTime();
            QCOMPARE(text.size(), 8);
            const QTime read = QTime::fromString(text, QStringLiteral("HH:mm:ss"));
            QVERIFY2(read.isValid(), qPrintable(text));
            // Whole seconds: the text lies between the two readings, cut to the second.
            const QTime low(before.hour(), before.minute(), before.second());
            QVERIFY2(read == low || read == QTime(after.hour(), after.minute(), after.second()),
                     qPrintable(text + QStringLiteral(" vs ") + before.toString()));
            const int wait = clock.msToNextSecond();
            QVERIFY2(wait >= 1 && wait <= 1000, qPrintable(QString::number(wait)));
            QTest::qSleep(wait + 5);
            QVERIFY(clock.timeText() != text); // the next second has come
        }
    }
};

QTEST_GUILESS_MAIN(TestClock)
#include "tst_clock.moc"
