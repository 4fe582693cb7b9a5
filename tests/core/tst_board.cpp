#include "core/board.h"

#include <QTest>

using core::Board;
using core::Level;
using core::Position;
using core::Slide;

class TestBoard : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The home cells are the design positions the elements are drawn at.
    void homeCells_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("tile");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::newRow("ImE1") << 0 << 1 << 360.f << 960.f;
        QTest::newRow("ImE8") << 0 << 8 << 4680.f << 2400.f;
        QTest::newRow("ImE11") << 0 << 11 << 3240.f << 3840.f;
        QTest::newRow("ImG2") << 1 << 2 << 2130.f << 480.f;
        QTest::newRow("ImG12") << 1 << 12 << 3660.f << 4080.f;
        QTest::newRow("ImG14") << 1 << 14 << 2130.f << 5280.f;
    }
    void homeCells()
    {
        QFETCH(int, level);
        QFETCH(int, tile);
        QFETCH(float, left);
        QFETCH(float, top);
        const Board b(level ? Level::Hard : Level::Normal);
        QCOMPARE(b.tile(tile).left, left);
        QCOMPARE(b.tile(tile).top, top);
    }
    void blankHomes()
    {
        QCOMPARE(Board(Level::Normal).blank(), (Position{4680, 3840}));
        QCOMPARE(Board(Level::Hard).blank(), (Position{3660, 5280}));
    }

    // A new window's boards are solved on both levels.
    void newBoardsAreSolved()
    {
        QVERIFY(core::CheckSolved(Board(Level::Normal)));
        QVERIFY(core::CheckSolved(Board(Level::Hard)));
    }

    // The design's own examples of the click rule.
    void tileBelowBlankMovesUp()
    {
        Board b(Level::Normal);
        QCOMPARE(core::slideTile(b, 8), Slide::Down);
        QCOMPARE(b.tile(8).top, 3840.f);
        QCOMPARE(b.blank(), (Position{4680, 2400}));
        QVERIFY(!core::CheckSolved(b));
        QCOMPARE(core::slideTile(b, 8), Slide::Up);
        QVERIFY(core::CheckSolved(b));
    }
    void hardTileMovesRightByPitch()
    {
        Board b(Level::Hard);
        QCOMPARE(core::slideTile(b, 14), Slide::Right);
        QCOMPARE(b.tile(14).left, 3660.f);
        QCOMPARE(b.blank().left, 2130.f);
    }
    void farTilesDoNotMove_data()
    {
        QTest::addColumn<int>("tile");
        QTest::newRow("diagonal to the blank") << 7;
        QTest::newRow("two cells left in the row") << 10;
        QTest::newRow("two cells up in the column") << 4;
    }
    void farTilesDoNotMove()
    {
        QFETCH(int, tile);
        Board b(Level::Normal);
        const Board before = b;
        QCOMPARE(core::slideTile(b, tile), Slide::None);
        QCOMPARE(b, before);
    }
    void onlyExchangedLastTileIsUnsolved()
    {
        Board b(Level::Normal);
        QCOMPARE(core::slideTile(b, 11), Slide::Right);
        QVERIFY(!core::CheckSolved(b));
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
