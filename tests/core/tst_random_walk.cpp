// Thousands of random shuffle steps and clicks, each done both on the board of cells and on
// the twips reference (tests/core/twips_reference.h): after every one the two must agree on
// whether anything moved, on where every tile stands and on whether the picture is complete;
// the board must stay a permutation, and walking the moves back must give the picture again.
#include "core/board.h"
#include "core/shuffler.h"
#include "tests/core/board_text.h"
#include "tests/core/twips_reference.h"

#include <QTest>

#include <random>
#include <vector>

using core::Board;
using core::Level;

class TestRandomWalk : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cellsAgreeWithTwips_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<unsigned>("seed");
        for (unsigned seed : {1u, 2u, 20261209u}) {
            QTest::newRow(qPrintable(QStringLiteral("Normal, seed %1").arg(seed))) << 0 << seed;
            QTest::newRow(qPrintable(QStringLiteral("Hard, seed %1").arg(seed))) << 1 << seed;
        }
    }
    void cellsAgreeWithTwips()
    {
        QFETCH(int, level);
        QFETCH(unsigned, seed);
        const Level lv = level ? Level::Hard : Level::Normal;
        Board board(lv);
        reference::TwipsBoard twips(lv);
        const int n = board.numberedTiles();
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        std::uniform_int_distribution<int> anyTile(1, n);

        std::vector<int> moved; // the tile that changed place, step by step
        const int steps = 5000;
        for (int step = 0; step < steps; ++step) {
            const Board before = board;
            const bool shuffle = rng() % 2 == 0;
            bool didMove = false;
            bool referenceMoved = false;
            int clicked = 0;
            if (shuffle) {
                // Now and then r = 0, the draw that gives direction 5.
                const double r = rng() % 64 == 0 ? 0.0 : unit(rng);
                const int d = core::RandomNumber(0, 5, r);
                didMove = core::shuffleMove(board, d);
                referenceMoved = reference::shuffleStep(twips, d);
            } else {
                clicked = anyTile(rng);
                didMove = core::slideTile(board, clicked) != core::Slide::None;
                referenceMoved = reference::click(twips, clicked);
            }
            const QString where = QStringLiteral("step %1 (%2): %3")
                                      .arg(step)
                                      .arg(shuffle ? QStringLiteral("shuffle")
                                                   : QStringLiteral("click %1").arg(clicked))
                                      .arg(testing::boardText(board));
            QVERIFY2(didMove == referenceMoved, qPrintable(where + " | moved differently"));
            std::vector<bool> taken(static_cast<std::size_t>(n) + 1, false);
            for (int k = 0; k <= n; ++k) {
                const int cell = k == 0 ? board.blankCell() : board.cellOf(k);
                QVERIFY2(cell == twips.cellOf(k),
                         qPrintable(where + QStringLiteral(" | tile %1 stands elsewhere").arg(k)));
                QVERIFY2(!taken[static_cast<std::size_t>(cell)],
                         qPrintable(where + QStringLiteral(" | two tiles share a cell")));
                taken[static_cast<std::size_t>(cell)] = true;
            }
            const bool solved = core::isSolved(board);
            QVERIFY2(solved == reference::checkSolved(twips),
                     qPrintable(where + " | completion differs"));
            if (!didMove) {
                QVERIFY2(board == before, qPrintable(where + QStringLiteral(" | moved anyway")));
                continue;
            }
            moved.push_back(board.tileAt(before.blankCell()));
        }

        // Clicking the moved tiles in reverse order undoes every step, on both boards, and
        // both find the picture complete exactly at the end.
        for (auto it = moved.rbegin(); it != moved.rend(); ++it) {
            QVERIFY2(core::slideTile(board, *it) != core::Slide::None,
                     "a step could not be undone");
            QVERIFY(reference::click(twips, *it));
            QCOMPARE(core::isSolved(board), reference::checkSolved(twips));
        }
        QCOMPARE(testing::boardText(board), testing::boardText(Board(lv)));
        QVERIFY(core::isSolved(board) && reference::checkSolved(twips));
        QVERIFY2(moved.size() > steps / 5, "the walk hardly moved: the test proved little");
    }
};

QTEST_GUILESS_MAIN(TestRandomWalk)
#include "tst_random_walk.moc"
