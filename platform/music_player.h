#pragma once
// The game's music: one player at a time, for the menu tune as well as for the game tune.
// A tune is opened, played from its start, stopped and closed; what cannot be done (a file
// that is missing or not MIDI, a second tune opened over the first, playing with none open)
// only means silence or no change, never an error the game has to handle.

namespace platform
{

enum class Tune { Menu, Game };

class MusicPlayer
{
public:
    virtual ~MusicPlayer() = default;
    // Opens a tune; while one is open this changes nothing (the open tune stays as it is).
    virtual void open(Tune tune) = 0;
    virtual void playFromStart() = 0; // there is no resume: every play starts at the beginning
    virtual void stop() = 0;
    virtual void close() = 0;
};

// The sequences the game runs, one per occasion.
void startTune(MusicPlayer &music, Tune tune);  // open; play (a menu window appears)
void switchTune(MusicPlayer &music, Tune tune); // stop; close; open; play (Play, back)
void stopAndClose(MusicPlayer &music);          // exit, stop confirmed, puzzle completed
void restartTune(MusicPlayer &music);           // stop; play (the game tune's repeat)

} // namespace platform
