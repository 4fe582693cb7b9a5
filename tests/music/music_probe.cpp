// The game's real music chain in a process of its own, for tst_audio_device: prints whether
// the music would play and whether FluidSynth was loaded; what the chain says goes to stderr,
// as in the game.
//   music_probe [--library NAME] [--cards FILE]
#include "platform/fluid_player.h"

#include <QFile>

#include <cstdio>
#include <cstring>

int main(int argc, char *argv[])
{
    platform::FluidOptions options;
    options.soundFont = platform::soundFontFromEnvironment();
    platform::AudioPlaces places = platform::AudioPlaces::fromEnvironment();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--library") == 0)
            options.library = argv[i + 1];
        else if (std::strcmp(argv[i], "--cards") == 0)
            places.alsaCards = QString::fromLocal8Bit(argv[i + 1]);
    }
    const auto output = platform::startFluidOutput(options, places);
    QFile maps(QStringLiteral("/proc/self/maps"));
    const bool mapped =
        maps.open(QIODevice::ReadOnly) && maps.readAll().contains("/libfluidsynth.so");
    std::printf("%s fluidsynth=%s\n", output ? "ready" : "silent", mapped ? "loaded" : "absent");
    return 0;
}
