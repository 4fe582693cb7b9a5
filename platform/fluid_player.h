#pragma once
// FluidSynth behind the music commands: a synthesiser with a General MIDI SoundFont, its
// MIDI file player, and either the machine's audio or an offline render for tests.

#include "platform/audio_device.h"
#include "platform/music_output.h"
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
    // 32 kHz costs a third less than 44.1 kHz; what it leaves out, above 16 kHz, the small
    // SoundFont's samples barely have.
    double sampleRate = 32000;
    int polyphony = 64;
    bool reverb = true;
    bool chorus = false;
    int interpolation = 4; // FluidSynth's order: 0 none, 1 linear, 4 fourth order, 7 seventh
    // FluidSynth's own 0.2 leaves our tunes near -32 dBFS; with TimGM6mb this puts them near
    // -21.5 dBFS average, their loudest peak 2.4 dB below full scale (0.9 dB with FluidR3).
    double gain = 1.9;
    // Frames per audio period: the fewer wake-ups, the less the music costs; a stop is heard a
    // quarter of a second late. With PulseAudio the period is the whole buffer, and 8192 stereo
    // floats are 64 KiB, its memory block: at 12288 frames its client spun at 30 % of a core.
    int periodSize = 8192;
    int periods = 2;                // ALSA only: half a second queued
    bool pulseAdjustLatency = true; // let a PulseAudio server size its buffer after ours
    // The SoundFont: `soundFont` when set, else the first of `soundFontNames` in
    // `soundFontDir`, else any SoundFont there. TimGM6mb first: FluidR3's samples for our
    // tunes alone are 12 MB, twice the whole of TimGM6mb.
    QString soundFont;
    QString soundFontDir = QStringLiteral("/usr/share/sounds/sf2");
    QStringList soundFontNames = {QStringLiteral("TimGM6mb.sf2"), QStringLiteral("default-GM.sf2")};
    // Only the presets a tune plays are loaded (see sound_font_subset.h); false: all of them.
    bool presetsOfTuneOnly = true;
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
