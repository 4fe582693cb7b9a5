// One round driven from start to finish without a window: the sequencer's timeline, the
// shuffle, clicks, the two clocks (in whole seconds of a clock text the test moves by hand),
// the stop question, the restart and the end of the game.
#include "session/round.h"
#include "tests/core/board_text.h"

#include <QTest>

#include <deque>

using session::Changes;
using session::Round;
using session::Status;

namespace
{

// r values for RandomNumber(0, 5): each picks one direction of the blank's walk.
constexpr double kUp = 0.9;   // 1
constexpr double kDown = 0.6; // 2
constexpr double kLeftOnNormal = 0.4;

// The given r values in turn, then 0: direction 5, a step that moves nothing.
class Draws final : public core::RandomSource
{
public:
    Draws(std::initializer_list<double> values = {}) : values(values) {}
    double draw() override
    {
        ++drawn;
        if (values.empty())
            return 0.0;
        const double r = values.front();
        values.pop_front();
        return r;
    }
    std::deque<double> values;
    int drawn = 0;
};

// The steps a sequencer tick makes up move nothing.
Draws still;

// A time-of-day text that moves on a second at a time.
class Clock
{
public:
    std::string now() const { return "second " + std::to_string(m_second); }
    void advance(int seconds = 1) { m_second += seconds; }

private:
    long m_second = 0;
};

// Ticks the sequencer `ticks` times, failing when it is not running (a tick of a stopped
// timer would be a test fault, not a game fault).
bool tickSequencer(Round &round, int ticks)
{
    for (int i = 0; i < ticks; ++i) {
        if (round.timers().sequencer == 0)
            return false;
        round.sequencerTick(still);
    }
    return true;
}

void shuffle(Round &round, std::initializer_list<double> draws)
{
    Draws random(draws);
    for (std::size_t i = 0; i < draws.size(); ++i)
        round.shuffleStep(random);
}

// A new round of picture 1 (Normal) up to "Done", with the given walk of the blank.
Round playing(std::initializer_list<double> walk = {}, int picture = 1)
{
    Round round(picture);
    round.start();
    tickSequencer(round, 1);
    shuffle(round, walk);
    tickSequencer(round, 14);
    return round;
}

QString text(const core::Board &board)
{
    return testing::boardText(board);
}

} // namespace

