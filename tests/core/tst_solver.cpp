// The solver's answers are what the player is told is the best possible game and what the
// hint plays, so each must be a real solution (every tile it names slides, and the picture is
// whole after the last) and a shortest one: as long as the plain search's.
#include "core/shuffler.h"
#include "core/solver.h"
#include "tests/core/board_text.h"

#include <QTest>

using core::Board;
using testing::boardFromText;

namespace
{

/* why `solution` does not finish `board`, or an empty text */
QString whyNotSolved(Board board, const core::Solution &solution)
{
    for (const int k : solution.tiles) {
        if (core::slideTile(board, k) == core::Slide::None)
            return QStringLiteral("tile %1 does not slide on %2")
                .arg(k)
                .arg(testing::boardText(board));
    }
    return core::isSolved(board) ? QString()
                                 : QStringLiteral("it ends on %1").arg(testing::boardText(board));
}

} // namespace

class TestSolver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void shortest_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("length"); // -1: as long as the plain search finds
        QTest::newRow("finished Normal") << QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 11 _") << 0;
        QTest::newRow("finished Hard")
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 14 _") << 0;
        QTest::newRow("Hard, tile 14 beside the blank")
            << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 _ 14") << 1;
        QTest::newRow("Normal, blank in the top left corner")
            << QStringLiteral("_ 1 2 3 / 5 6 7 4 / 9 10 11 8") << 5;
        // A long way round: the blank's home corner is one of the farthest cells from it.
        QTest::newRow("Normal, three tiles turned in the bottom row")
            << QStringLiteral("1 2 3 4 / 5 6 7 8 / 10 11 9 _") << -1;
        QTest::newRow("Hard, blank at the top, rows shifted")
            << QStringLiteral("_ 1 2 / 3 4 5 / 6 7 8 / 9 10 11 / 12 13 14") << -1;
        // Drawn at random, among the longest of their levels; the plain search took a second
        // and many minutes for them, too long to repeat here.
        QTest::newRow("Normal, 46 moves") << QStringLiteral("11 _ 10 2 / 8 3 7 1 / 6 4 9 5") << 46;
        QTest::newRow("Hard, 62 moves")
            << QStringLiteral("_ 13 12 / 14 9 11 / 5 4 8 / 7 6 3 / 10 1 2") << 62;

        // Boards of short random walks, whose plain search is quick.
        core::SeededRandom random(20261211);
        for (const core::Level level : {core::Level::Normal, core::Level::Hard}) {
            for (int i = 0; i < 200; ++i) {
                Board board(level);
                const int steps = 10 + i % 60;
                for (int s = 0; s < steps; ++s)
                    core::shuffleMove(board, core::drawDirection(random));
                QTest::newRow(qPrintable(QStringLiteral("%1 walk %2")
                                             .arg(level == core::Level::Normal ? "Normal" : "Hard")
                                             .arg(i)))
                    << testing::boardText(board) << -1;
            }
        }
    }
    void shortest()
    {
        QFETCH(QString, board);
        QFETCH(int, length);
        const Board start = boardFromText(board);
        const auto solution = core::solveShortest(start);
        QVERIFY(solution);
        const QString why = whyNotSolved(start, *solution);
        QVERIFY2(why.isEmpty(), qPrintable(why));
        if (length < 0)
            length = core::plainShortestLength(start).value_or(-1);
        QCOMPARE(solution->length(), length);
    }

    // The game abandons a search when its window closes: a stop asked for before the search
    // starts ends it without an answer, however far the board is from finished.
    void stopsWhenAsked()
    {
        std::stop_source source;
        source.request_stop();
        const Board far =
            boardFromText(QStringLiteral("_ 14 13 / 12 11 10 / 9 8 7 / 6 5 4 / 3 2 1"));
        QVERIFY(!core::solveShortest(far, source.get_token()));
        QVERIFY(!core::plainShortestLength(far, source.get_token()));
    }

    // A board with two tiles exchanged cannot be finished: no answer rather than a search
    // that never ends.
    void refusesUnsolvable()
    {
        const Board exchanged = boardFromText(QStringLiteral("2 1 3 4 / 5 6 7 8 / 9 10 11 _"));
        QVERIFY(!core::isSolvable(exchanged));
        QVERIFY(!core::solveShortest(exchanged));
    }
};

QTEST_GUILESS_MAIN(TestSolver)
#include "tst_solver.moc"
