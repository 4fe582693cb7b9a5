#pragma once
// The real music device: FluidSynth playing Standard MIDI Files through the machine's audio.

#include "platform/music.h"

#include <functional>
#include <memory>

namespace platform
{

class MusicOutput;

// Starts the synthesiser without making the caller wait for the SoundFont; commands sent
// before it is ready keep their order. Without an audio device or SoundFont: silence.
std::shared_ptr<MusicDevice> startMusicDevice();

// The same with another back end, made on the music thread (null: silence).
std::shared_ptr<MusicDevice> startMusicDevice(std::function<std::unique_ptr<MusicOutput>()> make);

} // namespace platform