class TestRound : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // A new round: nothing before the first tick (1 s), the shuffle from tick 1 to 14, and
    // at 15 "Done", the tiles taking clicks, the game clock started and the sequencer off.
    void newRoundTimeline_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("afterOneStepUp");
        QTest::newRow("picture 1, Normal") << 1 << QStringLiteral("1 2 3 4 / 5 6 7 _ / 9 10 11 8");
        QTest::newRow("picture 28, Hard")
            << 28 << QStringLiteral("1 2 3 / 4 5 6 / 7 8 9 / 10 11 _ / 13 14 12");
    }
    void newRoundTimeline()
    {
        QFETCH(int, picture);
        QFETCH(QString, afterOneStepUp);
        Round round(picture);
        QCOMPARE(round.timers(), (session::TimerIntervals{0, 0, 0, 200}));
        QVERIFY(round.start().has(Changes::Timers));
        QCOMPARE(round.timers().sequencer, 1000);
        QCOMPARE(round.timers().shuffle, 0);
        QVERIFY(core::isSolved(round.board()));

        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.timers().shuffle, 1);
        Draws up{kUp};
        const Changes step = round.shuffleStep(up);
        QVERIFY(step.has(Changes::Board) && step.has(Changes::Status));
        QCOMPARE(round.status(), Status::Disordering);
        QCOMPARE(round.lastDirection(), 1);
        QCOMPARE(text(round.board()), afterOneStepUp);
        QCOMPARE(round.clicks(), 0);

        for (int tick = 2; tick <= 13; ++tick) {
            QVERIFY(tickSequencer(round, 1));
            QVERIFY2(round.timers().shuffle == 1, qPrintable(QString::number(tick)));
            QVERIFY(!round.tilesEnabled());
            QCOMPARE(round.timers().gameClock, 0);
        }
        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.timers().shuffle, 0);
        QCOMPARE(round.status(), Status::Disordering);
        QVERIFY(!round.tilesEnabled());

        const Changes open = round.sequencerTick(still);
        QVERIFY(open.has(Changes::Tiles) && open.has(Changes::Status));
        QCOMPARE(round.status(), Status::Done);
        QVERIFY(round.tilesEnabled());
        QCOMPARE(round.timers(), (session::TimerIntervals{0, 0, 1, 200}));
        QCOMPARE(round.sequencerCount(), 0);
        QCOMPARE(round.playTimeText(), std::string("0"));
    }

    // A step while the shuffle does not run, a click before play opens: nothing happens.
    void nothingBeforeItsTime()
    {
        Round round(1);
        round.start();
        Draws up{kUp};
        QVERIFY(round.shuffleStep(up).none());
        QCOMPARE(up.values.size(), std::size_t(1)); // not even a draw
        QVERIFY(tickSequencer(round, 1));
        shuffle(round, {kUp});
        QVERIFY(round.clickTile(8).none());
        QCOMPARE(round.clicks(), 0);
        QVERIFY(round.slide(core::Slide::Down).none());
    }

    // In play a click next to the blank slides and counts; one that moves nothing counts not.
    void clicksCountSlidesOnly()
    {
        Round round = playing({kUp, kUp});  // blank from (4,3) to (4,1)
        QVERIFY(round.clickTile(7).none()); // diagonal
        QVERIFY(round.clickTile(6).none()); // two cells away
        const Changes c = round.clickTile(3);
        QVERIFY(c.has(Changes::Board) && c.has(Changes::Clicks));
        QCOMPARE(round.clicks(), 1);
        QCOMPARE(text(round.board()), QStringLiteral("1 2 _ 3 / 5 6 7 4 / 9 10 11 8"));
        // The keyboard: Up slides the tile below the blank.
        QVERIFY(round.slide(core::Slide::Up).has(Changes::Clicks));
        QCOMPARE(round.clicks(), 2);
        QCOMPARE(text(round.board()), QStringLiteral("1 2 7 3 / 5 6 _ 4 / 9 10 11 8"));
        QVERIFY(round.slide(core::Slide::Left).has(Changes::Clicks)); // tile 4 from the right
        QVERIFY(round.slide(core::Slide::Left).none());               // the edge
        QCOMPARE(round.clicks(), 3);
        QVERIFY(!round.finished());
    }

    // The slide that completes the picture finishes the round: the result holds the level,
    // the seconds and every click including the last; nothing ticks or counts any more.
    void winningSlideFinishes()
    {
        Clock clock;
        Round round = playing({kUp}, 28);
        for (int s = 0; s < 3; ++s) {
            round.pollGameClock(clock.now());
            clock.advance();
        }
        QVERIFY(round.clickTile(11).has(Changes::Clicks));
        QVERIFY(!round.finished());
        QVERIFY(round.clickTile(11).has(Changes::Clicks)); // back
        const Changes last = round.clickTile(12);
        QVERIFY(last.has(Changes::Finished));
        QVERIFY(round.finished());
        QCOMPARE(round.result(), (session::GameResult{core::Level::Hard, 3, 3}));
        QCOMPARE(round.timers(), (session::TimerIntervals{0, 0, 0, 0}));
        QVERIFY(round.pollGameClock("later").none());
        QVERIFY(round.clickTile(12).none());
        QCOMPARE(round.clicks(), 3);
    }

    // A shuffle that walked home ends nothing by itself; the first click, even one that
    // moves nothing, finds the picture complete, with the clicks untouched.
    void solvedByTheShuffleWinsOnAnyClick()
    {
        Round round = playing({kUp, kDown});
        QVERIFY(core::isSolved(round.board()));
        QVERIFY(!round.finished());
        QVERIFY(round.clickTile(1).has(Changes::Finished));
        QCOMPARE(round.clicks(), 0);
    }

    // Completing the picture during a restart's shuffle stops the shuffle and the sequencer:
    // the board under the completion dialog stays the finished picture, and the result has
    // the real time since the restart, although the player's clock still showed "0".
    void winDuringRestartShuffleStopsTheShuffle()
    {
        Clock clock;
        Round round = playing({kUp});
        round.pollGameClock(clock.now());
        round.restart();
        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.timers().shuffle, 1);
        for (int s = 0; s < 4; ++s) {
            clock.advance();
            QVERIFY(round.pollGameClock(clock.now()).none()); // nothing the player sees
        }
        QCOMPARE(round.playTimeText(), std::string("0"));
        QVERIFY(round.clickTile(8).has(Changes::Finished));
        QCOMPARE(round.result(), (session::GameResult{core::Level::Normal, 4, 1}));
        QCOMPARE(round.timers(), (session::TimerIntervals{0, 0, 0, 0}));
        Draws up{kUp};
        QVERIFY(round.shuffleStep(up).none());
        QVERIFY(round.sequencerTick(still).none());
        QVERIFY(core::isSolved(round.board()));
    }

    // Restart in play: time and clicks back to nothing at once, the clock stopped, and a
    // new sequence at 500 ms shuffles the board as it is, taking clicks between its steps.
    void restartDuringPlay()
    {
        Clock clock;
        Round round = playing({kUp, kUp});
        round.pollGameClock(clock.now());
        clock.advance();
        round.pollGameClock(clock.now());
        QCOMPARE(round.playTimeText(), std::string("00:02"));
        round.clickTile(3);
        const core::Board before = round.board();

        const Changes c = round.restart();
        QVERIFY(c.has(Changes::Clicks) && c.has(Changes::PlayTime) && c.has(Changes::Timers));
        QCOMPARE(round.playTimeText(), std::string("0"));
        QCOMPARE(round.clicks(), 0);
        QCOMPARE(round.playSeconds(), 0);
        QCOMPARE(round.timers().sequencer, 500);
        QCOMPARE(round.board(), before);
        QVERIFY(round.tilesEnabled());
        QCOMPARE(round.status(), Status::Done);

        QVERIFY(tickSequencer(round, 1));
        shuffle(round, {kDown});
        QVERIFY(round.clickTile(7).has(Changes::Clicks));
        QCOMPARE(round.clicks(), 1);
        for (int s = 0; s < 5; ++s) { // counted out of sight, for a win before play opens
            clock.advance();
            round.pollGameClock(clock.now());
        }
        QCOMPARE(round.playTimeText(), std::string("0"));
        QVERIFY(tickSequencer(round, 13));
        QCOMPARE(round.timers().shuffle, 0);
        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.status(), Status::Done);
        QCOMPARE(round.timers().gameClock, 1);
        QCOMPARE(round.timers().sequencer, 0);
        round.pollGameClock(clock.now()); // play opens: the first poll counts at once
        QCOMPARE(round.playTimeText(), std::string("00:01"));
        clock.advance();
        round.pollGameClock(clock.now());
        QCOMPARE(round.playTimeText(), std::string("00:02"));
    }

    // Restart during a shuffle only changes the pace: the count goes on from where it was.
    void restartDuringShuffle()
    {
        Round round(1);
        round.start();
        QVERIFY(tickSequencer(round, 5));
        round.restart();
        QCOMPARE(round.timers().sequencer, 500);
        QCOMPARE(round.sequencerCount(), 5);
        QCOMPARE(round.timers().shuffle, 1);
        QVERIFY(tickSequencer(round, 8));
        QCOMPARE(round.timers().shuffle, 1);
        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.timers().shuffle, 0);
        QVERIFY(tickSequencer(round, 1));
        QCOMPARE(round.status(), Status::Done);
        QVERIFY(round.tilesEnabled());
    }

    // Any number of polls within one second counts that second once; the first poll counts
    // at once; a late poll sees only one change.
    void gameClockCountsChangesOnly()
    {
        Clock clock;
        Round round = playing();
        QCOMPARE(round.playTimeText(), std::string("0"));
        for (int i = 0; i < 10; ++i)
            round.pollGameClock(clock.now());
        QCOMPARE(round.playSeconds(), 1);
        QCOMPARE(round.playTimeText(), std::string("00:01"));
        clock.advance();
        for (int i = 0; i < 10; ++i)
            round.pollGameClock(clock.now());
        QCOMPARE(round.playSeconds(), 2);
        clock.advance(5);
        QVERIFY(round.pollGameClock(clock.now()).has(Changes::PlayTime));
        QCOMPARE(round.playTimeText(), std::string("00:03"));
    }

    // The time of play as minutes and seconds, held at ten hours.
    void gameClockShows_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a minute") << 60 << "01:00";
        QTest::newRow("a minute and one") << 61 << "01:01";
        QTest::newRow("a hundred minutes") << 6000 << "100:00";
        QTest::newRow("reaching the cap") << 36000 << "600:00";
        QTest::newRow("an hour past the cap") << 39600 << "600:00";
    }
    void gameClockShows()
    {
        QFETCH(int, seconds);
        QFETCH(QString, shown);
        Clock clock;
        Round round = playing();
        for (int s = 0; s < seconds; ++s) {
            round.pollGameClock(clock.now());
            clock.advance();
        }
        QCOMPARE(round.playSeconds(), std::min(seconds, Round::kMaxPlaySeconds));
        QCOMPARE(QString::fromStdString(round.playTimeText()), shown);
    }

    // The game music starts again exactly once, 409 seconds after the window was loaded.
    void musicRestartsOnceAt409()
    {
        Clock clock;
        Round round(1);
        int restarts = 0;
        int restartedAt = 0;
        for (int s = 1; s <= 909; ++s) {
            if (round.pollMusicClock(clock.now()).has(Changes::RestartMusic)) {
                ++restarts;
                restartedAt = s;
            }
            clock.advance();
        }
        QCOMPARE(restarts, 1);
        QCOMPARE(restartedAt, 409);
        QCOMPARE(round.musicSeconds(), 909);
        QCOMPARE(round.musicRestarts(), 1);
    }

    // The stop question pauses both clocks and starts the music's seconds again; Cancel
    // lets both go on (the game clock even before play opens), so the next restart of the
    // music comes 409 seconds after the question, and the paused time is not counted.
    void stopQuestionPausesTheClocks()
    {
        Clock clock;
        Round round(1);
        round.start();
        QVERIFY(tickSequencer(round, 3));
        for (int s = 0; s < 100; ++s) {
            round.pollMusicClock(clock.now());
            clock.advance();
        }
        round.pauseForStopQuestion();
        QCOMPARE(round.timers().gameClock, 0);
        QCOMPARE(round.timers().musicClock, 0);
        QCOMPARE(round.musicSeconds(), 0);
        clock.advance(30);
        QVERIFY(round.pollGameClock(clock.now()).none());
        QVERIFY(round.pollMusicClock(clock.now()).none());

        round.resumeAfterStopQuestion();
        QCOMPARE(round.timers().gameClock, 1);
        QCOMPARE(round.timers().musicClock, 1);
        QCOMPARE(round.timers().shuffle, 1);
        QCOMPARE(round.timers().sequencer, 1000);
        for (int i = 0; i < 3; ++i)
            round.pollGameClock(clock.now());
        QCOMPARE(round.playTimeText(), std::string("00:01"));
        QVERIFY(tickSequencer(round, 12));
        QCOMPARE(round.status(), Status::Done);
        QCOMPARE(round.timers().gameClock, 1);

        int restartedAt = 0;
        for (int s = 1; s <= 409; ++s) {
            if (round.pollMusicClock(clock.now()).has(Changes::RestartMusic))
                restartedAt = s;
            clock.advance();
        }
        QCOMPARE(restartedAt, 409);
    }

    // The status line names what a button does; the background puts "Done" back, except
    // over the shuffle's own text.
    void hoverTexts_data()
    {
        QTest::addColumn<int>("target");
        QTest::addColumn<int>("status");
        QTest::newRow("restart") << int(session::Hover::Restart) << int(Status::RestartHint);
        QTest::newRow("stop") << int(session::Hover::Stop) << int(Status::StopHint);
        QTest::newRow("back") << int(session::Hover::Back) << int(Status::BackHint);
        QTest::newRow("banner") << int(session::Hover::Banner) << int(Status::BannerHint);
    }
    void hoverTexts()
    {
        QFETCH(int, target);
        QFETCH(int, status);
        Round round(1);
        round.hover(static_cast<session::Hover>(target));
        QCOMPARE(int(round.status()), status);
        QVERIFY(round.hover(session::Hover::Background).has(Changes::Status));
        QCOMPARE(round.status(), Status::Done);

        round.start();
        QVERIFY(tickSequencer(round, 1));
        shuffle(round, {kUp});
        QVERIFY(round.hover(session::Hover::Background).none());
        QCOMPARE(round.status(), Status::Disordering);
        round.hover(static_cast<session::Hover>(target));
        QCOMPARE(int(round.status()), status);
        shuffle(round, {kDown}); // every step writes its text again
        QCOMPARE(round.status(), Status::Disordering);
        // After the last step, before "Done" is due, leaving a button shows "Done" already.
        QVERIFY(tickSequencer(round, 13));
        round.hover(static_cast<session::Hover>(target));
        round.hover(session::Hover::Background);
        QCOMPARE(round.status(), Status::Done);
    }

    // One seed, one shuffle: two rounds given engines of the same seed end their shuffles on
    // the same board, however many steps their timers manage between two sequencer ticks
    // (a busy machine, a quiet one); another seed gives another walk.
    void seedReplaysTheShuffle()
    {
        const auto shuffled = [](std::uint64_t seed, int stepsPerTick) {
            core::SeededRandom random(seed);
            Round round(28);
            round.start();
            while (round.timers().sequencer != 0) {
                round.sequencerTick(random);
                for (int i = 0; i < stepsPerTick; ++i)
                    round.shuffleStep(random);
            }
            return text(round.board());
        };
        const QString first = shuffled(4242, 40);
        QCOMPARE(shuffled(4242, 40), first);
        QCOMPARE(shuffled(4242, 3), first);
        QCOMPARE(shuffled(4242, 500), first);
        QVERIFY(first != text(core::Board(core::Level::Hard)));
        QVERIFY(shuffled(4243, 40) != first);
    }

    // Each second of a new game's shuffle has 64 steps, each half second of a restart's 32:
    // a timer that ticks more often waits, one that ticks less often is made up for.
    void stepsPerInterval_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::addColumn<int>("timerTicks");
        QTest::addColumn<int>("steps");
        QTest::newRow("new game, timer keeping pace") << false << 64 << 13 * 64;
        QTest::newRow("new game, timer too fast") << false << 200 << 13 * 64;
        QTest::newRow("new game, timer too slow") << false << 5 << 13 * 64;
        QTest::newRow("restart, timer keeping pace") << true << 32 << 13 * 32;
        QTest::newRow("restart, timer too slow") << true << 1 << 13 * 32;
    }
    void stepsPerInterval()
    {
        QFETCH(bool, restart);
        QFETCH(int, timerTicks);
        QFETCH(int, steps);
        Draws draws;
        Round round = playing();
        if (!restart) {
            round = Round(1);
            round.start();
        } else {
            round.restart();
        }
        while (round.timers().sequencer != 0) {
            round.sequencerTick(draws);
            for (int i = 0; i < timerTicks; ++i)
                round.shuffleStep(draws);
        }
        QCOMPARE(draws.drawn, steps);
    }
};

QTEST_GUILESS_MAIN(TestRound)
#include "tst_round.moc"
