#pragma once
// The completion dialog: time and clicks of the won game, and the name prompt when a record
// is beaten. Built afresh for every won game.

#include "session/game_result.h"

#include <QDialog>
#include <QPointer>

#include <optional>

namespace platform
{
class Label;
class Picture;
class TextBox;
} // namespace platform

namespace records
{

class Form5 : public QDialog
{
    Q_OBJECT
public:
    // Its load stops the music and the game window's two clocks, so the result it is about
    // to show and check is final.
    explicit Form5(QWidget *gameWindow);

    // Shows the prompt and the entry box exactly when "Close" will write.
    void CheckRecords();

    platform::Label *LbCount = nullptr;
    platform::Label *LbClicks = nullptr;

protected:
    // Escape or the window manager would close the dialog without "Close" writing the record.
    void reject() override {}

private:
    void load();
    void closeClicked();                                   // Label3
    std::optional<session::GameResult> gameResult() const; // none: no level shown

    QPointer<QWidget> m_game;
    platform::Picture *Image1 = nullptr;
    platform::Label *Label1 = nullptr;
    platform::Label *Label2 = nullptr;
    platform::Label *Label3 = nullptr;
    platform::Label *Label4 = nullptr;
    platform::Label *Label5 = nullptr;
    platform::TextBox *Text1 = nullptr;
};

} // namespace records
