#pragma once
// What a won game hands on: its board and its two measures, as plain values.

#include "core/board.h"

namespace session
{

struct GameResult {
    core::Level level = core::Level::Normal;
    int seconds = 0; // whole seconds of play, as the game clock counted them
    int clicks = 0;  // slides, including the one that completed the picture
    friend bool operator==(const GameResult &, const GameResult &) = default;
};

} // namespace session
