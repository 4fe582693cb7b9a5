// What the music costs the game: how long startMusicOutput() holds up the caller, the CPU
// the synthesiser takes while the game tune plays, and the memory it adds.
//
//   music_bench [--seconds N] [--rate HZ] [--polyphony N] [--reverb 0|1] [--chorus 0|1]
//               [--interp 0|1|4|7] [--gain G] [--period FRAMES] [--periods N]
//               [--soundfont FILE] [--all-presets] [--offline [--wav OUT.wav]] <ZnGame.mus>
//
// Prints one line of key=value pairs. Without options it measures startMusicOutput() itself
// (which reads ZANTHO_SOUNDFONT like the game). --offline renders as fast as it goes, with
// --wav into a 16-bit stereo WAV file.
#include "platform/fluid_library.h"
#include "platform/fluid_player.h"
#include "platform/music_device.h"
#include "platform/sequencer_music.h"

#include <QString>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto s = [](const timeval &t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return s(usage.ru_utime) + s(usage.ru_stime);
}

// One line of /proc/self/status ("VmRSS", "RssAnon", "RssFile", "RssShmem"), in megabytes.
double statusMegabytes(const char *key)
{
    std::ifstream status("/proc/self/status");
    const std::string prefix = std::string(key) + ":";
    for (std::string line; std::getline(status, line);)
        if (line.rfind(prefix, 0) == 0)
            return std::atof(line.c_str() + prefix.size()) / 1024.0;
    return 0;
}

struct Memory {
    double rss = statusMegabytes("VmRSS");
    double anon = statusMegabytes("RssAnon");
    double file = statusMegabytes("RssFile");
    double shmem = statusMegabytes("RssShmem");
};

// A canonical 44-byte header for 16-bit stereo PCM.
void writeWavHeader(std::ostream &out, int rate, std::uint32_t frames)
{
    const auto u32 = [&](std::uint32_t v) {
        const char b[] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
        out.write(b, 4);
    };
    const auto u16 = [&](std::uint16_t v) {
        const char b[] = {char(v), char(v >> 8)};
        out.write(b, 2);
    };
    const std::uint32_t bytes = frames * 4;
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(2);
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate) * 4);
    u16(4);
    u16(16);
    out.write("data", 4);
    u32(bytes);
}

double since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char *argv[])
{
    platform::FluidOptions options;
    options.soundFont = platform::soundFontFromEnvironment();
    bool custom = false, offline = false;
    std::string wav;
    double seconds = 30;
    QString file;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto next = [&] { return i + 1 < argc ? std::atof(argv[++i]) : 0.0; };
        if (a == "--seconds")
            seconds = next();
        else if (a == "--rate")
            options.sampleRate = next(), custom = true;
        else if (a == "--polyphony")
            options.polyphony = int(next()), custom = true;
        else if (a == "--reverb")
            options.reverb = next() != 0, custom = true;
        else if (a == "--chorus")
            options.chorus = next() != 0, custom = true;
        else if (a == "--period")
            options.periodSize = int(next()), custom = true;
        else if (a == "--periods")
            options.periods = int(next()), custom = true;
        else if (a == "--adjust-latency")
            options.pulseAdjustLatency = next() != 0, custom = true;
        else if (a == "--all-presets")
            options.presetsOfTuneOnly = false, custom = true;
        else if (a == "--interp")
            options.interpolation = int(next()), custom = true;
        else if (a == "--gain")
            options.gain = next(), custom = true;
        else if (a == "--soundfont" && i + 1 < argc)
            options.soundFont = QString::fromLocal8Bit(argv[++i]), custom = true;
        else if (a == "--wav" && i + 1 < argc)
            wav = argv[++i];
        else if (a == "--offline")
            offline = true;
        else
            file = QString::fromLocal8Bit(argv[i]);
    }
    if (file.isEmpty()) {
        std::fprintf(stderr, "usage: %s [options] <ZnGame.mus>\n", argv[0]);
        return 2;
    }

    if (offline) {
        // The synthesis alone, as fast as it goes: CPU per second of music.
        const Memory before;
        QString why;
        const platform::FluidSynth *fluid = platform::loadFluidSynth(options.library, &why);
        if (!fluid) {
            std::fprintf(stderr, "%s\n", qPrintable(why));
            return 1;
        }
        platform::quietSoundLibraries(*fluid);
        const Memory libraries;
        platform::FluidPlayer player(*fluid, options);
        const QString soundFont =
            options.soundFont.isEmpty()
                ? platform::findSoundFont(options.soundFontDir, options.soundFontNames)
                : options.soundFont;
        if (!player.loadSoundFont(soundFont)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(soundFont));
            return 1;
        }
        const Memory loaded;
        player.load(file);
        player.playFromStart();
        std::vector<std::int16_t> block(2 * 1024);
        const int blockCount = int(std::ceil(seconds * options.sampleRate / 1024));
        std::ofstream out;
        if (!wav.empty()) {
            out.open(wav, std::ios::binary);
            writeWavHeader(out, int(options.sampleRate), std::uint32_t(blockCount) * 1024);
        }
        const double cpu0 = cpuSeconds();
        int most = 0;
        double sum = 0;
        int blocks = 0;
        for (; blocks < blockCount; ++blocks) {
            player.render(block.data(), 1024);
            if (out.is_open())
                out.write(reinterpret_cast<const char *>(block.data()),
                          std::streamsize(block.size() * sizeof(std::int16_t)));
            most = std::max(most, player.activeVoices());
            sum += player.activeVoices();
        }
        const Memory after;
        std::printf("mode=offline music_s=%.0f cpu_percent_of_core=%.2f libraries_mb=%.1f "
                    "soundfont_mb=%.1f tune_mb=%.1f voices_max=%d voices_mean=%.1f\n",
                    seconds, 100 * (cpuSeconds() - cpu0) / seconds, libraries.rss - before.rss,
                    loaded.rss - libraries.rss, after.rss - loaded.rss, most, sum / blocks);
        return 0;
    }

    const Memory before;
    const auto t0 = std::chrono::steady_clock::now();
    auto output =
        custom
            ? platform::startMusicOutput([options] { return platform::startFluidOutput(options); })
            : platform::startMusicOutput();
    const double blockedMs = since(t0) * 1000;
    auto device = std::make_unique<platform::SequencerMusic>(file, file, std::move(output));
    platform::startTune(*device, platform::Tune::Menu);

    // Let the SoundFont load and the tune settle in before measuring.
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double cpu0 = cpuSeconds();
    const auto t1 = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double cpu = cpuSeconds() - cpu0;
    const double wall = since(t1);
    const Memory after;
    device.reset();
    std::printf("mode=realtime blocked_ms=%.3f cpu_percent_of_core=%.2f rss_added_mb=%.1f "
                "(anon=%.1f file=%.1f shmem=%.1f)\n",
                blockedMs, 100 * cpu / wall, after.rss - before.rss, after.anon - before.anon,
                after.file - before.file, after.shmem - before.shmem);
    return 0;
}
