// The banner's pictures at each moment of its 500 ms ticks, and the site a click opens.
#include "session/banner.h"

#include <QTest>

Q_DECLARE_METATYPE(session::FanSite)

class TestBanner : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cycle_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("shown");
        QTest::addColumn<session::FanSite>("site");
        using session::FanSite;
        QTest::newRow("0 s, design picture") << 0 << 0 << FanSite::None;
        QTest::newRow("0.5 s") << 1 << 1 << FanSite::First;
        QTest::newRow("4.5 s") << 9 << 1 << FanSite::First;
        QTest::newRow("5 s") << 10 << 2 << FanSite::Second;
        QTest::newRow("10 s") << 20 << 3 << FanSite::First;
        QTest::newRow("12 s") << 24 << 3 << FanSite::First;
        QTest::newRow("15 s") << 30 << 4 << FanSite::Second;
        QTest::newRow("17 s") << 34 << 4 << FanSite::Second;
        QTest::newRow("20 s") << 40 << 1 << FanSite::First;
        QTest::newRow("20.5 s") << 41 << 1 << FanSite::First;
        QTest::newRow("25 s") << 50 << 2 << FanSite::Second;
        QTest::newRow("40 s") << 80 << 1 << FanSite::First;
    }
    void cycle()
    {
        QFETCH(int, ticks);
        QFETCH(int, shown);
        QFETCH(session::FanSite, site);
        session::Banner banner;
        for (int i = 0; i < ticks; ++i)
            banner.tick();
        QCOMPARE(banner.shownPicture(), shown);
        QCOMPARE(banner.site(), site);
    }

    // The banner tells how many ticks its picture stays: a timer that sleeps that long and
    // then delivers them all wakes exactly when the picture changes, and nowhere else.
    void ticksToNextChangeLandOnTheChanges()
    {
        session::Banner banner;
        int tick = 0;
        QList<int> changedAt;
        while (tick < 80) {
            const int ahead = banner.ticksToNextChange();
            QVERIFY(ahead >= 1);
            for (int i = 0; i < ahead; ++i) {
                ++tick;
                const int shown = banner.tick();
                if (i < ahead - 1)
                    QCOMPARE(shown, 0);
                else if (shown != 0)
                    changedAt << tick;
            }
        }
        QCOMPARE(changedAt, (QList<int>{1, 10, 20, 30, 40, 50, 60, 70, 80}));
    }

    // A tick asks for a new picture only when the picture changes: at 0.5 s, then every
    // 5 s, so nine times in forty seconds, never on the tick that only restarts the cycle.
    void ticksChangeThePictureOnlyWhenItChanges()
    {
        session::Banner banner;
        int changes = 0;
        for (int i = 0; i < 81; ++i)
            changes += banner.tick() != 0 ? 1 : 0;
        QCOMPARE(changes, 9);
    }
};

QTEST_GUILESS_MAIN(TestBanner)
#include "tst_banner.moc"
