// The board as a permutation of cells: the player's slide, the keyboard's slide by direction,
// the completion check and the blank's walk.
#include "core/board.h"
#include "tests/core/board_text.h"

#include <QTest>

using core::Board;
using core::Level;
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
const QString kNormalInside = QStringLiteral("1 2 3 4 / 5 _ 6 7 / 8 9 10 11");
const QString kHardInside = QStringLiteral("1 2 3 / 4 5 6 / 7 _ 8 / 9 10 11 / 12 13 14");
} // namespace

class TestBoard : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A new board has every tile on its home cell, the blank in the last one.
    void newBoardIsSolved_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<QString>("text");
        QTest::newRow("Normal, 4 x 3") << 0 << kSolvedNormal;
        QTest::newRow("Hard, 3 x 5") << 1 << kSolvedHard;
    }
    void newBoardIsSolved()
    {
        QFETCH(int, level);
        QFETCH(QString, text);
        const Board b(level ? Level::Hard : Level::Normal);
        QCOMPARE(boardText(b), text);
        QVERIFY(core::isSolved(b));
        QCOMPARE(b.blankCell(), b.grid().cells() - 1);
    }

    // The notation the cases are written in reads back as written, and a board that is not a
    // permutation of the level's tiles cannot be made.
    void boardTextRoundTrip()
    {
        const QString shuffled = QStringLiteral("1 2 3 / 4 _ 6 / 7 5 9 / 10 11 12 / 13 14 8");
        QCOMPARE(boardText(boardFromText(shuffled)), shuffled);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, boardFromText(QStringLiteral("1 2 3")));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument,
                                 boardFromText(QStringLiteral("1 1 3 4 / 5 6 7 8 / 9 10 11 _")));
        QVERIFY(!Board::arranged(Level::Normal, {0, 1, 2}));
        QVERIFY(!Board::arranged(Level::Normal, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    }

    // The move rule: a tile next to the blank slides into its cell, nothing else moves.
    void click_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("tile");
        QTest::addColumn<Slide>("slide");
        QTest::addColumn<QString>("after");
        const QString n = kNormalInside;
        const QString h = kHardInside;
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
        QTest::newRow("Normal: end of one row is not next to the start of the next")
            << QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11") << 4 << Slide::None
            << QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11");
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

    // An arrow key names the way a tile moves: Up slides the tile below the blank, and so on;
    // at the edge there is no such tile.
    void tileThatSlides_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<Slide>("direction");
        QTest::addColumn<int>("tile");
        QTest::newRow("Normal, Up: the tile below") << kNormalInside << Slide::Up << 9;
        QTest::newRow("Normal, Down: the tile above") << kNormalInside << Slide::Down << 2;
        QTest::newRow("Normal, Left: the tile on the right") << kNormalInside << Slide::Left << 6;
        QTest::newRow("Normal, Right: the tile on the left") << kNormalInside << Slide::Right << 5;
        QTest::newRow("Normal solved, Up: none below") << kSolvedNormal << Slide::Up << 0;
        QTest::newRow("Normal solved, Left: none on the right")
            << kSolvedNormal << Slide::Left << 0;
        QTest::newRow("Hard solved, Down: the tile above") << kSolvedHard << Slide::Down << 12;
        QTest::newRow("Hard solved, Right: the tile on the left")
            << kSolvedHard << Slide::Right << 14;
        QTest::newRow("no direction") << kNormalInside << Slide::None << 0;
    }
    void tileThatSlides()
    {
        QFETCH(QString, board);
        QFETCH(Slide, direction);
        QFETCH(int, tile);
        Board b = boardFromText(board);
        QCOMPARE(core::tileThatSlides(b, direction), tile);
        if (tile != 0)
            QCOMPARE(core::slideTile(b, tile), direction);
    }

    // Clicking the same tile twice puts it back.
    void clickTwiceMovesBack_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("tile");
        QTest::newRow("Normal ImE8") << kSolvedNormal << 8;
        QTest::newRow("Normal ImE11") << kSolvedNormal << 11;
        QTest::newRow("Normal, blank inside") << kNormalInside << 9;
        QTest::newRow("Hard ImG12") << kSolvedHard << 12;
        QTest::newRow("Hard ImG14") << kSolvedHard << 14;
    }
    void clickTwiceMovesBack()
    {
        QFETCH(QString, board);
        QFETCH(int, tile);
        Board b = boardFromText(board);
        QVERIFY(core::slideTile(b, tile) != Slide::None);
        QVERIFY(core::slideTile(b, tile) != Slide::None);
        QCOMPARE(boardText(b), board);
    }

    // The completion check looks at every numbered tile and only at its home cell.
    void isSolved_data()
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
    void isSolved()
    {
        QFETCH(QString, board);
        QFETCH(bool, solved);
        QCOMPARE(core::isSolved(boardFromText(board)), solved);
    }

    // The winning slide always brings the blank into the last cell.
    void winningSlide_data()
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
    void winningSlide()
    {
        QFETCH(QString, board);
        QFETCH(int, tile);
        Board b = boardFromText(board);
        QVERIFY(!core::isSolved(b));
        QVERIFY(core::slideTile(b, tile) != Slide::None);
        QVERIFY(core::isSolved(b));
        QCOMPARE(b.blankCell(), b.grid().cells() - 1);
    }
};

QTEST_GUILESS_MAIN(TestBoard)
#include "tst_board.moc"
