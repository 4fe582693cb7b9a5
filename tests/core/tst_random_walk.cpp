#include "core/board.h"
#include "core/shuffler.h"
#include "tests/core/board_text.h"

#include <QTest>

#include <cstdlib>
#include <random>
#include <vector>

using core::Board;
using core::Level;

namespace
{

/* the cell (reading order) that p stands on exactly, -1 when it is off the grid */
int cellAt(const core::Layout &l, core::Position p)
{
    for (int cell = 0; cell < l.cells(); ++cell) {
        if (core::cellPosition(l, cell) == p)
            return cell;
    }
    return -1;
}

// Cells of the blank and of every numbered tile (index 0 is the blank).
std::vector<int> cellsOf(const Board &b)
{
    std::vector<int> cells{cellAt(b.layout(), b.blank())};
    for (int k = 1; k <= b.numberedTiles(); ++k)
        cells.push_back(cellAt(b.layout(), b.tile(k)));
    return cells;
}

/* the cell one step from `cell` in (dc, dr), -1 beyond the edge */
int neighbour(const core::Layout &l, int cell, int dc, int dr)
{
    const int c = cell % l.columns + dc;
    const int r = cell / l.columns + dr;
    if (c < 0 || c >= l.columns || r < 0 || r >= l.rows)
        return -1;
    return r * l.columns + c;
}

bool adjacent(const core::Layout &l, int a, int b)
{
    return std::abs(a % l.columns - b % l.columns) + std::abs(a / l.columns - b / l.columns) == 1;
}

} // namespace

class TestRandomWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Thousands of shuffle steps and clicks keep the board a permutation of its home cells,
    // move exactly when a neighbour is there, and can always be walked back to the picture.
    void walkKeepsThePuzzleSolvable_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 2u, 20261209u}) {
            QTest::newRow(qPrintable(QStringLiteral("Normal, seed %1").arg(seed))) << 0 << seed;
            QTest::newRow(qPrintable(QStringLiteral("Hard, seed %1").arg(seed))) << 1 << seed;
        }
    }
    void walkKeepsThePuzzleSolvable()
    {
        QFETCH(int, level);
        QFETCH(unsigned, seed);
        const Level lv = level ? Level::Hard : Level::Normal;
        Board board(lv);
        const core::Layout &l = board.layout();
        const int n = board.numberedTiles();
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::uniform_int_distribution<int> anyTile(1, n);

        std::vector<int> moved; // the tile that changed place, step by step
        const int steps = 5000;
        for (int step = 0; step < steps; ++step) {
            const std::vector<int> before = cellsOf(board);
            const bool shuffle = rng() % 2 == 0;
            bool didMove = false;
            int expectedBlankCell = -1; // where the blank must end up, -1: must stay
            int clicked = 0;
            if (shuffle) {
                // Now and then r = 0, the draw that gives direction 5.
                const double r = rng() % 64 == 0 ? 0.0 : unit(rng);
                const int d = core::RandomNumber(0, 5, r);
                const bool hard = lv == Level::Hard;
                const int dc = d == 3 ? (hard ? 1 : -1) : d == 4 ? (hard ? -1 : 1) : 0;
                const int dr = d == 1 ? -1 : d == 2 ? 1 : 0;
                if (dc != 0 || dr != 0)
                    expectedBlankCell = neighbour(l, before[0], dc, dr);
                didMove = core::shuffleMove(board, d);
            } else {
                clicked = anyTile(rng);
                const int at = before[static_cast<std::size_t>(clicked)];
                if (adjacent(l, at, before[0]))
                    expectedBlankCell = at;
                const core::Click click = core::clickTile(board, clicked);
                didMove = click.moved();
                QCOMPARE(click.solved, core::CheckSolved(board));
            }

            const std::vector<int> after = cellsOf(board);
            const QString where = QStringLiteral("step %1 (%2): %3")
                                      .arg(step)
                                      .arg(shuffle ? QStringLiteral("shuffle")
                                                   : QStringLiteral("click %1").arg(clicked))
                                      .arg(testing::boardText(board));
            std::vector<bool> taken(static_cast<std::size_t>(l.cells()), false);
            for (int cell : after) {
                QVERIFY2(cell >= 0, qPrintable(where + QStringLiteral(" | element off the grid")));
                QVERIFY2(!taken[static_cast<std::size_t>(cell)],
                         qPrintable(where + QStringLiteral(" | two elements share a cell")));
                taken[static_cast<std::size_t>(cell)] = true;
            }

            QCOMPARE(didMove, expectedBlankCell >= 0);
            if (!didMove) {
                QVERIFY2(after == before, qPrintable(where + QStringLiteral(" | moved anyway")));
                continue;
            }
            // Only the blank and the one tile from its new cell changed, trading places.
            QCOMPARE(after[0], expectedBlankCell);
            int changed = 0;
            for (int k = 1; k <= n; ++k) {
                const auto i = static_cast<std::size_t>(k);
                if (after[i] != before[i]) {
                    ++changed;
                    QCOMPARE(before[i], after[0]);
                    QCOMPARE(after[i], before[0]);
                    moved.push_back(k);
                }
            }
            QCOMPARE(changed, 1);
        }

        // Clicking the moved tiles in reverse order undoes every step.
        for (auto it = moved.rbegin(); it != moved.rend(); ++it)
            QVERIFY2(core::clickTile(board, *it).moved(), "a step could not be undone");
        QCOMPARE(testing::boardText(board), testing::boardText(Board(lv)));
        QVERIFY(core::CheckSolved(board));
        QVERIFY2(moved.size() > steps / 5, "the walk hardly moved: the test proved little");
    }
};

QTEST_GUILESS_MAIN(TestRandomWalk)
#include "tst_random_walk.moc"
