// The blank's walk: the direction draw, the seeded engine a reported game is replayed with,
// and the step each direction makes on either board.
#include "core/shuffler.h"
#include "tests/core/board_text.h"

#include <QTest>

#include <array>
#include <cmath>
#include <set>

using core::Board;
using core::Level;
using core::Step;
using testing::boardFromText;
using testing::boardText;

Q_DECLARE_METATYPE(core::Step)

namespace
{

// Hands out the given r values in turn.
class ListedRandom final : public core::RandomSource
{
public:
    explicit ListedRandom(std::initializer_list<double> values) : m_values(values) {}
    double draw() override { return m_values.at(m_next++); }

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

// The blank inside the board, so that every direction has a neighbour.
const QString kNormalInside = QStringLiteral("1 2 3 4 / 5 _ 6 7 / 8 9 10 11");
const QString kHardInside = QStringLiteral("1 2 3 / 4 5 6 / 7 _ 8 / 9 10 11 / 12 13 14");

} // namespace

class TestShuffler : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // RandomNumber(0, 5) maps quarters of r to 4..1, r == 0 alone to 5; the span wraps at
    // 16 bits and the result is floored, not truncated.
    void randomNumber_data()
    {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<double>("r");
        QTest::addColumn<int>("d");
        const double below1 = std::nextafter(1.0, 0.0);
        QTest::newRow("r = 0 gives 5") << 0 << 5 << 0.0 << 5;
        QTest::newRow("smallest draw above 0 gives 4") << 0 << 5 << std::ldexp(1.0, -32) << 4;
        QTest::newRow("0.25 still 4") << 0 << 5 << 0.25 << 4;
        QTest::newRow("just above 0.25 gives 3") << 0 << 5 << 0.25 + std::ldexp(1.0, -32) << 3;
        QTest::newRow("0.5 still 3") << 0 << 5 << 0.5 << 3;
        QTest::newRow("just above 0.5 gives 2") << 0 << 5 << std::nextafter(0.5, 1.0) << 2;
        QTest::newRow("0.75 still 2") << 0 << 5 << 0.75 << 2;
        QTest::newRow("just above 0.75 gives 1") << 0 << 5 << std::nextafter(0.75, 1.0) << 1;
        QTest::newRow("just below 1 gives 1") << 0 << 5 << below1 << 1;
        QTest::newRow("a die: r = 0 gives 1") << 6 << 1 << 0.0 << 1;
        QTest::newRow("a die: top gives 6") << 6 << 1 << below1 << 6;
        QTest::newRow("negative result floors down") << -3 << 0 << 0.25 << -1;
        QTest::newRow("span of 32768 wraps to -32768") << 32767 << 0 << 0.5 << -16384;
    }
    void randomNumber()
    {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(double, r);
        QFETCH(int, d);
        QCOMPARE(
            int(core::RandomNumber(static_cast<std::int16_t>(a), static_cast<std::int16_t>(b), r)),
            d);
    }

    // One seed, one sequence of draws: what makes a reported game replayable. Another seed
    // gives another walk, and every draw stays in [0, 1).
    void seedReplaysTheDraws()
    {
        core::SeededRandom a(20261209), b(20261209), other(20261210);
        int differences = 0;
        for (int i = 0; i < 1000; ++i) {
            const double r = a.draw();
            QVERIFY2(r >= 0 && r < 1, qPrintable(QString::number(r, 'g', 17)));
            QCOMPARE(b.draw(), r);
            differences += other.draw() != r ? 1 : 0;
        }
        QVERIFY2(differences > 990, qPrintable(QString::number(differences)));
    }

    // The four directions come up about equally often from the game's engine, and 5 (the
    // draw of exactly 0) next to never.
    void seededSourceDrawsAllDirections()
    {
        core::SeededRandom random(7);
        std::array<int, 6> seen{};
        const int draws = 20000;
        for (int i = 0; i < draws; ++i) {
            const int d = core::drawDirection(random);
            QVERIFY2(d >= 1 && d <= 5, qPrintable(QString::number(d)));
            ++seen[static_cast<std::size_t>(d)];
        }
        for (int d = 1; d <= 4; ++d) {
            // 5000 expected, standard deviation about 61.
            QVERIFY2(seen[static_cast<std::size_t>(d)] > 4500 &&
                         seen[static_cast<std::size_t>(d)] < 5500,
                     qPrintable(QStringLiteral("direction %1 came %2 times")
                                    .arg(d)
                                    .arg(seen[static_cast<std::size_t>(d)])));
        }
        QVERIFY(seen[5] < 3);
    }

