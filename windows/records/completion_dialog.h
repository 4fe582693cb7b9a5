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

protected:
    // Escape or the window manager would close the dialog without "Close" saving the record.
    void reject() override {}

private:
    void checkRecords();
    void onCloseClicked();

    session::GameResult m_result;
    records::RecordsFile &m_records;
    platform::Desktop &m_desktop;
    platform::Label *m_namePrompt = nullptr;
    platform::TextBox *m_nameEntry = nullptr;
};

} // namespace windows
