#pragma once
// The game's two tunes, written as note data: a calm menu tune and a light game tune,
// each a little under the 409 seconds after which the game starts its music again.

#include "score.h"

namespace tunes
{

constexpr double kTuneSeconds = 408.5;     // end of the tracks
constexpr double kLastNoteSeconds = 405.0; // the final chord has died away before the end

Song introTune(); // "ZnIntro.mus", the menu
Song gameTune();  // "ZnGame.mus", while a puzzle is played

// Scales every tempo so that the last note ends at `seconds`, keeping the tempo shape.
void fitToSeconds(Song &song, double seconds);

} // namespace tunes
