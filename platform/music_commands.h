#pragma once
// The command strings of the game's music, interpreted: one player under the alias "INTRO",
// opened from a MIDI file, played from its start, stopped and closed. The sound itself
// comes from a MusicOutput, so the rules can be tested with a double.

#include "platform/music.h"

#include <QString>

#include <memory>

namespace platform
{

// What the interpreter asks of a sound back end. Calls return at once and never fail
// visibly: a back end without sound simply stays silent.
class MusicOutput
{
public:
    virtual ~MusicOutput() = default;
    virtual void load(const QString &path) = 0; // a file that starts as a Standard MIDI File
    virtual void playFromStart() = 0;
    virtual void stop() = 0;
    virtual void unload() = 0;
};

// Results of sendCommand; 0 is success.
enum MusicResult : int {
    MusicOk = 0,
    MusicUnknownCommand = 1, // not one of the four commands
    MusicAliasInUse = 2,     // OPEN while the alias is open: the open music stays as it is
    MusicAliasNotOpen = 3,   // PLAY, STOP or CLOSE of an alias that is not open
    MusicFileUnreadable = 4, // OPEN of a missing file or of one that is not MIDI
};

class MusicCommands final : public MusicDevice
{
public:
    explicit MusicCommands(std::unique_ptr<MusicOutput> output);
    ~MusicCommands() override;

    // "OPEN <path> TYPE SEQUENCER ALIAS INTRO", "PLAY INTRO FROM 0", "STOP INTRO",
    // "CLOSE INTRO"; keywords in any letter case, as the classic interface took them.
    int sendCommand(const QString &command) override;

    bool isOpen() const { return m_open; }
    bool isPlaying() const { return m_playing; } // since the last PLAY, until STOP or CLOSE

private:
    std::unique_ptr<MusicOutput> m_output;
    bool m_open = false;
    bool m_playing = false;
};

// True when `path` names a readable file that begins with a MIDI header chunk.
bool isMidiFile(const QString &path);

} // namespace platform