    // Each step of the blank brings in the neighbour on that side.
    void stepBlank_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<Step>("step");
        QTest::addColumn<QString>("after");
        QTest::newRow("Normal up")
            << kNormalInside << Step::Up << QStringLiteral("1 _ 3 4 / 5 2 6 7 / 8 9 10 11");
        QTest::newRow("Normal down")
            << kNormalInside << Step::Down << QStringLiteral("1 2 3 4 / 5 9 6 7 / 8 _ 10 11");
        QTest::newRow("Normal left")
            << kNormalInside << Step::Left << QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11");
        QTest::newRow("Normal right")
            << kNormalInside << Step::Right << QStringLiteral("1 2 3 4 / 5 6 _ 7 / 8 9 10 11");
        QTest::newRow("Hard up") << kHardInside << Step::Up
                                 << QStringLiteral("1 2 3 / 4 _ 6 / 7 5 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Hard down") << kHardInside << Step::Down
                                   << QStringLiteral("1 2 3 / 4 5 6 / 7 10 8 / 9 _ 11 / 12 13 14");
        QTest::newRow("Hard left") << kHardInside << Step::Left
                                   << QStringLiteral("1 2 3 / 4 5 6 / _ 7 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Hard right") << kHardInside << Step::Right
                                    << QStringLiteral("1 2 3 / 4 5 6 / 7 8 _ / 9 10 11 / 12 13 14");
    }
    void stepBlank()
    {
        QFETCH(QString, before);
        QFETCH(Step, step);
        QFETCH(QString, after);
        Board b = boardFromText(before);
        QVERIFY(core::stepBlank(b, step));
        QCOMPARE(boardText(b), after);
    }

    // Directions 1 and 2 are up and down on both levels; 3 and 4 are left and right on
    // Normal but right and left on Hard.
    void directions_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("direction");
        QTest::addColumn<QString>("after");
        QTest::newRow("Normal 1: tile above comes down")
            << kNormalInside << 1 << QStringLiteral("1 _ 3 4 / 5 2 6 7 / 8 9 10 11");
        QTest::newRow("Normal 2: tile below comes up")
            << kNormalInside << 2 << QStringLiteral("1 2 3 4 / 5 9 6 7 / 8 _ 10 11");
        QTest::newRow("Normal 3: tile on the left comes in")
            << kNormalInside << 3 << QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11");
        QTest::newRow("Normal 4: tile on the right comes in")
            << kNormalInside << 4 << QStringLiteral("1 2 3 4 / 5 6 _ 7 / 8 9 10 11");
        QTest::newRow("Hard 1: tile above comes down")
            << kHardInside << 1 << QStringLiteral("1 2 3 / 4 _ 6 / 7 5 8 / 9 10 11 / 12 13 14");
        QTest::newRow("Hard 2: tile below comes up")
            << kHardInside << 2 << QStringLiteral("1 2 3 / 4 5 6 / 7 10 8 / 9 _ 11 / 12 13 14");
        QTest::newRow("Hard 3: tile on the right comes in")
            << kHardInside << 3 << QStringLiteral("1 2 3 / 4 5 6 / 7 8 _ / 9 10 11 / 12 13 14");
        QTest::newRow("Hard 4: tile on the left comes in")
            << kHardInside << 4 << QStringLiteral("1 2 3 / 4 5 6 / _ 7 8 / 9 10 11 / 12 13 14");
    }
    void directions()
    {
        QFETCH(QString, before);
        QFETCH(int, direction);
        QFETCH(QString, after);
        Board b = boardFromText(before);
        QVERIFY(core::shuffleMove(b, direction));
        QCOMPARE(boardText(b), after);
    }

    // At the edge of the board, or with a number other than 1 to 4, a step moves nothing.
    void stepsThatMoveNothing_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<int>("direction");
        const QString normalTopLeft = QStringLiteral("_ 1 2 3 / 4 5 6 7 / 8 9 10 11");
        const QString hardTopLeft = QStringLiteral("_ 1 2 / 3 4 5 / 6 7 8 / 9 10 11 / 12 13 14");
        const QString normalSolved = QStringLiteral("1 2 3 4 / 5 6 7 8 / 9 10 11 _");
        const QString hardSolved = QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 12 / 13 14 _");
        QTest::newRow("Normal top row, 1") << normalTopLeft << 1;
        QTest::newRow("Normal left column, 3") << normalTopLeft << 3;
        QTest::newRow("Normal bottom row, 2") << normalSolved << 2;
        QTest::newRow("Normal right column, 4") << normalSolved << 4;
        QTest::newRow("Hard top row, 1") << hardTopLeft << 1;
        QTest::newRow("Hard left column, 4") << hardTopLeft << 4;
        QTest::newRow("Hard bottom row, 2") << hardSolved << 2;
        QTest::newRow("Hard right column, 3") << hardSolved << 3;
        QTest::newRow("Normal, 5 from r = 0") << kNormalInside << 5;
        QTest::newRow("Hard, 5 from r = 0") << kHardInside << 5;
        QTest::newRow("Normal, 0") << kNormalInside << 0;
        QTest::newRow("Hard, -1") << kHardInside << -1;
    }
    void stepsThatMoveNothing()
    {
        QFETCH(QString, board);
        QFETCH(int, direction);
        Board b = boardFromText(board);
        QVERIFY(!core::shuffleMove(b, direction));
        QCOMPARE(boardText(b), board);
    }

    // The drawn 5 never reaches a move: r = 0 is a step that leaves the board alone.
    void zeroDrawMovesNothing()
    {
        ListedRandom random{0.0};
        Board b = boardFromText(kNormalInside);
        const int d = core::drawDirection(random);
        QCOMPARE(d, 5);
        QVERIFY(!core::shuffleMove(b, d));
        QCOMPARE(boardText(b), kNormalInside);
    }
};

QTEST_GUILESS_MAIN(TestShuffler)
#include "tst_shuffler.moc"
