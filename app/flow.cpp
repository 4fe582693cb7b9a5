#include "app/flow.h"

#include "platform/desktop.h"
#include "platform/music_player.h"
#include "windows/game/game_window.h"
#include "windows/menu/help_window.h"
#include "windows/menu/menu_window.h"
#include "windows/records/completion_dialog.h"
#include "windows/records/records_window.h"

#include <QApplication>

#include <cstdio>

namespace app
{

Flow::Flow(const RunServices &services)
    : m_tree(services.programDir), m_clock(services.clock), m_random(services.random),
      m_music(services.music), m_desktop(services.desktop), m_recordsFile(m_tree.recordsFile())
{
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
    auto *menu = new windows::MenuWindow(m_tree, m_desktop);
    const QString problem = menu->load();
    if (!problem.isEmpty()) {
        delete menu; // nothing is shown
        reportUnreadable(problem);
        return false;
    }
    m_menu = menu;
    connect(menu, &windows::MenuWindow::playRequested, this, &Flow::play);
    connect(menu, &windows::MenuWindow::helpRequested, this, &Flow::showHelp);
    connect(menu, &windows::MenuWindow::exitRequested, this, &Flow::exitFromMenu);
    connect(menu, &windows::MenuWindow::pictureUnreadable, this, &Flow::reportUnreadable);
    platform::startTune(m_music, platform::Tune::Menu);
    menu->show();
    return true;
}

void Flow::play(int picture)
{
    platform::switchTune(m_music, platform::Tune::Game);
    // A picture that cannot be read is reported; the game goes no further and the menu stays
    // where it is.
    const windows::GamePictures pictures = windows::loadGamePictures(m_tree, picture);
    if (!pictures.ok()) {
        reportUnreadable(pictures.problem);
        return;
    }
    auto *game =
        new windows::GameWindow(picture, pictures, {m_clock, m_random, m_music, m_desktop});
    m_game = game;
    connect(game, &windows::GameWindow::backRequested, this, &Flow::backToMenu);
    connect(game, &windows::GameWindow::stopConfirmed, this, &Flow::stopConfirmed);
    connect(game, &windows::GameWindow::finished, this, &Flow::gameFinished);
    if (m_menu)
        m_menu->close();
    game->start();
    game->show();
}

void Flow::showHelp()
{
    windows::HelpWindow help(m_menu, m_tree.helpPage());
    help.exec();
}

void Flow::exitFromMenu()
{
    platform::stopAndClose(m_music);
    if (m_menu)
        m_menu->close();
    showRecords();
}

void Flow::backToMenu()
{
    platform::switchTune(m_music, platform::Tune::Menu);
    const bool shown = showMenu();
    if (m_game)
        m_game->leave();
    Q_UNUSED(shown); // a menu that could not be shown has ended the run
}

void Flow::stopConfirmed()
{
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
        dialog.exec();
    }
    if (!m_ended)
        backToMenu();
}

void Flow::showRecords()
{
    auto *records = new windows::RecordsWindow(m_recordsFile.read());
    m_records = records;
    connect(records, &windows::RecordsWindow::closeRequested, this, &Flow::closeRecords);
    records->show();
}

void Flow::closeRecords()
{
    platform::stopAndClose(m_music);
    endRun(0);
}

void Flow::reportUnreadable(const QString &problem)
{
    // A second report while the first is on screen (another window running into the same
    // missing tree) adds nothing.
    if (m_ended)
        return;
    std::fprintf(stderr, "%s\n", qPrintable(problem));
    std::fflush(stderr);
    platform::stopAndClose(m_music);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    m_ended = true;
    m_desktop.reportFatal(problem);
    // The picture the game needs is not there; nothing can go on, and nothing is
    // half-written (records are replaced atomically).
    Q_EMIT runEnded(1);
}

void Flow::endRun(int status)
{
    if (m_ended)
        return;
    m_ended = true;
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    Q_EMIT runEnded(status);
}

} // namespace app
