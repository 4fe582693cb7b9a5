#pragma once
// The completion dialog: the won game's time and clicks, the fewest clicks the game needed
// when the solver told them, and the name prompt when the game beats a record of its level
// (for a game with a hint, why it sets none). "Close" saves the beaten records with the
// typed name. Built afresh for every won game.

#include "records/records_file.h"
#include "session/game_result.h"

#include <QDialog>
#include <QSemaphore>

#include <atomic>
#include <memory>

class QThread;

namespace platform
{
class Desktop;
class Label;
class TextBox;
} // namespace platform

namespace windows
{

class CompletionDialog : public QDialog
{
    Q_OBJECT
public:
    CompletionDialog(const session::GameResult &result, records::RecordsFile &records,
                     platform::Desktop &desktop, QWidget *parent = nullptr);
    ~CompletionDialog() override; // after a save under way has ended

    // What "Close" does: the beaten records saved with the name typed so far, off the
    // window's thread, so that waiting for another copy of the game keeps the window alive;
    // then the dialog closes, or tells the player of a promised record the file did not take
    // and closes at the next "Close". The window manager's close comes here.
    void saveAndClose();
    // A run that ends with the dialog open (a logout, a signal, the desktop closing every
    // window): what beats is saved with the name typed so far and the dialog closes; nothing
    // waits for the player.
    void saveAtEndOfRun();
    // In the place of the name prompt: why a record the game beat is not set. The next
    // "Close" closes the dialog and saves nothing more.
    void showNotRecorded(const records::NotRecorded &why);

protected:
    void reject() override { saveAndClose(); }
    void closeEvent(QCloseEvent *event) override;
    // Enter is "Close"; Escape does not close it: the player would think the record thrown
    // away.
    void keyPressEvent(QKeyEvent *event) override;

private:
    enum class Stage { Open, Saving, Told, Closed };

    void showShortest(int clicks);
    void checkRecords();
    void startSave();
    void saved();
    void showNote(const QString &text);

    session::GameResult m_result;
    records::RecordsFile &m_records;
    platform::Desktop &m_desktop;
    platform::Label *m_namePrompt = nullptr;
    platform::TextBox *m_nameEntry = nullptr;
    platform::Label *m_note = nullptr;
    records::Beaten m_promised; // what the name prompt was shown for
    Stage m_stage = Stage::Open;
    std::unique_ptr<QThread> m_saver;
    records::SaveOutcome m_outcome; // written by m_saver, read once it has finished
    QSemaphore m_savedOrWaiting;    // released by m_saver: saved, or waiting for another copy
    std::atomic<bool> m_waitingForLock = false;
};

} // namespace windows
