#pragma once
// The real music device: FluidSynth playing Standard MIDI Files through the machine's audio.

#include "platform/music.h"

#include <chrono>
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

// A music device that answers at once but does nothing heavy (loading FluidSynth, reading the
// SoundFont) until begin() is called, so that the first window is built and shown first.
// Commands sent before then are kept, in order.
struct DeferredMusicDevice {
    std::shared_ptr<MusicDevice> device;
    // Safe to call more than once, and after the device is gone.
    std::function<void()> begin;
};
DeferredMusicDevice prepareMusicDevice();
DeferredMusicDevice prepareMusicDevice(std::function<std::unique_ptr<MusicOutput>()> make);

// Calls `then` on this thread once the first window of the program is on screen and painted,
// or after `fallback` if none is by then (a window can be shown where it is never exposed).
// Needs the event loop running; at most one call.
void afterFirstWindowShown(std::function<void()> then,
                           std::chrono::milliseconds fallback = std::chrono::seconds(2));

} // namespace platform
