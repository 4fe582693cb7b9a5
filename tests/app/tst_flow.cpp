// The flow of windows as a player goes through it: which window comes after which, the music
// that goes with each, a picture that cannot be read, the end of the run, a whole game from
// the menu to the records window, and a seed that replays the shuffle.
#include "app/flow.h"
#include "app/seed.h"
#include "platform/elements.h"
#include "tests/records/file_helpers.h"
#include "tests/support/doubles.h"
#include "tests/support/program_tree.h"
#include "windows/game/game_window.h"
#include "windows/menu/help_window.h"
#include "windows/menu/menu_window.h"
#include "windows/records/records_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <memory>

#include <unistd.h>

using platform::Label;
using platform::Picture;
using platform::Timer;

namespace
{

template <class T = QWidget> T *element(QWidget *window, const char *name)
{
    T *e = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!e)
        qWarning("no element %s", name);
    return e;
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(element(window, name), Qt::LeftButton);
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A program folder with the built data tree and a records folder of the test's own.
class BuiltProgram
{
public:
    BuiltProgram()
    {
        QFile::link(testing::builtProgramDir() + QStringLiteral("/Data"),
                    m_dir.filePath(QStringLiteral("Data")));
        QDir(m_dir.path()).mkdir(QStringLiteral("Config"));
    }
    QString dir() const { return m_dir.path(); }
    QString records() const { return m_dir.filePath(QStringLiteral("Config/Kelset.dll")); }

private:
    QTemporaryDir m_dir;
};

} // namespace

class TestFlow : public QObject
{
    Q_OBJECT

    testing::FakeClock m_clock;
    testing::ScriptedRandom m_random;
    testing::RecordingMusic m_music;
    testing::FakeDesktop m_desktop;
    testing::HeldSolver m_solver;
    std::unique_ptr<app::Flow> m_flow;

    app::Flow &newFlow(const QString &programDir)
    {
        m_flow = std::make_unique<app::Flow>(
            app::RunServices{programDir, m_clock, m_random, m_music, m_desktop, m_solver});
        return *m_flow;
    }

    // Runs the game window's sequencer to "Done" with the given walk of the blank.
    void playUntilDone(windows::GameWindow *game, std::initializer_list<double> walk)
    {
        auto *sequencer = element<Timer>(game, "Timer2");
        auto *steps = element<Timer>(game, "Timer1");
        sequencer->fire();
        for (double r : walk) {
            m_random.values.push_back(r);
            steps->fire();
        }
        for (int tick = 2; tick <= 15; ++tick)
            sequencer->fire();
        QCOMPARE(element<Label>(game, "Label1")->caption(), QStringLiteral("Done"));
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
        m_flow.reset();
        testing::closeAllWindows();
    }

    // The run opens on the menu, with the menu tune.
    void startsAtTheMenuWithItsMusic()
    {
        testing::ProgramTree tree;
        app::Flow &flow = newFlow(tree.dir());
        QVERIFY(flow.start());
        QVERIFY(flow.menuWindow() && flow.menuWindow()->isVisible());
        QCOMPARE(m_music.calls, (QStringList{"open menu", "play"}));
        QVERIFY(!flow.gameWindow() && !flow.recordsWindow());
    }

    // Play takes the chosen picture into a new game window, switches to the game tune and
    // closes the menu; the window starts its round at one tick a second.
    void playOpensTheGame_data()
    {
        QTest::addColumn<int>("previousClicks");
        QTest::addColumn<QString>("preview");
        QTest::newRow("picture 1, Normal") << 0 << QStringLiteral("ImEPrev");
        QTest::newRow("picture 28, Hard") << 1 << QStringLiteral("ImGPrev");
    }
    void playOpensTheGame()
    {
        QFETCH(int, previousClicks);
        QFETCH(QString, preview);
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        QPointer<QWidget> menu = flow.menuWindow();
        for (int i = 0; i < previousClicks; ++i)
            click(menu, "Image5");
        m_music.calls.clear();
        click(menu, "Image2");
        flushDeletes();
        QVERIFY2(!menu, "Play closes the menu window");
        windows::GameWindow *game = flow.gameWindow();
        QVERIFY(game && game->isVisible());
        QVERIFY(game->findChild<QWidget *>(preview));
        QCOMPARE(element<Timer>(game, "Timer2")->interval(), 1000);
        QCOMPARE(m_music.calls, (QStringList{"stop", "close", "open game", "play"}));
        QVERIFY(m_desktop.fatal.isEmpty());
    }

