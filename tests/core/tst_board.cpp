#include "core/board.h"
#include "tests/core/board_text.h"

#include <QTest>

using core::Board;
using core::Level;
using core::Position;
using core::Slide;
using testing::boardFromText;
using testing::boardText;

namespace core
{
// Readable failures: QCOMPARE finds this by argument-dependent lookup.
char *toString(const Slide &slide)
{
    static const char *const names[] = {"None", "Up", "Down", "Left", "Right"};
    return qstrdup(names[static_cast<int>(slide)]);
}
} // namespace core

Q_DECLARE_METATYPE(core::Slide)

namespace
{
const QString kSolvedNormal = QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 11 _");
const QString kSolvedHard = QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 14 _");
} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every element of both sets starts on its design cell; the windows draw them there.
    void homeCells_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("tile"); // 0: the blank tile
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        const float normal[][2] = {{360, 960},  {1800, 960},  {3240, 960},  {4680, 960},
                                   {360, 2400}, {1800, 2400}, {3240, 2400}, {4680, 2400},
                                   {360, 3840}, {1800, 3840}, {3240, 3840}, {4680, 3840}};
        const float hard[][2] = {{600, 480},   {2130, 480},  {3660, 480},  {600, 1680},
                                 {2130, 1680}, {3660, 1680}, {600, 2880},  {2130, 2880},
                                 {3660, 2880}, {600, 4080},  {2130, 4080}, {3660, 4080},
                                 {600, 5280},  {2130, 5280}, {3660, 5280}};
        for (int i = 0; i < 12; ++i) {
            const int k = i < 11 ? i + 1 : 0;
            QTest::newRow(qPrintable(testing::tileName(Level::Normal, k)))
                << 0 << k << normal[i][0] << normal[i][1];
        }
        for (int i = 0; i < 15; ++i) {
            const int k = i < 14 ? i + 1 : 0;
            QTest::newRow(qPrintable(testing::tileName(Level::Hard, k)))
                << 1 << k << hard[i][0] << hard[i][1];
        }
    }
    void homeCells()
    {
        QFETCH(int, level);
        QFETCH(int, tile);
        QFETCH(float, left);
        QFETCH(float, top);
        const Board b(level ? Level::Hard : Level::Normal);
        const Position p = tile == 0 ? b.blank() : b.tile(tile);
        QCOMPARE(p.left, left);
        QCOMPARE(p.top, top);
        if (tile != 0)
            QCOMPARE(b.home(tile), p);
    }

    // Tile sizes, and the area each board covers with its 15-twip overlaps.
    void layouts_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<float>("width");
        QTest::addColumn<float>("height");
        QTest::addColumn<float>("right");
        QTest::addColumn<float>("bottom");
        QTest::newRow("Normal") << 0 << 1455.f << 1455.f << 6135.f << 5295.f;
        QTest::newRow("Hard") << 1 << 1545.f << 1215.f << 5205.f << 6495.f;
    }
    void layouts()
    {
        QFETCH(int, level);
        QFETCH(float, width);
        QFETCH(float, height);
        QFETCH(float, right);
        QFETCH(float, bottom);
        const core::Layout &l = core::layoutOf(level ? Level::Hard : Level::Normal);
        QCOMPARE(l.tileWidth, width);
        QCOMPARE(l.tileHeight, height);
        const Position last = core::cellPosition(l, l.cells() - 1);
        QCOMPARE(last.left + l.tileWidth, right);
        QCOMPARE(last.top + l.tileHeight, bottom);
    }

    // The test helper reads and writes the notation the cases below are written in.
    void boardTextRoundTrip()
    {
        QCOMPARE(boardText(Board(Level::Normal)), kSolvedNormal);
        QCOMPARE(boardText(Board(Level::Hard)), kSolvedHard);
        const QString shuffled = QStringLiteral("1 2 3 / 4 _ 6 / 7 5 9 / 10 11 12 / 13 14 8");
        QCOMPARE(boardText(boardFromText(shuffled)), shuffled);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, boardFromText(QStringLiteral("1 2 3")));
        Board stacked(Level::Normal);
        stacked.setTile(2, stacked.tile(1));
        stacked.setTile(3, Position{361, 960});
        QCOMPARE(boardText(stacked), QStringLiteral("1+2 . . 4 / 5 6 7 8 / 9 10 11 _ | off: 3"));
    }

    // The move rule: a tile next to the blank slides into its cell, nothing else moves.
    void click_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("tile");
        QTest::addColumn<Slide>("slide");
        QTest::addColumn<QString>("after");
        const QString n = QStringLiteral("1 2 3 4 / 5 _ 6 7 / 8 9 10 11");
        const QString h = QStringLiteral("1 2 3 / 4 5 6 / 7 _ 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Normal: ImE8 above the blank slides down")
            << kSolvedNormal << 8 << Slide::Down << QStringLiteral("1 2 3 4 / 5 6 7 _ / 9 10 11 8");
        QTest::newRow("Normal: ImE11 left of the blank slides right")
            << kSolvedNormal << 11 << Slide::Right
            << QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 _ 11");
        QTest::newRow("Normal: tile below slides up")
            << n << 9 << Slide::Up << QStringLiteral("1 2 3 4 / 5 9 6 7 / 8 _ 10 11");
        QTest::newRow("Normal: tile above slides down")
            << n << 2 << Slide::Down << QStringLiteral("1 _ 3 4 / 5 2 6 7 / 8 9 10 11");
        QTest::newRow("Normal: tile right slides left")
            << n << 6 << Slide::Left << QStringLiteral("1 2 3 4 / 5 6 _ 7 / 8 9 10 11");
        QTest::newRow("Normal: tile left slides right")
            << n << 5 << Slide::Right << QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11");
        QTest::newRow("Normal: diagonal up-left stays") << n << 1 << Slide::None << n;
        QTest::newRow("Normal: diagonal down-right stays") << n << 10 << Slide::None << n;
        QTest::newRow("Normal: two cells right stays") << n << 7 << Slide::None << n;
        QTest::newRow("Normal: two cells down stays")
            << QStringLiteral("1 _ 2 3 / 4 5 6 7 / 8 9 10 11") << 9 << Slide::None
            << QStringLiteral("1 _ 2 3 / 4 5 6 7 / 8 9 10 11");
        QTest::newRow("Normal: far corner stays")
            << kSolvedNormal << 1 << Slide::None << kSolvedNormal;
        QTest::newRow("Hard: ImG14 left of the blank slides right")
            << kSolvedHard << 14 << Slide::Right
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 _ 14");
        QTest::newRow("Hard: ImG12 above the blank slides down")
            << kSolvedHard << 12 << Slide::Down
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 _ / 13 14 12");
        QTest::newRow("Hard: tile below slides up")
            << h << 10 << Slide::Up << QStringLiteral("1 2 3 / 4 5 6 / 7 10 8 / 9 _ 11 / 12 13 14");
        QTest::newRow("Hard: tile above slides down")
            << h << 5 << Slide::Down
            << QStringLiteral("1 2 3 / 4 _ 6 / 7 5 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Hard: tile right slides left")
            << h << 8 << Slide::Left
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 _ / 9 10 11 / 12 13 14");
        QTest::newRow("Hard: tile left slides right")
            << h << 7 << Slide::Right
            << QStringLiteral("1 2 3 / 4 5 6 / _ 7 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Hard: diagonal stays") << h << 4 << Slide::None << h;
        QTest::newRow("Hard: two cells down stays") << h << 13 << Slide::None << h;
        QTest::newRow("Hard: two cells right stays")
            << QStringLiteral("_ 1 2 / 3 4 5 / 6 7 8 / 9 10 11 / 12 13 14") << 2 << Slide::None
            << QStringLiteral("_ 1 2 / 3 4 5 / 6 7 8 / 9 10 11 / 12 13 14");
    }
    void click()
    {
        QFETCH(QString, before);
        QFETCH(int, tile);
        QFETCH(Slide, slide);
        QFETCH(QString, after);
        Board b = boardFromText(before);
        QCOMPARE(core::slideTile(b, tile), slide);
        QCOMPARE(boardText(b), after);
    }

    // The design's own numbers: the moved tile lands on the blank's twips and back.
    void movesInTwips_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("tile");
        QTest::addColumn<float>("tileLeft");
        QTest::addColumn<float>("tileTop");
        QTest::addColumn<float>("blankLeft");
        QTest::addColumn<float>("blankTop");
        QTest::newRow("ImE8 down to Top 3840") << 0 << 8 << 4680.f << 3840.f << 4680.f << 2400.f;
        QTest::newRow("ImG14 right by 1530") << 1 << 14 << 3660.f << 5280.f << 2130.f << 5280.f;
    }
    void movesInTwips()
    {
        QFETCH(int, level);
        QFETCH(int, tile);
        QFETCH(float, tileLeft);
        QFETCH(float, tileTop);
        QFETCH(float, blankLeft);
        QFETCH(float, blankTop);
        Board b(level ? Level::Hard : Level::Normal);
        QVERIFY(core::clickTile(b, tile).moved());
        QCOMPARE(b.tile(tile), (Position{tileLeft, tileTop}));
        QCOMPARE(b.blank(), (Position{blankLeft, blankTop}));
    }

    // Clicking the same tile twice puts it back, and both clicks count.
    void clickTwiceMovesBack_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("tile");
        QTest::newRow("Normal ImE8") << kSolvedNormal << 8;
        QTest::newRow("Normal ImE11") << kSolvedNormal << 11;
        QTest::newRow("Normal, blank inside")
            << QStringLiteral("1 2 3 4 / 5 _ 6 7 / 8 9 10 11") << 9;
        QTest::newRow("Hard ImG12") << kSolvedHard << 12;
        QTest::newRow("Hard ImG14") << kSolvedHard << 14;
    }
    void clickTwiceMovesBack()
    {
        QFETCH(QString, board);
        QFETCH(int, tile);
        Board b = boardFromText(board);
        int counted = 0;
        for (int i = 0; i < 2; ++i)
            counted += core::clickTile(b, tile).moved() ? 1 : 0;
        QCOMPARE(counted, 2);
        QCOMPARE(boardText(b), board);
    }

    // Positions are compared exactly: one twip off the grid is not next to the blank.
    void oneTwipOffIsNotANeighbour_data()
    {
        QTest::addColumn<int>("tile");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::newRow("ImE8 one twip low") << 8 << 4680.f << 2401.f;
        QTest::newRow("ImE8 one twip right") << 8 << 4681.f << 2400.f;
        QTest::newRow("ImE11 one twip left") << 11 << 3239.f << 3840.f;
        QTest::newRow("ImE11 half a twip up") << 11 << 3240.f << 3839.5f;
    }
    void oneTwipOffIsNotANeighbour()
    {
        QFETCH(int, tile);
        QFETCH(float, left);
        QFETCH(float, top);
        Board b(Level::Normal);
        b.setTile(tile, Position{left, top});
        const Board before = b;
        QCOMPARE(core::slideTile(b, tile), Slide::None);
        QCOMPARE(b, before);
    }

    // The completion check looks at every numbered tile and only at its home cell.
    void checkSolved_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<bool>("solved");
        QTest::newRow("new Normal board") << kSolvedNormal << true;
        QTest::newRow("new Hard board") << kSolvedHard << true;
        QTest::newRow("ImE11 and the blank exchanged")
            << QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 _ 11") << false;
        QTest::newRow("blank home, ImE1 and ImE2 exchanged")
            << QStringLiteral("2 1 3 4 / 5 6 7 8 / 9 10 11 _") << false;
        QTest::newRow("blank home, ImE10 and ImE11 exchanged")
            << QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 11 10 _") << false;
        QTest::newRow("blank home, ImG13 and ImG14 exchanged")
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 14 13 _") << false;
        QTest::newRow("blank home, ImG1 and ImG14 exchanged")
            << QStringLiteral("14 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 1 _") << false;
    }
    void checkSolved()
    {
        QFETCH(QString, board);
        QFETCH(bool, solved);
        QCOMPARE(core::CheckSolved(boardFromText(board)), solved);
    }

    // The winning click always brings the blank into the last cell; the check runs after it.
    void winningClick_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("tile");
        QTest::newRow("Normal ImE8 up") << QStringLiteral("1 2 3 4 / 5 6 7 _ / 9 10 11 8") << 8;
        QTest::newRow("Normal ImE11 left") << QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 _ 11") << 11;
        QTest::newRow("Hard ImG12 up")
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 _ / 13 14 12") << 12;
        QTest::newRow("Hard ImG14 left")
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 _ 14") << 14;
    }
    void winningClick()
    {
        QFETCH(QString, board);
        QFETCH(int, tile);
        Board b = boardFromText(board);
        const core::Click click = core::clickTile(b, tile);
        QVERIFY(click.moved());
        QVERIFY(click.solved);
        QCOMPARE(b.blank(), b.blankHome());
    }

    // A shuffle may end on the solved picture: a click that moves nothing still finds it
    // solved (the win comes with the counter unchanged), one that moves a tile breaks it.
    void clickOnSolvedBoard_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("tile");
        QTest::addColumn<bool>("moved");
        QTest::addColumn<bool>("solved");
        QTest::newRow("Normal, far tile: solved, no move") << kSolvedNormal << 1 << false << true;
        QTest::newRow("Normal, neighbour: moves, unsolved") << kSolvedNormal << 8 << true << false;
        QTest::newRow("Hard, far tile: solved, no move") << kSolvedHard << 13 << false << true;
        QTest::newRow("Hard, neighbour: moves, unsolved") << kSolvedHard << 14 << true << false;
    }
    void clickOnSolvedBoard()
    {
        QFETCH(QString, board);
        QFETCH(int, tile);
        QFETCH(bool, moved);
        QFETCH(bool, solved);
        Board b = boardFromText(board);
        const core::Click click = core::clickTile(b, tile);
        QCOMPARE(click.moved(), moved);
        QCOMPARE(click.solved, solved);
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
