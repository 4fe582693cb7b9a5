#include "core/shuffler.h"
#include "tests/core/board_text.h"

#include <QTest>

#include <array>
#include <cmath>
#include <limits>
#include <set>
#include <string>

using core::Board;
using core::Level;
using testing::boardFromText;
using testing::boardText;

namespace
{

// Hands out the given r values and notes the order of the calls it gets.
class ListedRandom final : public core::RandomSource
{
public:
    explicit ListedRandom(std::initializer_list<double> values) : m_values(values) {}
    void reseed() override { calls += 'S'; }
    double draw() override
    {
        calls += 'D';
        return m_values.at(m_next++);
    }
    std::string calls;

private:
    std::vector<double> m_values;
    std::size_t m_next = 0;
};

struct NamedMove {
    const char *name;
    bool (*move)(Board &);
    Level level;
};
const std::array<NamedMove, 8> kMoves{{
    {"MoveBlankUpNormal", core::MoveBlankUpNormal, Level::Normal},
    {"MoveBlankDownNormal", core::MoveBlankDownNormal, Level::Normal},
    {"MoveBlankLeftNormal", core::MoveBlankLeftNormal, Level::Normal},
    {"MoveBlankRightNormal", core::MoveBlankRightNormal, Level::Normal},
    {"MoveBlankUpHard", core::MoveBlankUpHard, Level::Hard},
    {"MoveBlankDownHard", core::MoveBlankDownHard, Level::Hard},
    {"MoveBlankLeftHard", core::MoveBlankLeftHard, Level::Hard},
    {"MoveBlankRightHard", core::MoveBlankRightHard, Level::Hard},
}};

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

    // Every draw is preceded by a reseed, one of each per number.
    void randomNumberReseedsThenDraws()
    {
        ListedRandom random{0.1, 0.9};
        QCOMPARE(int(core::RandomNumber(0, 5, random)), 4);
        QCOMPARE(int(core::RandomNumber(0, 5, random)), 1);
        QCOMPARE(random.calls, std::string("SDSD"));
    }

    // A clock that stands still must not make two successive draws equal, nor leave [0, 1).
    void frozenClockStillVaries()
    {
        core::ClockSeededRandom random([] { return std::uint64_t{42}; });
        double last = -1;
        std::set<double> distinct;
        const int draws = 5000;
        for (int i = 0; i < draws; ++i) {
            random.reseed();
            const double r = random.draw();
            QVERIFY2(r >= 0 && r < 1, qPrintable(QString::number(r, 'g', 17)));
            QVERIFY2(r != last, "two successive draws were equal");
            last = r;
            distinct.insert(r);
        }
        // Not merely different from the one before: a reseed that restarted the same
        // sequence would alternate between two values.
        QVERIFY2(distinct.size() > draws * 99 / 100,
                 qPrintable(QStringLiteral("%1 distinct draws").arg(distinct.size())));
    }

    // The four directions come up about equally often from the game's own source, even when
    // the steps come faster than its clock ticks.
    void defaultSourceDrawsAllDirections_data()
    {
        QTest::addColumn<int>("clockStep"); // clock ticks per reseed; 0: the clock stands still
        QTest::newRow("clock ticks every step") << 1;
        QTest::newRow("clock ticks every seventh step") << 7;
        QTest::newRow("clock stands still") << 0;
    }
    void defaultSourceDrawsAllDirections()
    {
        QFETCH(int, clockStep);
        std::uint64_t reseeds = 0;
        core::ClockSeededRandom random([&] {
            return clockStep == 0 ? std::uint64_t{42} : reseeds++ / std::uint64_t(clockStep);
        });
        std::array<int, 6> seen{};
        const int draws = 20000;
        for (int i = 0; i < draws; ++i) {
            const int d = core::RandomNumber(0, 5, random);
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
    }

    // Each named move brings in the neighbour on its own side of the blank.
    void namedMoves_data()
    {
        QTest::addColumn<int>("move");
        QTest::addColumn<QString>("after");
        const QString after[] = {
            QStringLiteral("1 _ 3 4 / 5 2 6 7 / 8 9 10 11"),
            QStringLiteral("1 2 3 4 / 5 9 6 7 / 8 _ 10 11"),
            QStringLiteral("1 2 3 4 / _ 5 6 7 / 8 9 10 11"),
            QStringLiteral("1 2 3 4 / 5 6 _ 7 / 8 9 10 11"),
            QStringLiteral("1 2 3 / 4 _ 6 / 7 5 8 / 9 10 11 / 12 13 14"),
            QStringLiteral("1 2 3 / 4 5 6 / 7 10 8 / 9 _ 11 / 12 13 14"),
            QStringLiteral("1 2 3 / 4 5 6 / _ 7 8 / 9 10 11 / 12 13 14"),
            QStringLiteral("1 2 3 / 4 5 6 / 7 8 _ / 9 10 11 / 12 13 14"),
        };
        for (int i = 0; i < 8; ++i)
            QTest::newRow(kMoves[static_cast<std::size_t>(i)].name) << i << after[i];
    }
    void namedMoves()
    {
        QFETCH(int, move);
        QFETCH(QString, after);
        const NamedMove &m = kMoves[static_cast<std::size_t>(move)];
        Board b = boardFromText(m.level == Level::Normal ? kNormalInside : kHardInside);
        QVERIFY(m.move(b));
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
        const int d = core::RandomNumber(0, 5, random);
        QCOMPARE(d, 5);
        QVERIFY(!core::shuffleMove(b, d));
        QCOMPARE(boardText(b), kNormalInside);
    }
};

QTEST_GUILESS_MAIN(TestShuffler)
#include "tst_shuffler.moc"
