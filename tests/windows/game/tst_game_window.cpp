// The game window as the player meets it: its elements where the design puts them, the
// round's timeline seen through its timers and tiles, clicks on the elements, the buttons,
// the clocks' captions, the music it restarts, the banner, and what it tells the flow.
#include "tests/core/board_text.h"
#include "tests/support/doubles.h"
#include "windows/game/board_geometry.h"
#include "windows/game/game_window.h"

#include "platform/elements.h"
#include "platform/web_link.h"
#include "resources/resources.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

using platform::Picture;
using platform::Timer;
using windows::GameWindow;

namespace
{

const QString kDisordering = QStringLiteral("Disordering... Please wait");

// Counts the mouse moves an element really receives, so a hover test cannot pass by
// sending its events to an element that ignores them.
class MoveCounter : public QObject
{
public:
    int moves = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::MouseMove)
            ++moves;
        return false;
    }
};

void moveOver(QWidget *w)
{
    const QPointF at = QPointF(w->rect().center());
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

template <class T> T *element(QWidget *window, const QString &name)
{
    T *e = window->findChild<T *>(name);
    if (!e)
        qWarning("no element %s", qPrintable(name));
    return e;
}

QString caption(QWidget *window, const QString &name)
{
    return element<platform::Label>(window, name)->caption();
}

windows::TwipsPoint at(const Picture *p)
{
    return {p->left(), p->top()};
}

} // namespace

class TestGameWindow : public QObject
{
    Q_OBJECT

    testing::FakeClock m_clock;
    testing::ScriptedRandom m_random;
    testing::RecordingMusic m_music;
    testing::FakeDesktop m_desktop;
    testing::HeldSolver m_solver;
    QPointer<GameWindow> m_window;

    GameWindow *newGame(int picture = 1)
    {
        m_window = new GameWindow(picture, windows::GamePictures{},
                                  {m_clock, m_random, m_music, m_desktop, m_solver});
        m_window->start();
        return m_window;
    }

    Timer *timer(const char *name) { return element<Timer>(m_window, QLatin1String(name)); }
    Picture *tile(const QString &name) { return element<Picture>(m_window, name); }

    // Ticks of a stopped timer would be a test fault, not a game fault.
    bool fire(const char *name, int ticks = 1)
    {
        for (int i = 0; i < ticks; ++i) {
            if (!timer(name)->isRunning())
                return false;
            timer(name)->fire();
        }
        return true;
    }

    void shuffleSteps(std::initializer_list<double> draws)
    {
        for (double r : draws) {
            m_random.values.push_back(r);
            QVERIFY(fire("Timer1"));
        }
    }

    // Play opens with the given walk of the blank done during the shuffle.
    void openPlay(std::initializer_list<double> draws = {})
    {
        QVERIFY(fire("Timer2"));
        shuffleSteps(draws);
        QVERIFY(fire("Timer2", 14));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));
    }

    // The music clock sees a new second at every poll.
    void musicSeconds(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            m_clock.advance();
            QVERIFY(fire("TmHour"));
        }
    }

