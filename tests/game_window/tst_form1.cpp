#include "game_window/form1.h"
#include "menu/game_setup.h"
#include "platform/web_link.h"
#include "tests/support/fake_services.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using platform::Picture;

namespace
{

const QString kDisordering = QStringLiteral("Disordering... Please wait");

// r values for RandomNumber(0, 5): each picks one direction of the blank's walk.
constexpr double kUp = 0.9;    // 1
constexpr double kDown = 0.6;  // 2
constexpr double kThree = 0.4; // 3: left on Normal, right on Hard
constexpr double kFour = 0.1;  // 4: right on Normal, left on Hard

void moveOver(QWidget *w)
{
    const QPointF at = QPointF(w->rect().center());
    QMouseEvent e(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

QList<platform::Timer *> timersOf(Form1 *f)
{
    return {f->Timer1, f->Timer2, f->TimSmus, f->TmHour, f->TmrBanner};
}

bool allStopped(Form1 *f)
{
    for (platform::Timer *t : timersOf(f)) {
        if (t->isRunning())
            return false;
    }
    return true;
}

core::Position at(const Picture *p)
{
    return {p->left(), p->top()};
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    testing::Fakes *m_fakes = nullptr;
    QPointer<Form1> m_form;

    Form1 *newGame(bool normal = true)
    {
        m_form = new Form1;
        ShowTileSet(*m_form, normal);
        m_form->Timer2->setInterval(1000);
        return m_form;
    }

    // The sequencer ticks only while it runs; a tick fired on a stopped timer would be a
    // test fault, not a game fault.
    bool tickSequencer(int ticks)
    {
        for (int i = 0; i < ticks; ++i) {
            if (!m_form->Timer2->isRunning())
                return false;
            m_form->Timer2->fire();
        }
        return true;
    }

    void shuffleSteps(std::initializer_list<double> draws)
    {
        for (double r : draws) {
            m_fakes->random->values.push_back(r);
            m_form->Timer1->fire();
        }
    }

    // Play opens with the given walk of the blank done during the shuffle.
    void openPlay(std::initializer_list<double> draws = {})
    {
        QVERIFY(tickSequencer(1));
        shuffleSteps(draws);
        QVERIFY(tickSequencer(14));
        QCOMPARE(m_form->Label1->caption(), QStringLiteral("Done"));
    }

    void pollGameClock(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            m_form->TimSmus->fire();
    }

    // The music clock sees a new second at every poll.
    void musicSeconds(int seconds)
    {
        for (int i = 0; i < seconds; ++i) {
            m_fakes->clock->advance();
            m_form->TmHour->fire();
        }
    }

private Q_SLOTS:
    void init() { m_fakes = &testing::installFakes(m_dir.path()); }

    void cleanup()
    {
        delete m_form;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName().startsWith(QLatin1String("Form")))
                delete w;
        }
    }

    // Every element stands where the design puts it, at its design size.
    void elementsAtDesignPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRectF>("twips");
        QTest::newRow("background") << "Image1" << QRectF(0, -120, 10320, 7245);
        QTest::newRow("status line") << "Label1" << QRectF(0, 6780, 5775, 315);
        QTest::newRow("time caption") << "Label2" << QRectF(8160, 4680, 855, 255);
        QTest::newRow("time") << "LbCount" << QRectF(9120, 4725, 855, 255);
        QTest::newRow("clicks caption") << "Label4" << QRectF(8160, 5040, 855, 255);
        QTest::newRow("clicks") << "LbClicks" << QRectF(9135, 5100, 855, 255);
        QTest::newRow("stop") << "Image3" << QRectF(7080, 4680, 480, 480);
        QTest::newRow("back") << "Image4" << QRectF(6600, 5280, 480, 480);
        QTest::newRow("restart") << "Image2" << QRectF(6600, 5880, 480, 480);
        QTest::newRow("banner") << "ImgBanner" << QRectF(8070, 5820, 1530, 555);
        QTest::newRow("Normal preview") << "ImEPrev" << QRectF(6360, 840, 3660, 2700);
        QTest::newRow("Hard preview") << "ImGPrev" << QRectF(6720, 480, 2820, 3780);
        QTest::newRow("ImE1") << "ImE1" << QRectF(360, 960, 1455, 1455);
        QTest::newRow("ImE11") << "ImE11" << QRectF(3240, 3840, 1455, 1455);
        QTest::newRow("ImENo") << "ImENo" << QRectF(4680, 3840, 1455, 1455);
        QTest::newRow("ImG1") << "ImG1" << QRectF(600, 480, 1545, 1215);
        QTest::newRow("ImG14") << "ImG14" << QRectF(2130, 5280, 1545, 1215);
        QTest::newRow("ImGNo") << "ImGNo" << QRectF(3660, 5280, 1545, 1215);
    }
    void elementsAtDesignPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRectF, twips);
        Form1 form;
        auto *w = form.findChild<QWidget *>(name);
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

    // A new window: its caption and client size, the solved and disabled board, and the
    // counters and timers at their design values.
    void designState()
    {
        Form1 form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Zantho Games - Puzzle +1"));
        QCOMPARE(form.size(), QSize(685, 471));
        QVERIFY(form.testAttribute(Qt::WA_DeleteOnClose));
        for (Picture *tile : form.normalSet() + form.hardSet())
            QVERIFY2(!tile->isEnabled(), qPrintable(tile->objectName() + " takes clicks"));
        QVERIFY(core::CheckSolved(form.normalBoard()) && core::CheckSolved(form.hardBoard()));
        QCOMPARE(form.LbClicks->caption(), QStringLiteral("0"));
        QCOMPARE(form.LbCount->caption(), QStringLiteral("0"));
        QCOMPARE(form.Label1->caption(), QStringLiteral("Done"));
        QCOMPARE(form.LbDisorder->caption(), QStringLiteral("1"));
        for (auto *label : {form.LbSMus, form.LbSecs, form.LbHour, form.LbRepMus}) {
            QCOMPARE(label->caption(), label->objectName());
            QVERIFY(label->isHidden());
        }
        QVERIFY(form.LbDisorder->isHidden());
        for (Picture *holder : form.Ind) {
            QVERIFY(holder->isHidden());
            QCOMPARE(holder->top(), 7800.f);
        }
        const QList<int> intervals{0, 0, 0, 200, 500};
        for (int i = 0; i < 5; ++i)
            QCOMPARE(timersOf(&form)[i]->interval(), intervals[i]);
        QCOMPARE(form.LbClicks->font().bold(), true);
        QCOMPARE(form.LbClicks->font().pointSizeF(), 9.75);
        QCOMPARE(form.LbClicks->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(form.Label2->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QVERIFY(!form.Label1->autoFillBackground());
    }

    // A new round: nothing before the first tick, steps from tick 1 to 14, and at 15 "Done",
    // the active set enabled and the game clock started.
    void newRoundTimeline_data()
    {
        QTest::addColumn<bool>("normal");
        QTest::newRow("Normal") << true;
        QTest::newRow("Hard") << false;
    }
    void newRoundTimeline()
    {
        QFETCH(bool, normal);
        Form1 *f = newGame(normal);
        const QList<Picture *> active = normal ? f->normalSet() : f->hardSet();
        const QList<Picture *> other = normal ? f->hardSet() : f->normalSet();
        QCOMPARE(f->Timer1->interval(), 0);

        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Timer1->interval(), 1);
        const core::Position blankHome = at(active.back());
        shuffleSteps({kUp});
        QCOMPARE(f->Label1->caption(), kDisordering);
        QCOMPARE(f->LbDisorder->caption(), QStringLiteral("1"));
        const float pitch = normal ? 1440 : 1200;
        QCOMPARE(at(active.back()), (core::Position{blankHome.left, blankHome.top - pitch}));
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));

        for (int tick = 2; tick <= 13; ++tick) {
            QVERIFY(tickSequencer(1));
            QVERIFY2(f->Timer1->isRunning(), qPrintable(QString::number(tick)));
            QVERIFY(!active.front()->isEnabled());
            QVERIFY(!f->TimSmus->isRunning());
        }
        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Timer1->interval(), 0);
        QCOMPARE(f->Label1->caption(), kDisordering);
        QVERIFY(!active.front()->isEnabled());

        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));
        for (Picture *tile : active)
            QVERIFY2(tile->isEnabled(), qPrintable(tile->objectName()));
        for (Picture *tile : other)
            QVERIFY(!tile->isEnabled());
        QCOMPARE(f->TimSmus->interval(), 1);
        QCOMPARE(f->Timer2->interval(), 0);
        QCOMPARE(f->sequencerTick(), 0);
    }

    // The shuffle walks the active set's blank only; the direction numbers 3 and 4 mirror
    // between the levels, and an edge or a 5 moves nothing.
    void shuffleStepDirections_data()
    {
        QTest::addColumn<bool>("normal");
        QTest::addColumn<double>("r");
        QTest::addColumn<QString>("disorder");
        QTest::addColumn<QString>("moved"); // the tile that took the blank's cell
        QTest::newRow("Normal up") << true << kUp << "1"
                                   << "ImE8";
        QTest::newRow("Normal down at the edge") << true << kDown << "2"
                                                 << "";
        QTest::newRow("Normal left") << true << kThree << "3"
                                     << "ImE11";
        QTest::newRow("Normal right at the edge") << true << kFour << "4"
                                                  << "";
        QTest::newRow("Normal r = 0") << true << 0.0 << "5"
                                      << "";
        QTest::newRow("Hard up") << false << kUp << "1"
                                 << "ImG12";
        QTest::newRow("Hard three is right: edge") << false << kThree << "3"
                                                   << "";
        QTest::newRow("Hard four is left") << false << kFour << "4"
                                           << "ImG14";
    }
    void shuffleStepDirections()
    {
        QFETCH(bool, normal);
        QFETCH(double, r);
        QFETCH(QString, disorder);
        QFETCH(QString, moved);
        Form1 *f = newGame(normal);
        const Picture *blank = normal ? f->ImENo() : f->ImGNo();
        const core::Position blankBefore = at(blank);
        const core::Board otherBefore = normal ? f->hardBoard() : f->normalBoard();
        core::Position movedBefore;
        if (!moved.isEmpty())
            movedBefore = at(f->findChild<Picture *>(moved));
        shuffleSteps({r});
        QCOMPARE(f->LbDisorder->caption(), disorder);
        QCOMPARE(otherBefore, normal ? f->hardBoard() : f->normalBoard());
        if (moved.isEmpty()) {
            QCOMPARE(at(blank), blankBefore);
        } else {
            QCOMPARE(at(blank), movedBefore);
            QCOMPARE(at(f->findChild<Picture *>(moved)), blankBefore);
        }
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));
    }

    // With neither preview visible a step moves nothing; with both, only the Normal set
    // moves, and play enables both sets.
    void previewsDecideTheLevel()
    {
        Form1 *f = newGame(true);
        f->ImEPrev->hide();
        QVERIFY(tickSequencer(1));
        shuffleSteps({kUp, kThree});
        QVERIFY(core::CheckSolved(f->normalBoard()) && core::CheckSolved(f->hardBoard()));

        f->ImEPrev->show();
        f->ImGPrev->show();
        shuffleSteps({kUp});
        QVERIFY(!core::CheckSolved(f->normalBoard()));
        QVERIFY(core::CheckSolved(f->hardBoard()));
        QVERIFY(tickSequencer(14));
        QVERIFY(f->normalSet()[0]->isEnabled() && f->hardSet()[0]->isEnabled());
    }

    // The click rule in the window: the element moves with the board, counts one, and a
    // tile away from the blank or the blank itself changes nothing.
    void clicksMoveNeighboursOnly()
    {
        Form1 *f = newGame(true);
        openPlay({kUp, kUp}); // blank from (4,3) to (4,1)
        auto *imE3 = f->findChild<Picture *>(QStringLiteral("ImE3"));
        auto *imE7 = f->findChild<Picture *>(QStringLiteral("ImE7"));
        auto *imE6 = f->findChild<Picture *>(QStringLiteral("ImE6"));

        QTest::mouseClick(imE7, Qt::LeftButton); // diagonal
        QTest::mouseClick(f->ImENo(), Qt::LeftButton);
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));
        QCOMPARE(at(f->ImENo()), (core::Position{4680, 960}));

        QTest::mouseClick(imE3, Qt::LeftButton);
        QCOMPARE(at(imE3), (core::Position{4680, 960}));
        QCOMPARE(at(f->ImENo()), (core::Position{3240, 960}));
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("1"));
        QTest::mouseClick(imE6, Qt::LeftButton); // two cells from the blank's column
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("1"));
        QTest::mouseClick(imE7, Qt::LeftButton); // now right below the blank
        QCOMPARE(at(imE7), (core::Position{3240, 960}));
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("2"));
        for (int k = 1; k <= 11; ++k)
            QCOMPARE(at(f->normalSet()[k - 1]), f->normalBoard().tile(k));
        QCOMPARE(at(f->ImENo()), f->normalBoard().blank());
        QVERIFY(m_form);
    }

    // The move that completes the picture hands over to the completion dialog with the
    // window's time and clicks, and its "Close" leads back to the menu.
    void winHandsOffAndGoesBack()
    {
        Form1 *f = newGame(true);
        openPlay({kUp});
        QString dialogClicks;
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog)
                return;
            if (auto *clicks = dialog->findChild<platform::Label *>(QStringLiteral("LbClicks")))
                dialogClicks = clicks->caption();
            if (auto *close = dialog->findChild<QWidget *>(QStringLiteral("Label3")))
                QTest::mouseClick(close, Qt::LeftButton);
        });
        closer.start(0);
        m_fakes->music->commands.clear();
        QTest::mouseClick(f->findChild<Picture *>(QStringLiteral("ImE8")), Qt::LeftButton);

        QVERIFY(m_form); // deletion waits for the event loop
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("1"));
        if (!dialogClicks.isEmpty())
            QCOMPARE(dialogClicks, QStringLiteral("1"));
        QVERIFY(allStopped(f));
        const QStringList &c = m_fakes->music->commands;
        QVERIFY2(c.size() >= 4, qPrintable(c.join(u'|')));
        QVERIFY2(c.contains(QStringLiteral("PLAY INTRO FROM 0")) &&
                     c.filter(QStringLiteral("ZnIntro.mus")).size() >= 1,
                 qPrintable(c.join(u'|')));
        QTRY_VERIFY(m_form.isNull());
    }

    // A click that moves nothing on an already solved board (a shuffle that walked home)
    // still wins, with the click counter untouched.
    void solvedByTheShuffleWinsOnAnyClick()
    {
        Form1 *f = newGame(true);
        openPlay({kUp, kDown});
        QVERIFY(core::CheckSolved(f->normalBoard()));
        QTimer closer;
        closer.setSingleShot(true);
        connect(&closer, &QTimer::timeout, this, [] {
            if (QWidget *dialog = QApplication::activeModalWidget()) {
                if (auto *close = dialog->findChild<QWidget *>(QStringLiteral("Label3")))
                    QTest::mouseClick(close, Qt::LeftButton);
            }
        });
        closer.start(0);
        QTest::mouseClick(f->normalSet()[0], Qt::LeftButton);
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));
        QVERIFY(allStopped(f));
        QTRY_VERIFY(m_form.isNull());
    }

    // Restart after play has opened: counters back to "0" at once, the clock stopped, and
    // a new 500 ms sequence shuffles the current board and opens play again.
    void restartDuringPlay()
    {
        Form1 *f = newGame(true);
        openPlay({kUp, kUp});
        pollGameClock();
        m_fakes->clock->advance();
        pollGameClock();
        QCOMPARE(f->LbCount->caption(), QStringLiteral("00:02"));
        QTest::mouseClick(f->findChild<Picture *>(QStringLiteral("ImE3")), Qt::LeftButton);
        const core::Board before = f->normalBoard();

        QTest::mouseClick(f->Image2, Qt::LeftButton);
        QCOMPARE(f->LbCount->caption(), QStringLiteral("0"));
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));
        QCOMPARE(f->LbSecs->caption(), QStringLiteral("0"));
        QCOMPARE(f->TimSmus->interval(), 0);
        QCOMPARE(f->Timer2->interval(), 500);
        QCOMPARE(f->normalBoard(), before);
        QVERIFY(f->normalSet()[0]->isEnabled());
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));

        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Timer1->interval(), 1);
        shuffleSteps({kDown});
        // Clicks are taken between the steps of a restart's shuffle.
        QTest::mouseClick(f->findChild<Picture *>(QStringLiteral("ImE7")), Qt::LeftButton);
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("1"));
        QVERIFY(tickSequencer(13));
        QCOMPARE(f->Timer1->interval(), 0);
        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));
        QCOMPARE(f->TimSmus->interval(), 1);
        QVERIFY(!f->Timer2->isRunning());
        m_fakes->clock->advance();
        pollGameClock();
        QCOMPARE(f->LbCount->caption(), QStringLiteral("00:01"));
    }

    // Restart during a shuffle only changes the pace: the count goes on from where it was.
    void restartDuringShuffle()
    {
        Form1 *f = newGame(true);
        QVERIFY(tickSequencer(5));
        QTest::mouseClick(f->Image2, Qt::LeftButton);
        QCOMPARE(f->Timer2->interval(), 500);
        QCOMPARE(f->sequencerTick(), 5);
        QCOMPARE(f->Timer1->interval(), 1);
        QVERIFY(tickSequencer(8));
        QCOMPARE(f->Timer1->interval(), 1);
        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Timer1->interval(), 0);
        QVERIFY(tickSequencer(1));
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));
        QVERIFY(f->normalSet()[0]->isEnabled());
    }

    // Any number of polls within one second counts that second once.
    void gameClockCountsChangesOnly()
    {
        Form1 *f = newGame(true);
        openPlay();
        QCOMPARE(f->LbCount->caption(), QStringLiteral("0"));
        pollGameClock(10); // the first poll replaces the design caption: one second
        QCOMPARE(f->LbSecs->caption(), QStringLiteral("1"));
        QCOMPARE(f->LbCount->caption(), QStringLiteral("00:01"));
        m_fakes->clock->advance();
        pollGameClock(10);
        QCOMPARE(f->LbSecs->caption(), QStringLiteral("2"));
        m_fakes->clock->advance(5); // a late poll still sees only one change
        pollGameClock();
        QCOMPARE(f->LbCount->caption(), QStringLiteral("00:03"));
    }

    // The time of play as minutes and seconds, capped at ten hours.
    void gameClockShows_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("secs");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first second") << "0"
                                      << "1"
                                      << "00:01";
        QTest::newRow("a minute") << "59"
                                  << "60"
                                  << "01:00";
        QTest::newRow("a minute and one") << "60"
                                          << "61"
                                          << "01:01";
        QTest::newRow("a hundred minutes") << "5999"
                                           << "6000"
                                           << "100:00";
        QTest::newRow("reaching the cap") << "35999"
                                          << "36000"
                                          << "600:00";
        QTest::newRow("at the cap") << "36000"
                                    << "36000"
                                    << "600:00";
    }
    void gameClockShows()
    {
        QFETCH(QString, before);
        QFETCH(QString, secs);
        QFETCH(QString, shown);
        Form1 *f = newGame(true);
        openPlay();
        f->LbSecs->setCaption(before);
        pollGameClock();
        QCOMPARE(f->LbSecs->caption(), secs);
        QCOMPARE(f->LbCount->caption(), shown);
        m_fakes->clock->advance();
        pollGameClock();
        if (secs == QStringLiteral("36000"))
            QCOMPARE(f->LbCount->caption(), QStringLiteral("600:00"));
    }

    // The game music starts again exactly once, 409 seconds after the window was loaded.
    void musicRestartsOnceAt409()
    {
        Form1 *f = newGame(true);
        const QStringList restart{QStringLiteral("STOP INTRO"),
                                  QStringLiteral("PLAY INTRO FROM 0")};
        m_fakes->music->commands.clear();
        musicSeconds(408);
        QVERIFY(m_fakes->music->commands.isEmpty());
        musicSeconds(1);
        QCOMPARE(f->LbRepMus->caption(), QStringLiteral("409"));
        QCOMPARE(m_fakes->music->commands, restart);
        musicSeconds(500);
        QCOMPARE(m_fakes->music->commands, restart);
        QCOMPARE(f->LbRepMus->caption(), QStringLiteral("909"));
    }

    // Cancelling the stop question plays the music from its start at once and the music
    // clock counts from 0 with it, so the repeat comes 409 seconds later again.
    void musicAfterCancelledStop()
    {
        Form1 *f = newGame(true);
        musicSeconds(100);
        m_fakes->answerOk = false;
        m_fakes->music->commands.clear();
        QTest::mouseClick(f->Image3, Qt::LeftButton);
        QCOMPARE(m_fakes->music->commands,
                 (QStringList{QStringLiteral("STOP INTRO"), QStringLiteral("PLAY INTRO FROM 0")}));
        QCOMPARE(f->LbRepMus->caption(), QStringLiteral("0"));
        m_fakes->music->commands.clear();
        musicSeconds(408);
        QVERIFY(m_fakes->music->commands.isEmpty());
        musicSeconds(1);
        QCOMPARE(m_fakes->music->commands.size(), 2);
    }

    // Stop answered Cancel during the shuffle: the round carries on, both clocks go on
    // (the game clock now before play opens), and the time the question stood open is not
    // counted beyond the one second of the first poll.
    void stopCancelledDuringShuffle()
    {
        Form1 *f = newGame(true);
        QVERIFY(tickSequencer(3));
        QString asked, title;
        bool running = true;
        platform::services().askOkCancel = [&](QWidget *, const QString &text, const QString &t) {
            asked = text;
            title = t;
            running = f->TimSmus->isRunning() || f->TmHour->isRunning();
            m_fakes->clock->advance(30);
            return false;
        };
        QTest::mouseClick(f->Image3, Qt::LeftButton);
        QCOMPARE(asked, QStringLiteral("Are you sure you want to close the game?"));
        QCOMPARE(title, QStringLiteral("Zantho Puzzle +1"));
        QVERIFY2(!running, "the clocks ran while the question stood open");
        QCOMPARE(f->TimSmus->interval(), 1);
        QCOMPARE(f->TmHour->interval(), 1);
        QCOMPARE(f->Timer1->interval(), 1);
        QCOMPARE(f->Timer2->interval(), 1000);
        pollGameClock(3);
        QCOMPARE(f->LbCount->caption(), QStringLiteral("00:01"));
        QVERIFY(tickSequencer(12));
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));
        QCOMPARE(f->TimSmus->interval(), 1);
        QVERIFY(m_form);
    }

    // Stop answered OK: music closed, the game window gone, the records window shown.
    void stopConfirmed()
    {
        Form1 *f = newGame(true);
        openPlay();
        f->show();
        m_fakes->music->commands.clear();
        QTest::mouseClick(f->Image3, Qt::LeftButton);
        QCOMPARE(m_fakes->questions, 1);
        QCOMPARE(m_fakes->music->commands,
                 (QStringList{QStringLiteral("STOP INTRO"), QStringLiteral("STOP INTRO"),
                              QStringLiteral("CLOSE INTRO")}));
        QVERIFY(f->isHidden());
        QVERIFY(allStopped(f));
        QTRY_VERIFY(m_form.isNull());
    }

    // The title bar's close button asks the stop question instead of leaving a running
    // program without a window.
    void closeButtonAsksTheStopQuestion()
    {
        Form1 *f = newGame(true);
        f->show();
        m_fakes->answerOk = false;
        QVERIFY(!f->close());
        QTRY_COMPARE(m_fakes->questions, 1);
        QVERIFY(!f->isHidden());
        QCOMPARE(f->TmHour->interval(), 1);
        m_fakes->answerOk = true;
        f->close();
        QTRY_COMPARE(m_fakes->questions, 2);
        QTRY_VERIFY(m_form.isNull());
    }

    // Back during the shuffle: menu music, the window closes with every timer stopped, and
    // the next game runs its own sequence from the start.
    void backDuringShuffle()
    {
        Form1 *f = newGame(true);
        QVERIFY(tickSequencer(2));
        shuffleSteps({kUp});
        m_fakes->music->commands.clear();
        QTest::mouseClick(f->Image4, Qt::LeftButton);
        const QStringList c = m_fakes->music->commands;
        QVERIFY2(c.size() >= 4, qPrintable(c.join(u'|')));
        QCOMPARE(c.mid(0, 2),
                 (QStringList{QStringLiteral("STOP INTRO"), QStringLiteral("CLOSE INTRO")}));
        QVERIFY2(c[2].startsWith(QLatin1String("OPEN ")) &&
                     c[2].contains(QLatin1String("ZnIntro.mus")),
                 qPrintable(c[2]));
        QCOMPARE(c[3], QStringLiteral("PLAY INTRO FROM 0"));
        QVERIFY(allStopped(f));
        QTRY_VERIFY(m_form.isNull());

        Form1 *next = newGame(true);
        QCOMPARE(next->sequencerTick(), 0);
        QVERIFY(core::CheckSolved(next->normalBoard()));
        QVERIFY(tickSequencer(1));
        QCOMPARE(next->Timer1->interval(), 1);
    }

    // The status line names what a button does; the background puts "Done" back, except
    // over the shuffle's own text.
    void hoverTexts_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<QString>("text");
        QTest::newRow("restart") << "Image2"
                                 << "Press here to restart the game...";
        QTest::newRow("stop") << "Image3"
                              << "Press here to stop...";
        QTest::newRow("back") << "Image4"
                              << "Press here to go back...";
        QTest::newRow("banner") << "ImgBanner"
                                << "Press here to visit the website...";
        QTest::newRow("background") << "Image1"
                                    << "Done";
    }
    void hoverTexts()
    {
        QFETCH(QString, element);
        QFETCH(QString, text);
        Form1 *f = newGame(true);
        f->Label1->setCaption(QStringLiteral("something else"));
        moveOver(f->findChild<QWidget *>(element));
        QCOMPARE(f->Label1->caption(), text);
        moveOver(f->normalSet()[0]); // tiles have no hover text
        QCOMPARE(f->Label1->caption(), text);
    }
    void hoverDuringShuffle()
    {
        Form1 *f = newGame(true);
        QVERIFY(tickSequencer(1));
        shuffleSteps({kUp});
        moveOver(f->Image1);
        QCOMPARE(f->Label1->caption(), kDisordering);
        moveOver(f->Image2);
        QCOMPARE(f->Label1->caption(), QStringLiteral("Press here to restart the game..."));
        shuffleSteps({kDown});
        QCOMPARE(f->Label1->caption(), kDisordering);
        // After the last step, before "Done" is due, leaving a button shows "Done" already.
        QVERIFY(tickSequencer(13));
        moveOver(f->Image3);
        moveOver(f->Image1);
        QCOMPARE(f->Label1->caption(), QStringLiteral("Done"));
    }

    // The banner's picture at each moment, by identity with its holder, and the site a
    // click opens; before the first tick the address is empty.
    void bannerCycle_data()
    {
        QTest::addColumn<int>("ticks");
        QTest::addColumn<int>("holder");
        QTest::addColumn<QString>("address");
        const QString first = platform::kFirstFanSite;
        const QString second = platform::kSecondFanSite;
        QTest::newRow("0 s, design picture") << 0 << 0 << QString();
        QTest::newRow("0.5 s") << 1 << 1 << first;
        QTest::newRow("4.5 s") << 9 << 1 << first;
        QTest::newRow("5 s") << 10 << 2 << second;
        QTest::newRow("10 s") << 20 << 3 << first;
        QTest::newRow("12 s") << 24 << 3 << first;
        QTest::newRow("15 s") << 30 << 4 << second;
        QTest::newRow("17 s") << 34 << 4 << second;
        QTest::newRow("20 s") << 40 << 1 << first;
        QTest::newRow("20.5 s") << 41 << 1 << first;
        QTest::newRow("25 s") << 50 << 2 << second;
        QTest::newRow("40 s") << 80 << 1 << first;
    }
    void bannerCycle()
    {
        QFETCH(int, ticks);
        QFETCH(int, holder);
        QFETCH(QString, address);
        Form1 *f = newGame(true);
        QStringList opened;
        f->setLinkOpener([&](QWidget *owner, const QString &url) {
            QCOMPARE(owner, f);
            opened << url;
        });
        for (int i = 0; i < ticks; ++i)
            f->TmrBanner->fire();
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(f->ImgBanner->shows(f->Ind[static_cast<std::size_t>(k - 1)]->picture()),
                     k == holder);
        }
        QTest::mouseClick(f->ImgBanner, Qt::LeftButton);
        QCOMPARE(opened, QStringList{address});
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