    // The help window opens over the menu, which waits beneath it until "Close".
    void helpOpensModallyAndCloses()
    {
        testing::ProgramTree tree;
        tree.writeHelpPage(QStringLiteral("<p>Slide the tiles home.</p>"));
        app::Flow &flow = newFlow(tree.dir());
        QVERIFY(flow.start());
        QPointer<QWidget> menu = flow.menuWindow();
        QPointer<windows::HelpWindow> help;
        QString page;
        QWidget *owner = nullptr;
        QTimer::singleShot(0, [&] {
            help = qobject_cast<windows::HelpWindow *>(QApplication::activeModalWidget());
            if (!help)
                return;
            page = help->page()->toPlainText();
            owner = help->parentWidget();
            click(help, "Label1");
        });
        QTimer::singleShot(2000, [] { // never hang: only reached when the help did not close
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        click(menu, "Image4");
        flushDeletes();
        QVERIFY2(page.contains(QStringLiteral("Slide the tiles home.")), qPrintable(page));
        QCOMPARE(owner, menu.data());
        QVERIFY2(!help, "Close destroys the help window");
        QVERIFY(menu && menu->isVisible());
    }

    // Exit: the music goes off and the menu is gone before the records window shows what the
    // file holds; its "Close" sends the music its last stop and close and ends the run.
    void exitLeadsToTheRecordsAndTheEnd()
    {
        testing::ProgramTree tree;
        QDir(tree.dir()).mkdir(QStringLiteral("Config"));
        QVERIFY(testing::putFile(tree.dir() + QStringLiteral("/Config/Kelset.dll"),
                                 "[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\n"));
        app::Flow &flow = newFlow(tree.dir());
        QVERIFY(flow.start());
        QSignalSpy ended(&flow, &app::Flow::runEnded);
        QPointer<QWidget> menu = flow.menuWindow();
        m_music.calls.clear();
        click(menu, "Image7");
        flushDeletes();
        QVERIFY2(!menu, "the menu window is destroyed");
        QCOMPARE(m_music.calls, (QStringList{"stop", "close"}));
        QWidget *records = flow.recordsWindow();
        QVERIFY(records && records->isVisible());
        QCOMPARE(element<Label>(records, "EName1")->caption(), QStringLiteral("Ann"));
        QCOMPARE(ended.count(), 0);
        click(records, "Label1");
        QCOMPARE(m_music.calls, (QStringList{"stop", "close", "stop", "close"}));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 0);
    }

    // Back from a game: the menu tune again (the new menu's own start finds it open and
    // only starts it again), a new menu at picture 1, and the game window gone.
    void backGoesToANewMenu()
    {
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        click(flow.menuWindow(), "Image5"); // picture 28
        click(flow.menuWindow(), "Image2");
        flushDeletes();
        QPointer<windows::GameWindow> game = flow.gameWindow();
        QVERIFY(game);
        element<Timer>(game, "Timer2")->fire(); // the shuffle under way
        m_music.calls.clear();
        click(game, "Image4");
        QCOMPARE(m_music.calls,
                 (QStringList{"stop", "close", "open menu", "play", "open menu", "play"}));
        flushDeletes();
        QVERIFY(!game);
        QVERIFY(flow.menuWindow() && flow.menuWindow()->isVisible());
        QCOMPARE(flow.menuWindow()->picture(), 1);
    }

    // Stop answered OK: the music stops and closes, the game window goes, the records window
    // comes.
    void stopConfirmedLeadsToTheRecords()
    {
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        click(flow.menuWindow(), "Image2");
        flushDeletes();
        QPointer<windows::GameWindow> game = flow.gameWindow();
        m_music.calls.clear();
        click(game, "Image3");
        QCOMPARE(m_desktop.questions.size(), 1);
        QCOMPARE(m_music.calls, (QStringList{"stop", "stop", "close"}));
        QVERIFY(game->isHidden());
        flushDeletes();
        QVERIFY(!game);
        QVERIFY(flow.recordsWindow() && flow.recordsWindow()->isVisible());
    }

    // A picture that cannot be read is reported by name and ends the run with status 1: the
    // first preview before anything is shown (and before any music), a preview when stepping
    // to it, the game's pictures at Play (read before the game tune starts).
    void unreadablePictureEndsTheRun_data()
    {
        QTest::addColumn<int>("missing");
        QTest::addColumn<QString>("clicks"); // '<' previous, '>' next, 'p' Play
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("music");
        QTest::newRow("first preview at the start")
            << 1 << ""
            << "Easy/Pic/Prevw/1.pic" << QStringList{"stop", "close"};
        QTest::newRow("stepping to Hard picture 10")
            << 10 << ">>>>>>>>>"
            << "Hard/Pic/Prevw/10.pic" << QStringList{"open menu", "play", "stop", "close"};
        QTest::newRow("the game's pictures at Play")
            << 0 << "p"
            << "Easy/Pic/Shw/1.pic" << QStringList{"open menu", "play", "stop", "close"};
    }
    void unreadablePictureEndsTheRun()
    {
        QFETCH(int, missing);
        QFETCH(QString, clicks);
        QFETCH(QString, file);
        QFETCH(QStringList, music);
        testing::ProgramTree tree; // previews only: no game pictures
        if (missing != 0)
            tree.removePreview(missing);
        app::Flow &flow = newFlow(tree.dir());
        QSignalSpy ended(&flow, &app::Flow::runEnded);
        // The report comes over the window the player was using, its music still playing.
        bool menuShown = false;
        QStringList musicAtReport;
        m_desktop.whileReporting = [&] {
            menuShown = flow.menuWindow() && flow.menuWindow()->isVisible();
            musicAtReport = m_music.calls;
        };
        const bool started = flow.start();
        QCOMPARE(started, missing != 1);
        for (const QChar c : clicks) {
            QWidget *menu = flow.menuWindow();
            click(menu, c == u'<' ? "Image5" : c == u'>' ? "Image6" : "Image2");
        }
        QCOMPARE(m_desktop.fatal.size(), 1);
        QVERIFY2(m_desktop.fatal.first().contains(file), qPrintable(m_desktop.fatal.first()));
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 1);
        QCOMPARE(m_music.calls, music);
        QCOMPARE(musicAtReport, music.mid(0, music.size() - 2)); // the stop comes after
        QCOMPARE(menuShown, missing != 1);
        QVERIFY(!flow.gameWindow());
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName() + " left on screen"));
    }

    // A file of the player's that cannot be played is named with the reason when the menu shows
    // it and again at Play; the menu and its tune stay, and the game's own pictures play on.
    void ownPicturesNeverEndTheRun_data()
    {
        QTest::addColumn<QString>("name"); // locked.png: mode 000; gone.png: gone before Play
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("why");
        QImage image(300, 400, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        const QByteArray jpeg = testing::encodedPicture(image, "JPEG");
        const QByteArray png = testing::encodedPicture(image, "PNG");
        QByteArray huge = jpeg; // a real JPEG whose frame header claims 30000 x 30000
        huge.replace(huge.indexOf(QByteArrayView("\xFF\xC0")) + 5, 4, "\x75\x30\x75\x30");
        const QList<std::tuple<QString, QByteArray, QString>> rows = {
            {"notes.png", "no pixels\n", "not a picture"},
            {"empty.jpg", {}, "empty"},
            {"cut.jpg", jpeg.chopped(200), "damaged"},
            {"cut.png", png.left(png.size() / 2), "read"},
            {"huge.jpg", huge, "30000 x 30000 pixels"},
            {"locked.png", png, "ermission"},
            {"gone.png", png, "does not exist"}};
        for (const auto &[name, bytes, why] : rows)
            QTest::newRow(qPrintable(name)) << name << bytes << why;
    }
    void ownPicturesNeverEndTheRun()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, why);
        if (name == u"locked.png" && ::geteuid() == 0)
            QSKIP("root reads a file of mode 000");
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        const QString file = data.path() + QStringLiteral("/zantho-puzzle/Pictures/") + name;
        QVERIFY(testing::writeFile(file, bytes));
        if (name == u"locked.png")
            QFile::setPermissions(file, {});
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        m_music.calls.clear();
        click(flow.menuWindow(), "Image5"); // from 1 back to the player's only picture
        if (name == u"gone.png")
            QFile::remove(file);
        click(flow.menuWindow(), "Image2");
        flushDeletes();
        QCOMPARE(m_desktop.told.size(), name == u"gone.png" ? 1 : 2);
        for (const QString &told : m_desktop.told)
            QVERIFY2(told.contains(file) && told.contains(why), qPrintable(told));
        QVERIFY2(!flow.gameWindow() && m_music.calls.isEmpty() && m_desktop.fatal.isEmpty(),
                 "the menu and its tune stay");
        click(flow.menuWindow(), "Image6");
        click(flow.menuWindow(), "Image2");
        QVERIFY2(flow.gameWindow(), "the game's own pictures play on");
    }

    // Whatever way the player comes (Exit from the menu, Stop answered OK), one records
    // window, shown alike; a second request (Alt+F4 pressed twice) raises the same one.
    void oneRecordsWindowWhicheverWay_data()
    {
        QTest::addColumn<bool>("fromGame");
        QTest::newRow("Exit from the menu") << false;
        QTest::newRow("Stop answered OK") << true;
    }
    void oneRecordsWindowWhicheverWay()
    {
        QFETCH(bool, fromGame);
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        QPointer<windows::MenuWindow> menu = flow.menuWindow();
        if (fromGame) {
            click(menu, "Image2");
            QPointer<windows::GameWindow> game = flow.gameWindow();
            click(game, "Image3");
            Q_EMIT game->stopConfirmed();
        } else {
            click(menu, "Image7");
            Q_EMIT menu->exitRequested();
        }
        flushDeletes();
        int shown = 0;
        for (QWidget *w : QApplication::topLevelWidgets())
            shown += w->objectName() == QLatin1String("Form4") && w->isVisible() ? 1 : 0;
        QCOMPARE(shown, 1);
        QCOMPARE(flow.recordsWindow()->windowModality(), Qt::ApplicationModal);
    }

    // A close the player did not ask for ends the run at once, with status 0 and without a
    // question: every window closed by the desktop (as at a logout) or the application told
    // to quit, in the middle of a game, or with a won game's dialog open (whose name typed so
    // far is saved). Nothing stays on screen and the music is stopped.
    void closesThePlayerDidNotAskFor_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("won");
        QTest::newRow("all windows closed during a game") << "closeAll" << false;
        QTest::newRow("quit during a game") << "quit" << false;
        QTest::newRow("all windows closed with the dialog open") << "closeAll" << true;
    }
    void closesThePlayerDidNotAskFor()
    {
        QFETCH(QString, how);
        QFETCH(bool, won);
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QVERIFY(flow.start());
        click(flow.menuWindow(), "Image2");
        flushDeletes();
        QPointer<windows::GameWindow> game = flow.gameWindow();
        playUntilDone(game, {testing::kUp});
        int status = -1;
        connect(&flow, &app::Flow::runEnded, this, [&](int s) {
            status = s;
            QCoreApplication::exit(0);
        });
        const auto closeEverything = [how] {
            if (how == QLatin1String("quit"))
                QCoreApplication::quit();
            else
                QApplication::closeAllWindows();
        };
        if (won) {
            // The winning click opens the dialog; inside it the player types, and then the
            // desktop closes everything.
            QTimer::singleShot(0, this, [&] { click(game, "ImE8"); });
            QTimer::singleShot(0, this, [&] {
                QWidget *dialog = QApplication::activeModalWidget();
                if (auto *name = dialog ? element<QLineEdit>(dialog, "Text1") : nullptr)
                    QTest::keyClicks(name, QStringLiteral("Al"));
                closeEverything();
            });
        } else {
            QTimer::singleShot(0, this, closeEverything);
        }
        QTimer::singleShot(10000, this, [] { QCoreApplication::exit(99); }); // never hang
        QCOMPARE(QCoreApplication::exec(), 0);
        QCOMPARE(status, 0);
        QVERIFY(m_desktop.questions.isEmpty());
        QCOMPARE(m_music.calls.mid(m_music.calls.size() - 2), (QStringList{"stop", "close"}));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName() + " left on screen"));
        if (won)
            QVERIFY2(testing::fileBytes(program.records()).contains("NAMCL=Al\r\n"),
                     testing::fileBytes(program.records()).constData());
    }

    // A whole run: menu, Play, the shuffle, the winning click, the name typed into the
    // completion dialog, back to a new menu, Exit, the records window with the new record,
    // and its "Close" ending the run. Under the sanitizers this is the run that must report
    // nothing.
    void playOneWholeRun()
    {
        BuiltProgram program;
        app::Flow &flow = newFlow(program.dir());
        QSignalSpy ended(&flow, &app::Flow::runEnded);
        QVERIFY(flow.start());
        click(flow.menuWindow(), "Image2"); // Play
        flushDeletes();
        QPointer<windows::GameWindow> game = flow.gameWindow();
        QVERIFY(game);
        playUntilDone(game, {testing::kUp}); // ImE8 now stands below the blank
        m_clock.advance();
        element<Timer>(game, "TimSmus")->fire(); // one second of play

        bool dialogSeen = false;
        QString shownClicks, shownTime;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            if (!dialog || dialog->objectName() != QLatin1String("Form5"))
                return;
            dialogSeen = true;
            shownClicks = element<Label>(dialog, "LbClicks")->caption();
            shownTime = element<Label>(dialog, "LbCount")->caption();
            auto *name = element<QLineEdit>(dialog, "Text1");
            if (name && !name->isHidden())
                QTest::keyClicks(name, QStringLiteral("Ada"));
            click(dialog, "Label3");
        });
        m_music.calls.clear();
        click(game, "ImE8"); // the winning slide
        QVERIFY2(dialogSeen, "the completion dialog was shown modally");
        QCOMPARE(shownClicks, QStringLiteral("1"));
        QCOMPARE(shownTime, QStringLiteral("00:01"));
        // The dialog's music stop, then the way back to a new menu.
        QCOMPARE(m_music.calls, (QStringList{"stop", "close", "stop", "close", "open menu", "play",
                                             "open menu", "play"}));
        flushDeletes();
        QVERIFY(!game);

        const QByteArray text = testing::fileBytes(program.records());
        QCOMPARE(text, QByteArray("[EA]\r\nNAMCL=Ada\r\nCLI1=1\r\nTIE1=1\r\nNAMTI=Ada\r\nCLI2=1\r\n"
                                  "TIE2=1\r\n"));

        QVERIFY2(flow.menuWindow(), "the won game goes back to a new menu");
        click(flow.menuWindow(), "Image7"); // Exit
        flushDeletes();
        QWidget *records = flow.recordsWindow();
        QVERIFY(records);
        QCOMPARE(element<Label>(records, "EName1")->caption(), QStringLiteral("Ada"));
        QCOMPARE(element<Label>(records, "EClicks1")->caption(), QStringLiteral("1"));
        QCOMPARE(element<Label>(records, "ETime2")->caption(), QStringLiteral("00:01"));
        click(records, "Label1"); // Close
        QCOMPARE(ended.count(), 1);
        QCOMPARE(ended.first().first().toInt(), 0);
        QVERIFY(m_desktop.fatal.isEmpty());
    }

    // ZANTHO_SEED names the seed of the run's engine; any other text is not a seed.
    void seedFromText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qulonglong>("seed");
        QTest::newRow("a number") << "12345" << true << 12345ull;
        QTest::newRow("with blanks around") << " 7 " << true << 7ull;
        QTest::newRow("the largest") << "18446744073709551615" << true << 18446744073709551615ull;
        QTest::newRow("too large") << "18446744073709551616" << false << 0ull;
        QTest::newRow("negative") << "-1" << false << 0ull;
        QTest::newRow("signed") << "+1" << false << 0ull;
        QTest::newRow("a word") << "seven" << false << 0ull;
        QTest::newRow("empty") << "" << false << 0ull;
    }
    void seedFromText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qulonglong, seed);
        const auto got = app::seedFromText(text);
        QCOMPARE(got.has_value(), valid);
        if (valid)
            QCOMPARE(qulonglong(*got), seed);
    }

    // ZANTHO_SEED in the environment replays a game's shuffle exactly: two runs started
    // with it, each playing the same picture, shuffle to the same board; another seed does
    // not.
    void environmentSeedReplaysTheShuffle()
    {
        BuiltProgram program;
        const auto shuffledBoard = [&](const char *seedText) {
            qputenv("ZANTHO_SEED", seedText);
            core::SeededRandom random(app::runSeed());
            qunsetenv("ZANTHO_SEED");
            app::Flow flow({program.dir(), m_clock, random, m_music, m_desktop, m_solver});
            if (!flow.start())
                return QString();
            click(flow.menuWindow(), "Image5"); // picture 28, Hard
            click(flow.menuWindow(), "Image2");
            windows::GameWindow *game = flow.gameWindow();
            if (!game)
                return QString();
            auto *sequencer = element<Timer>(game, "Timer2");
            auto *steps = element<Timer>(game, "Timer1");
            while (sequencer->isRunning()) {
                sequencer->fire();
                for (int i = 0; i < 30 && steps->isRunning(); ++i)
                    steps->fire();
            }
            QStringList cells;
            for (int k = 0; k <= 14; ++k)
                cells << QString::number(k == 0 ? game->round().board().blankCell()
                                                : game->round().board().cellOf(k));
            return cells.join(u' ');
        };
        const QString first = shuffledBoard("20261209");
        QVERIFY(!first.isEmpty());
        QCOMPARE(shuffledBoard("20261209"), first);
        QVERIFY(shuffledBoard("20261210") != first);
    }
};

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
