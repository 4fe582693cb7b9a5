#pragma once
// FluidSynth behind the music commands: a synthesiser with a General MIDI SoundFont, its
// MIDI file player, and either the machine's audio or an offline render for tests.

#include "platform/music_output.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace platform
{

// Chosen so that background music costs little (see bench/music): reverb on for warmth,
// chorus off (it costs more than it adds to our tunes), voices enough for the fullest chord.
struct FluidOptions {
    double sampleRate = 44100;
    int polyphony = 64;
    bool reverb = true;
    bool chorus = false;
    // FluidSynth's own 0.2 leaves our tunes near -30 dBFS; this puts them near -21 dBFS
    // average with their loudest peak about 3 dB below full scale.
    double gain = 1.6;
    int periodSize = 4096; // frames per audio period: fewer wake-ups; latency does not matter here
    int periods = 4;       // about 0.37 s of sound queued at 44.1 kHz
    QString soundFontDir = QStringLiteral("/usr/share/sounds/sf2");
};

class FluidPlayer final : public MusicOutput
{
public:
    explicit FluidPlayer(const FluidOptions &options = {});
    ~FluidPlayer() override;
    FluidPlayer(const FluidPlayer &) = delete;
    FluidPlayer &operator=(const FluidPlayer &) = delete;

    // Connects to the machine's audio: PulseAudio, else ALSA. False when there is none.
    bool startAudio();
    // Slow: a full General MIDI set takes a few hundred milliseconds.
    bool loadSoundFont(const QString &path);

    void load(const QString &path) override;
    void playFromStart() override;
    void stop() override;
    void unload() override;

    // Without an audio device: the next `count` stereo frames, interleaved, as the
    // audio device would have played them.
    void render(std::int16_t *frames, int count);
    bool isPlaying() const; // false once the tune has ended
    int activeVoices() const;

private:
    static int renderForDevice(void *self, int length, int nfx, float *fx[], int nout,
                               float *out[]);
    void deletePlayer(); // with m_rendering held

    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_audio_driver_t *m_driver = nullptr;
    fluid_player_t *m_player = nullptr;
    std::vector<char> m_file;
    // The player may only be created or deleted while the synthesiser is not rendering.
    mutable std::mutex m_rendering;
};

// The first SoundFont in `dir`: "default-GM.sf2" when there, else any ".sf2"; empty if none.
QString findSoundFont(const QString &dir);

// FluidSynth's and the ALSA library's own messages, which would reach the player's terminal.
void quietSoundLibraries();

// The whole real chain, run off the user-interface thread: audio device, SoundFont, player.
// Null with one line on stderr when there is no audio device or no SoundFont: silence.
std::unique_ptr<MusicOutput> startFluidOutput(const FluidOptions &options = {});

} // namespace platform
