#pragma once
// The win hand-off up to the closed dialog: creates Form5 (its load stops the music and both
// clocks of the game window), copies time and clicks, checks the records, shows it modally.
// Returns when the player has pressed "Close"; the caller then goes back to the menu.

class QWidget;

namespace records
{
void showCompletionDialog(QWidget *gameWindow);
}
