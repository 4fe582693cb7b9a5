#pragma once
// What the music player asks of a sound back end: one MIDI file loaded, played from its
// start, stopped, unloaded. Calls return at once and never fail visibly: a back end without
// sound simply stays silent.

#include <QString>

namespace platform
{

class MusicOutput
{
public:
    virtual ~MusicOutput() = default;
    virtual void load(const QString &path) = 0; // a file that starts as a Standard MIDI File
    virtual void playFromStart() = 0;
    virtual void stop() = 0;
    virtual void unload() = 0;
};

// True when `path` names a readable file that begins with a MIDI header chunk.
bool isMidiFile(const QString &path);

} // namespace platform
