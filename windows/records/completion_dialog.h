#pragma once
// The completion dialog: the won game's time and clicks, and the name prompt when the game
// beats a record of its level. "Close" saves the beaten records with the typed name. Built
// afresh for every won game.

#include "session/game_result.h"

#include <QDialog>

namespace platform
{
class Desktop;
class Label;
class TextBox;
} // namespace platform

namespace records
{
class RecordsFile;
}

namespace windows
{

class CompletionDialog : public QDialog
{
    Q_OBJECT
public:
    CompletionDialog(const session::GameResult &result, records::RecordsFile &records,
                     platform::Desktop &desktop, QWidget *parent = nullptr);

    // What "Close" does: the beaten records saved with the name typed so far, the dialog
    // closed. The window manager's close and a run that ends with the dialog open come here.
    void saveAndClose();

protected:
    void reject() override { saveAndClose(); }
    // Enter is "Close"; Escape does not close it: the player would think the record thrown
    // away.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void checkRecords();

    session::GameResult m_result;
    records::RecordsFile &m_records;
    platform::Desktop &m_desktop;
    platform::Label *m_namePrompt = nullptr;
    platform::TextBox *m_nameEntry = nullptr;
    bool m_saved = false;
};

} // namespace windows
