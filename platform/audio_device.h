#pragma once
// Whether the machine has somewhere to play sound, decided from a few files before FluidSynth
// is loaded: without a sound server or card the game never maps the synthesiser's libraries
// nor reads a SoundFont.

#include <QString>

namespace platform
{

// Where to look; fromEnvironment() gives the real places.
struct AudioPlaces {
    QString pulseServer; // $PULSE_SERVER: "unix:/path", "/path", "tcp:host" ..., space-separated
    QString runtimeDir;  // $XDG_RUNTIME_DIR, where a PulseAudio or PipeWire server has its socket
    QString alsaCards = QStringLiteral("/proc/asound/cards");

    static AudioPlaces fromEnvironment();
};

enum class AudioRoute {
    None,
    SoundServer, // PulseAudio, or PipeWire through its PulseAudio socket
    AlsaCard,
};

AudioRoute findAudioRoute(const AudioPlaces &places);

} // namespace platform
