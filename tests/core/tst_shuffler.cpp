#include "core/shuffler.h"

#include <QTest>

using core::Board;
using core::Level;

class TestShuffler : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // RandomNumber(0, 5) maps quarters of r to 4..1, and r == 0 alone to 5.
    void randomNumber_data()
    {
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("d");
        QTest::newRow("r = 0 gives 5") << 0.0 << 5;
        QTest::newRow("just above 0") << 1e-9 << 4;
        QTest::newRow("0.25") << 0.25 << 4;
        QTest::newRow("just above 0.25") << 0.2500001 << 3;
        QTest::newRow("0.5") << 0.5 << 3;
        QTest::newRow("0.75") << 0.75 << 2;
        QTest::newRow("just below 1") << 0.9999999 << 1;
    }
    void randomNumber()
    {
        QFETCH(double, r);
        QFETCH(int, d);
        QCOMPARE(int(core::RandomNumber(0, 5, r)), d);
    }

    // Directions 3 and 4 mean left and right on Normal, but right and left on Hard.
    void hardSwapsThreeAndFour()
    {
        Board normal(Level::Normal);
        QVERIFY(core::shuffleMove(normal, 3));  // tile left of the blank comes in
        QCOMPARE(normal.blank().left, 3240.f);

        Board hard(Level::Hard);
        QVERIFY(!core::shuffleMove(hard, 3));  // nothing right of the corner blank
        QVERIFY(core::shuffleMove(hard, 4));
        QCOMPARE(hard.blank().left, 2130.f);
    }
    void edgesAndOtherNumbersMoveNothing_data()
    {
        QTest::addColumn<int>("direction");
        QTest::newRow("down from the bottom row") << 2;
        QTest::newRow("right from the last column") << 4;
        QTest::newRow("5 from r = 0") << 5;
        QTest::newRow("0") << 0;
    }
    void edgesAndOtherNumbersMoveNothing()
    {
        QFETCH(int, direction);
        Board b(Level::Normal);
        QVERIFY(!core::shuffleMove(b, direction));
        QCOMPARE(b, Board(Level::Normal));
    }

    // A clock that stands still must not make two successive draws equal.
    void frozenClockStillVaries()
    {
        core::ClockSeededRandom random([] { return std::uint64_t{42}; });
        double last = -1;
        for (int i = 0; i < 1000; ++i) {
            random.reseed();
            const double r = random.draw();
            QVERIFY(r >= 0 && r < 1);
            QVERIFY2(r != last, "two successive draws were equal");
            last = r;
        }
    }
};

QTEST_GUILESS_MAIN(TestShuffler)
#include "tst_shuffler.moc"
