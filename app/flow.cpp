#include "app/flow.h"

#include "platform/desktop.h"
#include "platform/music_player.h"
#include "platform/user_folders.h"
#include "resources/resources.h"
#include "windows/game/game_window.h"
#include "windows/menu/help_window.h"
#include "windows/menu/menu_window.h"
#include "windows/records/completion_dialog.h"
#include "windows/records/records_window.h"

#include <QApplication>

#include <cstdio>

namespace app
{

namespace
{
// Marks a change of windows: the moment between one window closing and the next showing is
// not the end of the run.
class Switching
{
public:
    explicit Switching(int &depth) : m_depth(depth) { ++m_depth; }
    ~Switching() { --m_depth; }
    Switching(const Switching &) = delete;
    Switching &operator=(const Switching &) = delete;

private:
    int &m_depth;
};

records::PlayerFolder playerFolderOf(const platform::UserFolders &folders)
{
    if (const QString data = folders.gameData(); !data.isEmpty())
        return {data, {}};
    return {{}, QStringLiteral("XDG_DATA_HOME, HOME and the password database name none")};
}

} // namespace

Flow::Flow(const RunServices &services)
    : m_tree(services.programDir), m_ownPictures(services.userFolders.pictures()),
      m_clock(services.clock), m_random(services.random), m_music(services.music),
      m_desktop(services.desktop), m_solver(services.solver),
      m_recordsFile(records::RecordsFile::forInstalled(m_tree.path(records::recordsFileRule()),
                                                       playerFolderOf(services.userFolders)))
{
    // Every window of the run closed by somebody else than the flow (the desktop closing
    // all windows, a session that ends): the run is over, with nothing left on screen.
    connect(qGuiApp, &QGuiApplication::lastWindowClosed, this, &Flow::onLastWindowClosed);
}

Flow::~Flow()
{
    delete m_menu;
    delete m_game;
    delete m_records;
}

windows::MenuWindow *Flow::menuWindow() const
{
    return m_menu;
}
windows::GameWindow *Flow::gameWindow() const
{
    return m_game;
}
windows::RecordsWindow *Flow::recordsWindow() const
{
    return m_records;
}

bool Flow::start()
{
    return showMenu();
}

bool Flow::showMenu()
{
    auto *menu = new windows::MenuWindow(m_tree, m_desktop, m_ownPictures);
    const QString problem = menu->load();
    if (!problem.isEmpty()) {
        delete menu; // nothing is shown
        reportUnreadable(problem);
        return false;
    }
    m_menu = menu;
    releasePicturesWhenGone(menu);
    connect(menu, &windows::MenuWindow::playRequested, this, &Flow::play);
    connect(menu, &windows::MenuWindow::helpRequested, this, &Flow::showHelp);
    connect(menu, &windows::MenuWindow::exitRequested, this, &Flow::exitFromMenu);
    connect(menu, &windows::MenuWindow::pictureUnreadable, this, &Flow::reportUnreadable);
    platform::startTune(m_music, platform::Tune::Menu);
    menu->show();
    // The skin's picture has given the window its shape and is needed no more.
    resources::releaseUnused();
    return true;
}

void Flow::play(int picture, const QString &ownFile)
{
    Switching switching(m_switching);
    // The pictures first: one that cannot be read leaves the menu as it was, its tune playing.
    // A broken data tree is reported and ends the run; a picture of the player's own is only
    // told about, and the game's own pictures play on.
    const windows::GamePictures pictures = ownFile.isEmpty()
                                               ? windows::loadGamePictures(m_tree, picture)
                                               : windows::loadGamePictures(ownFile);
    if (!pictures.ok()) {
        if (ownFile.isEmpty())
            reportUnreadable(pictures.problem);
        else
            m_desktop.tell(m_menu, pictures.problem, QStringLiteral("Zantho Puzzle +1"));
        return;
    }
    platform::switchTune(m_music, platform::Tune::Game);
    auto *game = new windows::GameWindow(pictures.level, pictures,
                                         {m_clock, m_random, m_music, m_desktop, m_solver});
    m_game = game;
    releasePicturesWhenGone(game);
    connect(game, &windows::GameWindow::backRequested, this, &Flow::backToMenu);
    connect(game, &windows::GameWindow::stopConfirmed, this, &Flow::stopConfirmed);
    connect(game, &windows::GameWindow::finished, this, &Flow::gameFinished);
    if (m_menu)
        m_menu->close();
    game->start();
    game->show();
}

void Flow::releasePicturesWhenGone(QObject *window)
{
    // The next window holds what it shows by now; what only the closed one showed goes.
    connect(window, &QObject::destroyed, this, [] { resources::releaseUnused(); });
}

void Flow::showHelp()
{
    windows::HelpWindow help(m_menu, m_tree.helpPage());
    if (!help.problem().isEmpty()) {
        reportUnreadable(help.problem());
        return;
    }
    help.exec();
}

void Flow::exitFromMenu()
{
    Switching switching(m_switching);
    platform::stopAndClose(m_music);
    if (m_menu)
        m_menu->close();
    showRecords();
}

void Flow::backToMenu()
{
    Switching switching(m_switching);
    platform::switchTune(m_music, platform::Tune::Menu);
    const bool shown = showMenu();
    if (m_game)
        m_game->leave();
    Q_UNUSED(shown); // a menu that could not be shown has ended the run
}

void Flow::stopConfirmed()
{
    Switching switching(m_switching);
    platform::stopAndClose(m_music);
    if (m_game)
        m_game->leave();
    showRecords();
}

void Flow::gameFinished(const session::GameResult &result)
{
    // The result is final: the music stops while the dialog is open.
    platform::stopAndClose(m_music);
    {
        windows::CompletionDialog dialog(result, m_recordsFile, m_desktop, m_game);
        m_dialog = &dialog;
        dialog.exec();
    }
    if (!m_ended)
        backToMenu();
}

void Flow::showRecords()
{
    // One records window at a time, whichever way the player came.
    if (m_records) {
        m_records->raise();
        m_records->activateWindow();
        return;
    }
    auto *records = new windows::RecordsWindow(m_recordsFile.read(), m_recordsFile.place());
    if (!records->problem().isEmpty()) {
        const QString problem = records->problem();
        delete records;
        reportUnreadable(problem);
        return;
    }
    m_records = records;
    connect(records, &windows::RecordsWindow::closeRequested, this, &Flow::closeRecords);
    records->show();
}

void Flow::closeRecords()
{
    endRun(0);
}

void Flow::reportUnreadable(const QString &problem)
{
    // A second report while the first is on screen (another window running into the same
    // missing tree) adds nothing.
    if (m_ended || m_reporting)
        return;
    m_reporting = true;
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::fflush(stderr);
    // The report comes over the window the player was using, with its music still playing;
    // the run ends once the player has read it. Nothing is half-written: records are
    // replaced whole.
    m_desktop.reportFatal(problem);
    endRun(1);
}

void Flow::onLastWindowClosed()
{
    if (m_switching == 0)
        endRun(0);
}

void Flow::endRun(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    if (m_dialog)
        m_dialog->saveAtEndOfRun(); // the name typed so far is not lost
    platform::stopAndClose(m_music);
    if (m_game)
        m_game->leave();
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    Q_EMIT runEnded(status);
}

} // namespace app
