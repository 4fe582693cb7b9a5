#pragma once
// What a won game hands on: its board and its two measures, as plain values.

#include "core/board.h"

#include <optional>

namespace session
{

struct GameResult {
    core::Level level = core::Level::Normal;
    int seconds = 0;       // whole seconds of play, as the game clock counted them
    int clicks = 0;        // slides, including the one that completed the picture
    bool hintUsed = false; // such a game sets no record
    // The fewest clicks the board needed when play opened; unknown when the solver had not
    // answered by the win, or the game was won before play opened.
    std::optional<int> shortestClicks = std::nullopt;
    friend bool operator==(const GameResult &, const GameResult &) = default;
};

} // namespace session
