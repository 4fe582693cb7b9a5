#pragma once
// FluidSynth behind the music commands: a synthesiser with a General MIDI SoundFont, its
// MIDI file player, and either the machine's audio or an offline render for tests.

#include "platform/audio_device.h"
#include "platform/music_commands.h"
#include "platform/sound_font_subset.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

typedef struct _fluid_hashtable_t fluid_settings_t;
typedef struct _fluid_synth_t fluid_synth_t;
typedef struct _fluid_player_t fluid_player_t;
typedef struct _fluid_audio_driver_t fluid_audio_driver_t;

namespace platform
{

struct FluidSynth;

// Chosen so that background music costs little (see bench/music): reverb on for warmth,
// chorus off (it costs more than it adds to our tunes), voices enough for the fullest chord.
struct FluidOptions {
    double sampleRate = 44100;
    int polyphony = 64;
    bool reverb = true;
    bool chorus = false;
    int interpolation = 4; // FluidSynth's order: 0 none, 1 linear, 4 fourth order, 7 seventh
    // FluidSynth's own 0.2 leaves our tunes near -30 dBFS; this puts them near -21 dBFS
    // average with their loudest peak about 3 dB below full scale.
    double gain = 1.6;
    int periodSize = 4096; // frames per audio period: fewer wake-ups; latency does not matter here
    int periods = 4;       // about 0.37 s of sound queued at 44.1 kHz
    bool pulseAdjustLatency = true; // let a PulseAudio server size its buffer after ours
    // The SoundFont: `soundFont` when set, else the first of `soundFontNames` in
    // `soundFontDir`, else any SoundFont there.
    QString soundFont;
    // Only the presets a tune plays are loaded (see sound_font_subset.h); false: all of them.
    bool presetsOfTuneOnly = true;
    QString soundFontDir = QStringLiteral("/usr/share/sounds/sf2");
    QStringList soundFontNames = {QStringLiteral("default-GM.sf2")};
    const char *library = "libfluidsynth.so.3";
};

class FluidPlayer final : public MusicOutput
{
public:
    // `fluid` stays loaded for the program's life (see loadFluidSynth).
    explicit FluidPlayer(const FluidSynth &fluid, const FluidOptions &options = {});
    ~FluidPlayer() override;
    FluidPlayer(const FluidPlayer &) = delete;
    FluidPlayer &operator=(const FluidPlayer &) = delete;

    // Connects to the machine's audio by `route` (ALSA after a sound server that fails).
    // False when it cannot.
    bool startAudio(AudioRoute route = AudioRoute::SoundServer);
    // Checks the SoundFont; each tune then gets the presets it plays, and their samples are
    // read when it selects them. False when FluidSynth cannot read it.
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
    void usePresets(const MidiPresets &presets);

    const FluidSynth &m_fluid;
    fluid_settings_t *m_settings = nullptr;
    fluid_synth_t *m_synth = nullptr;
    fluid_audio_driver_t *m_driver = nullptr;
    fluid_player_t *m_player = nullptr;
    std::vector<char> m_file;
    bool m_presetsOfTuneOnly;
    std::optional<SoundFontLayout> m_soundFont; // none: loaded whole, or not at all
    int m_fontId = -1;                          // the loaded presets' SoundFont in the synth
    MidiPresets m_fontPresets;
    // The player may only be created or deleted while the synthesiser is not rendering.
    mutable std::mutex m_rendering;
};

// The first of `names` found in `dir`, else any ".sf2" there (by name); empty if none.
QString findSoundFont(const QString &dir, const QStringList &names);

// FluidSynth's and the ALSA library's own messages, which would reach the player's terminal.
void quietSoundLibraries(const FluidSynth &fluid);

// The SoundFont the player asked for by name: $ZANTHO_SOUNDFONT, a path; empty when unset.
QString soundFontFromEnvironment();

// The whole real chain, run off the user-interface thread: it looks for an audio device, and
// only with one loads FluidSynth, connects and reads the SoundFont. Null with one line on
// stderr saying why when any step fails: then the music stays silent.
std::unique_ptr<MusicOutput>
startFluidOutput(const FluidOptions &options = {},
                 const AudioPlaces &places = AudioPlaces::fromEnvironment());

} // namespace platform