private Q_SLOTS:
    void init()
    {
        m_random.values.clear();
        m_music.calls.clear();
        m_desktop = testing::FakeDesktop();
    }
    void cleanup()
    {
        delete m_window;
        testing::closeAllWindows();
    }

    // Every element stands where the design puts it, at its design size.
    void elementsAtDesignPlaces_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        QTest::newRow("background") << 1 << "Image1" << QRectF(0, -120, 10320, 7245);
        QTest::newRow("status line") << 1 << "Label1" << QRectF(0, 6780, 5775, 315);
        QTest::newRow("time caption") << 1 << "Label2" << QRectF(8160, 4680, 855, 255);
        QTest::newRow("time") << 1 << "LbCount" << QRectF(9120, 4725, 855, 255);
        QTest::newRow("clicks caption") << 1 << "Label4" << QRectF(8160, 5040, 855, 255);
        QTest::newRow("clicks") << 1 << "LbClicks" << QRectF(9135, 5100, 855, 255);
        QTest::newRow("stop") << 1 << "Image3" << QRectF(7080, 4680, 480, 480);
        QTest::newRow("back") << 1 << "Image4" << QRectF(6600, 5280, 480, 480);
        QTest::newRow("restart") << 1 << "Image2" << QRectF(6600, 5880, 480, 480);
        QTest::newRow("hint") << 1 << "ImHint" << QRectF(7080, 5280, 480, 480);
        QTest::newRow("banner") << 1 << "ImgBanner" << QRectF(8070, 5820, 1530, 555);
        QTest::newRow("Normal preview") << 1 << "ImEPrev" << QRectF(6360, 840, 3660, 2700);
        QTest::newRow("Hard preview") << 28 << "ImGPrev" << QRectF(6720, 480, 2820, 3780);
        QTest::newRow("ImE1") << 1 << "ImE1" << QRectF(360, 960, 1455, 1455);
        QTest::newRow("ImE8") << 1 << "ImE8" << QRectF(4680, 2400, 1455, 1455);
        QTest::newRow("ImE11") << 1 << "ImE11" << QRectF(3240, 3840, 1455, 1455);
        QTest::newRow("ImENo") << 1 << "ImENo" << QRectF(4680, 3840, 1455, 1455);
        QTest::newRow("ImG1") << 28 << "ImG1" << QRectF(600, 480, 1545, 1215);
        QTest::newRow("ImG5") << 28 << "ImG5" << QRectF(2130, 1680, 1545, 1215);
        QTest::newRow("ImG14") << 28 << "ImG14" << QRectF(2130, 5280, 1545, 1215);
        QTest::newRow("ImGNo") << 28 << "ImGNo" << QRectF(3660, 5280, 1545, 1215);
    }
    void elementsAtDesignPlaces()
    {
        QFETCH(int, picture);
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        GameWindow window(picture, {}, {m_clock, m_random, m_music, m_desktop, m_solver});
        auto *w = window.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name + " is missing"));
        float l = 0, t = 0, wd = 0, h = 0;
        if (auto *p = qobject_cast<Picture *>(w)) {
            l = p->left(), t = p->top(), wd = p->twipsWidth(), h = p->twipsHeight();
        } else if (auto *lb = qobject_cast<platform::Label *>(w)) {
            l = lb->left(), t = lb->top(), wd = lb->twipsWidth(), h = lb->twipsHeight();
        }
        QCOMPARE(QRectF(l, t, wd, h), twips);
        QCOMPARE(w->geometry(), platform::twipsRect(l, t, wd, h));
    }

    // A new window: its caption and client size, the solved and disabled board of its own
    // level only, and the counters and timers at their design values.
    void designState_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("tiles");
        QTest::addColumn<QString>("absent");
        QTest::newRow("Normal") << 1 << "ImE"
                                << "ImG";
        QTest::newRow("Hard") << 28 << "ImG"
                              << "ImE";
    }
    void designState()
    {
        QFETCH(int, picture);
        QFETCH(QString, tiles);
        QFETCH(QString, absent);
        GameWindow window(picture, {}, {m_clock, m_random, m_music, m_desktop, m_solver});
        QCOMPARE(window.windowTitle(), QStringLiteral("Zantho Games - Puzzle +1"));
        QCOMPARE(window.size(), QSize(685, 471));
        QVERIFY(window.testAttribute(Qt::WA_DeleteOnClose));
        const int count = picture == 1 ? 12 : 15;
        int found = 0;
        for (Picture *p : window.findChildren<Picture *>()) {
            QVERIFY2(!p->objectName().startsWith(absent), qPrintable(p->objectName()));
            if (p->objectName().startsWith(tiles) && !p->objectName().endsWith(u"Prev")) {
                ++found;
                QVERIFY2(!p->isEnabled(), qPrintable(p->objectName() + " takes clicks"));
            }
        }
        QCOMPARE(found, count);
        QVERIFY(core::isSolved(window.round().board()));
        QCOMPARE(caption(&window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        QCOMPARE(caption(&window, QStringLiteral("LbCount")), QStringLiteral("0"));
        QCOMPARE(caption(&window, QStringLiteral("Label1")), QStringLiteral("Done"));
        const QList<std::pair<const char *, int>> intervals{
            {"Timer1", 0}, {"Timer2", 0}, {"TimSmus", 0}, {"TmHour", 200}, {"TmrBanner", 500}};
        for (const auto &[name, interval] : intervals)
            QCOMPARE(element<Timer>(&window, QLatin1String(name))->interval(), interval);
        auto *clicks = element<platform::Label>(&window, QStringLiteral("LbClicks"));
        QCOMPARE(clicks->font().bold(), true);
        QCOMPARE(clicks->font().pointSizeF(), 9.75);
        QCOMPARE(clicks->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(element<QLabel>(&window, QStringLiteral("Label2"))->alignment() &
                     Qt::AlignHorizontal_Mask,
                 Qt::AlignRight);
        QVERIFY(!element<QLabel>(&window, QStringLiteral("Label1"))->autoFillBackground());
    }

    // The round's timeline through the window's timers: the sequencer at 1 s, the steps from
    // tick 1 to 14, and at 15 "Done", the tiles enabled and the game clock started.
    void newRoundTimeline_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("prefix");
        QTest::newRow("Normal") << 1 << "ImE";
        QTest::newRow("Hard") << 28 << "ImG";
    }
    void newRoundTimeline()
    {
        QFETCH(int, picture);
        QFETCH(QString, prefix);
        newGame(picture);
        QCOMPARE(timer("Timer2")->interval(), 1000);
        QCOMPARE(timer("Timer1")->interval(), 0);
        QVERIFY(fire("Timer2"));
        QCOMPARE(timer("Timer1")->interval(), 1);
        Picture *blank = tile(prefix + QStringLiteral("No"));
        const windows::TwipsPoint blankHome = at(blank);
        shuffleSteps({testing::kUp});
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), kDisordering);
        const float pitch = picture == 1 ? 1440 : 1200;
        QCOMPARE(at(blank), (windows::TwipsPoint{blankHome.left, blankHome.top - pitch}));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));

        QVERIFY(fire("Timer2", 12));
        QVERIFY(timer("Timer1")->isRunning());
        QVERIFY(!tile(prefix + QStringLiteral("1"))->isEnabled());
        QVERIFY(!timer("TimSmus")->isRunning());
        QVERIFY(fire("Timer2"));
        QCOMPARE(timer("Timer1")->interval(), 0);
        QVERIFY(fire("Timer2"));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));
        for (Picture *p : m_window->findChildren<Picture *>()) {
            if (p->objectName().startsWith(prefix) && !p->objectName().endsWith(u"Prev"))
                QVERIFY2(p->isEnabled(), qPrintable(p->objectName()));
        }
        QCOMPARE(timer("TimSmus")->interval(), 1);
        QCOMPARE(timer("Timer2")->interval(), 0);
    }

    // Each step moves the blank's element and the element that takes its place, and no other.
    void shuffleStepMovesTwoElements_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("moved"); // the tile that took the blank's cell; "" for none
        QTest::newRow("Normal up") << 1 << testing::kUp << "ImE8";
        QTest::newRow("Normal down at the edge") << 1 << testing::kDown << "";
        QTest::newRow("Normal left") << 1 << testing::kThree << "ImE11";
        QTest::newRow("Normal r = 0") << 1 << 0.0 << "";
        QTest::newRow("Hard up") << 28 << testing::kUp << "ImG12";
        QTest::newRow("Hard three is right: edge") << 28 << testing::kThree << "";
        QTest::newRow("Hard four is left") << 28 << testing::kFour << "ImG14";
    }
    void shuffleStepMovesTwoElements()
    {
        QFETCH(int, picture);
        QFETCH(double, r);
        QFETCH(QString, moved);
        newGame(picture);
        QVERIFY(fire("Timer2"));
        QMap<QString, windows::TwipsPoint> before;
        for (Picture *p : m_window->findChildren<Picture *>())
            before[p->objectName()] = at(p);
        shuffleSteps({r});
        const QString blank = picture == 1 ? QStringLiteral("ImENo") : QStringLiteral("ImGNo");
        for (Picture *p : m_window->findChildren<Picture *>()) {
            const QString name = p->objectName();
            if (!moved.isEmpty() && name == blank)
                QCOMPARE(at(p), before[moved]);
            else if (!moved.isEmpty() && name == moved)
                QCOMPARE(at(p), before[blank]);
            else
                QVERIFY2(at(p) == before[name], qPrintable(name + " moved"));
        }
    }

    // Clicks on the elements: the element moves with the board and counts one; a tile away
    // from the blank, or the blank itself, changes nothing.
    void clicksMoveNeighboursOnly()
    {
        newGame(1);
        openPlay({testing::kUp, testing::kUp}); // blank from (4,3) to (4,1)
        QTest::mouseClick(tile(QStringLiteral("ImE7")), Qt::LeftButton); // diagonal
        QTest::mouseClick(tile(QStringLiteral("ImENo")), Qt::LeftButton);
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        QCOMPARE(at(tile(QStringLiteral("ImENo"))), (windows::TwipsPoint{4680, 960}));

        QTest::mouseClick(tile(QStringLiteral("ImE3")), Qt::LeftButton);
        QCOMPARE(at(tile(QStringLiteral("ImE3"))), (windows::TwipsPoint{4680, 960}));
        QCOMPARE(at(tile(QStringLiteral("ImENo"))), (windows::TwipsPoint{3240, 960}));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("1"));
        QTest::mouseClick(tile(QStringLiteral("ImE6")), Qt::LeftButton); // two cells away
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("1"));
        QTest::mouseClick(tile(QStringLiteral("ImE7")), Qt::LeftButton); // now below the blank
        QCOMPARE(at(tile(QStringLiteral("ImE7"))), (windows::TwipsPoint{3240, 960}));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("2"));
        const core::Board &board = m_window->round().board();
        for (int k = 1; k <= 11; ++k)
            QCOMPARE(at(tile(testing::tileName(core::Level::Normal, k))),
                     windows::cellTwips(core::Level::Normal, board.cellOf(k)));
    }

    // The keyboard plays as the mouse does: an arrow slides the tile beside the blank that
    // way (Up: the tile below the blank moves up), counted as a click, nothing at the edge
    // and nothing before play opens; the last slide completes the picture.
    void keyboardPlay()
    {
        newGame(1);
        QVERIFY(fire("Timer2"));
        shuffleSteps({testing::kUp, testing::kUp}); // blank from (4,3) to (4,1)
        QTest::keyClick(m_window, Qt::Key_Up);
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        QVERIFY(fire("Timer2", 14));
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        QTest::keyClick(m_window, Qt::Key_Down); // nothing above the top row
        QTest::keyClick(m_window, Qt::Key_Left); // nothing right of the last column
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        QTest::keyClick(m_window, Qt::Key_Right); // ImE3 from the left
        QCOMPARE(at(tile(QStringLiteral("ImE3"))), (windows::TwipsPoint{4680, 960}));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("1"));
        QTest::keyClick(m_window, Qt::Key_Left); // and back
        QTest::keyClick(m_window, Qt::Key_Up);   // ImE4 up
        QCOMPARE(finished.count(), 0);
        QTest::keyClick(m_window, Qt::Key_Up); // ImE8 up: the picture is whole
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("4"));
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().value<session::GameResult>().clicks, 4);
    }

    // A screen reader hears each tile by the piece it carries and where it stands, follows it
    // when it moves, hears the counters with their values, and can press a tile.
    void readerFollowsTheTiles()
    {
        newGame(1);
        openPlay({testing::kUp}); // ImE8 now below the blank
        const auto named = [](QWidget *w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QAccessibleInterface *eight =
            QAccessible::queryAccessibleInterface(tile(QStringLiteral("ImE8")));
        QCOMPARE(int(eight->role()), int(QAccessible::Button));
        QCOMPARE(named(tile(QStringLiteral("ImE8"))),
                 QStringLiteral("Piece 8 of 12, row 3, column 4"));
        QCOMPARE(named(tile(QStringLiteral("ImENo"))),
                 QStringLiteral("Piece 12 of 12 (the blank tile), row 2, column 4"));
        QCOMPARE(named(element<QWidget>(m_window, QStringLiteral("LbClicks"))),
                 QStringLiteral("Clicks: 0"));
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        eight->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(named(tile(QStringLiteral("ImE8"))),
                 QStringLiteral("Piece 8 of 12, row 2, column 4"));
        QCOMPARE(named(element<QWidget>(m_window, QStringLiteral("LbClicks"))),
                 QStringLiteral("Clicks: 1"));
        QCOMPARE(QAccessible::queryAccessibleInterface(
                     element<QWidget>(m_window, QStringLiteral("Image2")))
                     ->text(QAccessible::Description),
                 QStringLiteral("Press here to restart the game..."));
    }

    // When play opens (not before) the board goes to the solver. H and the hint button slide
    // a shortest solution's tiles as clicks, the button busy (to a reader too) while the
    // solver works; off the path the hint is worked out from where the player stands (a move
    // meanwhile takes it back), and hints alone then finish in the fewest clicks from there.
    void hintSlidesAShortestSolution()
    {
        newGame(1);
        QVERIFY(fire("Timer2"));
        shuffleSteps(
            {testing::kUp, testing::kUp, testing::kThree, testing::kThree, testing::kDown});
        QVERIFY(fire("Timer2", 13));
        QTest::keyClick(m_window, Qt::Key_H);
        QCOMPARE(m_solver.underWay(), 0);
        QVERIFY(fire("Timer2"));
        QCOMPARE(m_solver.underWay(), 1);
        auto *hint = element<Picture>(m_window, QStringLiteral("ImHint"));
        QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(hint);
        QTest::keyClick(m_window, Qt::Key_H);
        QVERIFY(hint->shows(resources::pixmap(resources::name::iconHintBusy)));
        QCOMPARE(reader->text(QAccessible::Description), u"Working out the next move...");
        QCOMPARE(m_solver.answer(), 1); // and the waiting hint slides tile 6
        QVERIFY(hint->shows(resources::pixmap(resources::name::iconHint)));
        QTest::mouseClick(hint, Qt::LeftButton);                         // 2
        QTest::mouseClick(tile(QStringLiteral("ImE7")), Qt::LeftButton); // off the path
        QTest::keyClick(m_window, Qt::Key_H);
        QTest::mouseClick(tile(QStringLiteral("ImE6")), Qt::LeftButton); // a move meanwhile
        QCOMPARE(m_solver.underWay(), 0);
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("4"));
        const int rest = core::solveShortest(m_window->round().board())->length();
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        QTest::keyClick(m_window, Qt::Key_H);
        QCOMPARE(m_solver.answer(), 1);
        for (int i = 1; i < rest; ++i)
            QTest::keyClick(m_window, Qt::Key_H);
        QCOMPARE(finished.count(), 1);
        const auto result = finished.first().first().value<session::GameResult>();
        QVERIFY(result.hintUsed);
        QCOMPARE(result.clicks, 4 + rest);
        QCOMPARE(result.shortestClicks, 5);
    }

    // The win waits a moment for the fewest clicks, and no longer; a game won during a
    // restart's shuffle has none, and the restart forgot the hint; no solve outlives a round.
    void winWaitsForTheFewestClicks_data()
    {
        QTest::addColumn<bool>("answered"); // during play
        QTest::addColumn<bool>("withinWait");
        QTest::addColumn<bool>("hintThenRestart");
        QTest::addColumn<int>("shortest"); // -1: none
        QTest::newRow("answered during play") << true << false << false << 2;
        QTest::newRow("answered within the wait") << false << true << false << 2;
        QTest::newRow("not answered by the win") << false << false << false << -1;
        QTest::newRow("won in a restart's shuffle after a hint") << true << false << true << -1;
    }
    void winWaitsForTheFewestClicks()
    {
        QFETCH(bool, answered);
        QFETCH(bool, withinWait);
        QFETCH(bool, hintThenRestart);
        QFETCH(int, shortest);
        newGame(1);
        openPlay({testing::kUp, testing::kUp});
        m_solver.answersWithinWait = withinWait;
        if (answered)
            QCOMPARE(m_solver.answer(), 1);
        if (hintThenRestart) {
            QTest::keyClick(m_window, Qt::Key_H);
            QTest::keyClick(m_window, Qt::Key_R, Qt::ControlModifier);
            QVERIFY(fire("Timer2"));
            QTest::keyClick(m_window, Qt::Key_H); // nothing while the tiles take clicks
        } else {
            QTest::mouseClick(tile(QStringLiteral("ImE4")), Qt::LeftButton);
        }
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        QTest::mouseClick(tile(QStringLiteral("ImE8")), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        const auto result = finished.first().first().value<session::GameResult>();
        QCOMPARE(result.shortestClicks.value_or(-1), shortest);
        QVERIFY(!result.hintUsed);
        QCOMPARE(m_solver.underWay(), 0);
    }

    // The buttons' keys: Escape asks the stop question, Ctrl+R restarts, Backspace goes back.
    void buttonKeys()
    {
        newGame(1);
        openPlay({testing::kUp, testing::kUp});
        QTest::keyClick(m_window, Qt::Key_Right);
        m_desktop.answerOk = false;
        QTest::keyClick(m_window, Qt::Key_Escape);
        QCOMPARE(m_desktop.questions.size(), 1);
        QTest::keyClick(m_window, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        QCOMPARE(timer("Timer2")->interval(), 500);
        QTest::keyClick(m_window, Qt::Key_R); // R alone is no key of the game
        QCOMPARE(timer("Timer2")->interval(), 500);
        QSignalSpy back(m_window.data(), &GameWindow::backRequested);
        QTest::keyClick(m_window, Qt::Key_Backspace);
        QCOMPARE(back.count(), 1);
    }

    // The move that completes the picture hands the result to whoever listens: time and
    // clicks as the window shows them, and every timer of the round stopped.
    void winningClickHandsOverTheResult()
    {
        newGame(1);
        openPlay({testing::kUp});
        m_clock.advance();
        QVERIFY(fire("TimSmus"));
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        QTest::mouseClick(tile(QStringLiteral("ImE8")), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        const auto result = finished.first().first().value<session::GameResult>();
        QCOMPARE(result, (session::GameResult{core::Level::Normal, 1, 1}));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("1"));
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("00:01"));
        for (const char *name : {"Timer1", "Timer2", "TimSmus", "TmHour"})
            QVERIFY2(!timer(name)->isRunning(), name);
    }

    // A click that moves nothing on a board the shuffle walked home still wins, with the
    // click counter untouched.
    void solvedByTheShuffleWinsOnAnyClick()
    {
        newGame(1);
        openPlay({testing::kUp, testing::kDown});
        QSignalSpy finished(m_window.data(), &GameWindow::finished);
        QTest::mouseClick(tile(QStringLiteral("ImE1")), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(finished.first().first().value<session::GameResult>().clicks, 0);
    }

    // Restart after play has opened: counters back to "0" at once, the clock shown stopped,
    // and a new 500 ms sequence that shuffles the current board and takes clicks meanwhile.
    void restartDuringPlay()
    {
        newGame(1);
        openPlay({testing::kUp, testing::kUp});
        QVERIFY(fire("TimSmus"));
        m_clock.advance();
        QVERIFY(fire("TimSmus"));
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("00:02"));
        QTest::mouseClick(tile(QStringLiteral("ImE3")), Qt::LeftButton);
        const core::Board before = m_window->round().board();

        QTest::mouseClick(element<Picture>(m_window, QStringLiteral("Image2")), Qt::LeftButton);
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("0"));
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("0"));
        m_clock.advance();
        QVERIFY(fire("TimSmus")); // counted out of sight, for a win before play opens
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("0"));
        QCOMPARE(timer("Timer2")->interval(), 500);
        QCOMPARE(m_window->round().board(), before);
        QVERIFY(tile(QStringLiteral("ImE1"))->isEnabled());
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));

        QVERIFY(fire("Timer2"));
        shuffleSteps({testing::kDown});
        QTest::mouseClick(tile(QStringLiteral("ImE7")), Qt::LeftButton);
        QCOMPARE(caption(m_window, QStringLiteral("LbClicks")), QStringLiteral("1"));
        QVERIFY(fire("Timer2", 14));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));
        QCOMPARE(timer("TimSmus")->interval(), 1);
        QVERIFY(fire("TimSmus"));
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("00:01"));
    }

    // The time caption counts changes of the clock's text, however often it polls.
    void gameClockCountsChangesOnly()
    {
        newGame(1);
        openPlay();
        QVERIFY(fire("TimSmus", 10)); // the first poll counts at once
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("00:01"));
        for (int s = 0; s < 60; ++s) {
            m_clock.advance();
            QVERIFY(fire("TimSmus", 3));
        }
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("01:01"));
        m_clock.advance(5); // a late poll still sees only one change
        QVERIFY(fire("TimSmus"));
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("01:02"));
    }

    // The game music starts again exactly once, 409 seconds after the window was loaded.
    void musicRestartsOnceAt409()
    {
        newGame(1);
        musicSeconds(408);
        QVERIFY(m_music.calls.isEmpty());
        musicSeconds(1);
        QCOMPARE(m_music.calls, (QStringList{"stop", "play"}));
        musicSeconds(500);
        QCOMPARE(m_music.calls, (QStringList{"stop", "play"}));
    }

    // Cancelling the stop question plays the music from its start at once and the music
    // clock counts from 0 with it, so the repeat comes 409 seconds later again.
    void musicAfterCancelledStop()
    {
        newGame(1);
        musicSeconds(100);
        m_desktop.answerOk = false;
        QTest::mouseClick(element<Picture>(m_window, QStringLiteral("Image3")), Qt::LeftButton);
        QCOMPARE(m_music.calls, (QStringList{"stop", "play"}));
        m_music.calls.clear();
        musicSeconds(408);
        QVERIFY(m_music.calls.isEmpty());
        musicSeconds(1);
        QCOMPARE(m_music.calls, (QStringList{"stop", "play"}));
    }

    // Stop answered Cancel during the shuffle: the round carries on, both clocks go on (the
    // game clock now before play opens), and the time the question stood open is not counted
    // beyond the one second of the first poll.
    void stopCancelledDuringShuffle()
    {
        newGame(1);
        QVERIFY(fire("Timer2", 3));
        QString title;
        bool running = true;
        m_desktop.ask = [&](QWidget *, const QString &, const QString &t) {
            title = t;
            running = timer("TimSmus")->isRunning() || timer("TmHour")->isRunning();
            m_clock.advance(30);
            return false;
        };
        QTest::mouseClick(element<Picture>(m_window, QStringLiteral("Image3")), Qt::LeftButton);
        QCOMPARE(m_desktop.questions,
                 QStringList{QStringLiteral("Are you sure you want to close the game?")});
        QCOMPARE(title, QStringLiteral("Zantho Puzzle +1"));
        QVERIFY2(!running, "the clocks ran while the question stood open");
        QCOMPARE(timer("TimSmus")->interval(), 1);
        QCOMPARE(timer("TmHour")->interval(), 1);
        QCOMPARE(timer("Timer1")->interval(), 1);
        QCOMPARE(timer("Timer2")->interval(), 1000);
        QVERIFY(fire("TimSmus", 3));
        QCOMPARE(caption(m_window, QStringLiteral("LbCount")), QStringLiteral("00:01"));
        QVERIFY(fire("Timer2", 12));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));
        QCOMPARE(timer("TimSmus")->interval(), 1);
    }

    // Stop answered OK: the music stops and the flow is told; the window stays until the
    // flow lets it go, and then nothing of it ticks any more.
    void stopConfirmed()
    {
        newGame(1);
        openPlay();
        m_window->show();
        QSignalSpy confirmed(m_window.data(), &GameWindow::stopConfirmed);
        QTest::mouseClick(element<Picture>(m_window, QStringLiteral("Image3")), Qt::LeftButton);
        QCOMPARE(m_desktop.questions.size(), 1);
        QCOMPARE(confirmed.count(), 1);
        QCOMPARE(m_music.calls, QStringList{"stop"});
        m_window->leave();
        QCOMPARE(m_solver.underWay(), 0); // the solve of play's board is abandoned
        QVERIFY(m_window->isHidden());
        for (const char *name : {"Timer1", "Timer2", "TimSmus", "TmHour", "TmrBanner"})
            QVERIFY2(!timer(name)->isRunning(), name);
        QTRY_VERIFY(m_window.isNull());
    }

    // The window manager's close (the title bar, Alt+F4) asks the stop question instead of
    // leaving a running program without a window.
    void windowManagerCloseAsksTheStopQuestion()
    {
        newGame(1);
        m_window->show();
        m_desktop.answerOk = false;
        QSignalSpy confirmed(m_window.data(), &GameWindow::stopConfirmed);
        QVERIFY(!testing::closeAsTheWindowManagerDoes(m_window));
        QTRY_COMPARE(m_desktop.questions.size(), 1);
        QVERIFY(!m_window->isHidden());
        QCOMPARE(timer("TmHour")->interval(), 1);
        m_desktop.answerOk = true;
        testing::closeAsTheWindowManagerDoes(m_window);
        QTRY_COMPARE(m_desktop.questions.size(), 2);
        QCOMPARE(confirmed.count(), 1);
    }

    // A close the player did not ask for (the session ends, the desktop closes every window)
    // closes the game at once: a question would only hold the logout up.
    void otherClosesGoThroughWithoutAQuestion()
    {
        newGame(1);
        openPlay();
        m_window->show();
        QVERIFY(m_window->close());
        QVERIFY(m_desktop.questions.isEmpty());
        QVERIFY(m_window->isHidden());
        for (const char *name : {"Timer1", "Timer2", "TimSmus", "TmHour", "TmrBanner"})
            QVERIFY2(!timer(name)->isRunning(), name);
        QTRY_VERIFY(m_window.isNull());
    }

    // Back asks the flow for the menu, during the shuffle as in play.
    void backIsAskedFor()
    {
        newGame(1);
        QVERIFY(fire("Timer2", 2));
        shuffleSteps({testing::kUp});
        QSignalSpy back(m_window.data(), &GameWindow::backRequested);
        QTest::mouseClick(element<Picture>(m_window, QStringLiteral("Image4")), Qt::LeftButton);
        QCOMPARE(back.count(), 1);
        QVERIFY(m_music.calls.isEmpty()); // the flow switches the music
    }

    // The status line names what a button does; the background puts "Done" back, except
    // over the shuffle's own text; a tile, even one that takes clicks, changes nothing.
    void hoverTexts_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("restart") << "Image2"
                                 << "Press here to restart the game...";
        QTest::newRow("stop") << "Image3"
                              << "Press here to stop...";
        QTest::newRow("back") << "Image4"
                              << "Press here to go back...";
        QTest::newRow("banner") << "ImgBanner"
                                << "Press here to visit the website...";
        QTest::newRow("hint") << "ImHint"
                              << "Press here for a hint...";
    }
    void hoverTexts()
    {
        QFETCH(QString, button);
        QFETCH(QString, text);
        newGame(1);
        openPlay();
        moveOver(m_window->findChild<QWidget *>(button));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), text);
        Picture *enabledTile = tile(QStringLiteral("ImE1"));
        QVERIFY(enabledTile->isEnabled());
        MoveCounter counter;
        enabledTile->installEventFilter(&counter);
        moveOver(enabledTile);
        QCOMPARE(counter.moves, 1); // the tile did get the move ...
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), text); // ... and says nothing
        moveOver(element<Picture>(m_window, QStringLiteral("Image1")));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), QStringLiteral("Done"));
    }
    void hoverDuringShuffle()
    {
        newGame(1);
        QVERIFY(fire("Timer2"));
        shuffleSteps({testing::kUp});
        moveOver(element<Picture>(m_window, QStringLiteral("Image1")));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), kDisordering);
        moveOver(element<Picture>(m_window, QStringLiteral("Image2")));
        QCOMPARE(caption(m_window, QStringLiteral("Label1")),
                 QStringLiteral("Press here to restart the game..."));
        shuffleSteps({testing::kDown});
        QCOMPARE(caption(m_window, QStringLiteral("Label1")), kDisordering);
    }

    // The banner's picture at a few moments, and the site a click opens; before the first
    // tick the address is empty.
    void banner_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("address");
        QTest::newRow("0 s, design picture") << 0 << resources::name::banner << QString();
        QTest::newRow("0.5 s") << 1 << resources::name::ind1 << platform::kFirstFanSite;
        QTest::newRow("5 s") << 10 << resources::name::ind2 << platform::kSecondFanSite;
        QTest::newRow("12 s") << 24 << resources::name::ind3 << platform::kFirstFanSite;
        QTest::newRow("17 s") << 34 << resources::name::ind4 << platform::kSecondFanSite;
        QTest::newRow("20.5 s") << 41 << resources::name::ind1 << platform::kFirstFanSite;
    }
    void banner()
    {
        QFETCH(int, ticks);
        QFETCH(QString, picture);
        QFETCH(QString, address);
        newGame(1);
        QVERIFY(fire("TmrBanner", ticks));
        auto *banner = element<Picture>(m_window, QStringLiteral("ImgBanner"));
        QVERIFY(banner->shows(resources::pixmap(picture)));
        QTest::mouseClick(banner, Qt::LeftButton);
        QCOMPARE(m_desktop.opened, QStringList{address});
        QCOMPARE(m_desktop.openedFrom, QList<QWidget *>{m_window.data()});
    }
};

QTEST_MAIN(TestGameWindow)
#include "tst_game_window.moc"
