#pragma once
// The real sound back end: FluidSynth playing Standard MIDI Files through the machine's audio.

#include "platform/music_output.h"

#include <functional>
#include <memory>

namespace platform
{

// Starts the synthesiser without making the caller wait for the SoundFont; calls made
// before it is ready keep their order. Without an audio device or SoundFont: silence.
std::unique_ptr<MusicOutput> startMusicOutput();

// The same with another back end, made on the music thread (null: silence).
std::unique_ptr<MusicOutput> startMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make);

} // namespace platform
