#pragma once
// The real sound back end: FluidSynth playing Standard MIDI Files through the machine's audio.

#include "platform/music_output.h"

#include <chrono>
#include <functional>
#include <memory>

namespace platform
{

// Starts the synthesiser without making the caller wait for the SoundFont; calls made
// before it is ready keep their order. Without an audio device or SoundFont: silence.
std::unique_ptr<MusicOutput> startMusicOutput();

// The same with another back end, made on the music thread (null: silence).
std::unique_ptr<MusicOutput> startMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make);

// A sound back end that takes calls at once but does nothing heavy (loading FluidSynth, reading
// the SoundFont) until begin() is called, so that the first window is built and shown first.
// Calls made before then are kept, in order.
struct DeferredMusicOutput {
    std::unique_ptr<MusicOutput> output;
    // Safe to call more than once, and after the output is gone.
    std::function<void()> begin;
};
DeferredMusicOutput prepareMusicOutput();
DeferredMusicOutput prepareMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make);

// Calls `then` on this thread once the first window of the program is on screen and painted,
// or after `fallback` if none is by then (a window can be shown where it is never exposed).
// Needs the event loop running; at most one call.
void afterFirstWindowShown(std::function<void()> then,
                           std::chrono::milliseconds fallback = std::chrono::seconds(2));

} // namespace platform
