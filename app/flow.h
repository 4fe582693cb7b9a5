#pragma once
// The one place that decides which window comes next and when the run ends. The windows
// only say what the player asked for (play this picture, back, stop confirmed, exit, a game
// finished with its result, records closed); the flow answers, runs the music that goes with
// each window, and reports a picture that cannot be read.

#include "platform/data_tree.h"
#include "platform/player_pictures.h"
#include "platform/user_folders.h"
#include "records/records_file.h"
#include "session/game_result.h"

#include <QObject>
#include <QPointer>

namespace core
{
class RandomSource;
}

namespace platform
{
class Desktop;
class MusicPlayer;
class ShortestSolver;
class TimeSource;
} // namespace platform

namespace windows
{
class CompletionDialog;
class GameWindow;
class MenuWindow;
class RecordsWindow;
} // namespace windows

namespace app
{

// What a run takes from outside; the flow keeps references, so they must outlive it.
struct RunServices {
    QString programDir;
    platform::TimeSource &clock;
    core::RandomSource &random;
    platform::MusicPlayer &music;
    platform::Desktop &desktop;
    platform::ShortestSolver &solver;
    // The player's own folders: the records go there when the program folder's may not be
    // written.
    platform::UserFolders userFolders = platform::UserFolders::fromEnvironment();
};

class Flow : public QObject
{
    Q_OBJECT
public:
    explicit Flow(const RunServices &services);
    ~Flow() override;

    // Opens the menu with its music. False when it cannot be shown: the report has been made
    // and the run has ended with status 1.
    bool start();

    // Ends the run at once, for a quit the player did not ask for (the session ends, the
    // desktop closes every window, SIGTERM): no question, and a record whose dialog is open
    // is saved with the name typed so far.
    void endRun(int status);

    // The windows on screen now, for tests and tools; null where there is none.
    windows::MenuWindow *menuWindow() const;
    windows::GameWindow *gameWindow() const;
    windows::RecordsWindow *recordsWindow() const;

Q_SIGNALS:
    // The run is over: the program ends with this status.
    void runEnded(int status);

private:
    bool showMenu();
    void releasePicturesWhenGone(QObject *window);
    void play(int picture, const QString &ownFile);
    void showHelp();
    void exitFromMenu();
    void backToMenu();
    void stopConfirmed();
    void gameFinished(const session::GameResult &result);
    void showRecords();
    void closeRecords();
    void reportUnreadable(const QString &problem);
    void onLastWindowClosed();

    platform::DataTree m_tree;
    platform::PlayerPictures m_ownPictures;
    platform::TimeSource &m_clock;
    core::RandomSource &m_random;
    platform::MusicPlayer &m_music;
    platform::Desktop &m_desktop;
    platform::ShortestSolver &m_solver;
    records::RecordsFile m_recordsFile;
    QPointer<windows::MenuWindow> m_menu;
    QPointer<windows::GameWindow> m_game;
    QPointer<windows::RecordsWindow> m_records;
    QPointer<windows::CompletionDialog> m_dialog;
    bool m_ended = false;
    bool m_reporting = false;
    int m_switching = 0; // inside a change of windows, when for a moment none may be shown
};

} // namespace app
