#pragma once
// The real music device: FluidSynth playing Standard MIDI Files through the machine's audio.

#include "platform/music.h"

#include <memory>

namespace platform {

// Starts the synthesiser without making the caller wait for the SoundFont; commands sent
// before it is ready keep their order. Without an audio device or SoundFont: silence.
std::shared_ptr<MusicDevice> startMusicDevice();

} // namespace platform
