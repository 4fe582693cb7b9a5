#include "platform/fluid_player.h"

#include "platform/fluid_library.h"

#include <QDir>
#include <QFile>

#include <dlfcn.h>
#include <malloc.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace platform
{

namespace
{

void ignoreFluidMessage(int, const char *, void *) {}

extern "C" void ignoreAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

// Reading a SoundFont's preset table leaves megabytes of freed memory in the heap, which the
// C library would otherwise keep for the process.
void returnFreedMemory()
{
    malloc_trim(0);
}

void sayWhySilent(const QString &why)
{
    std::fprintf(stderr, "Zantho Puzzle: %s; the music stays silent.\n", qPrintable(why));
    std::fflush(stderr);
}

} // namespace

void quietSoundLibraries(const FluidSynth &fluid)
{
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid.fluid_set_log_function(level, ignoreFluidMessage, nullptr);
    // FluidSynth brings the ALSA library along; its complaints about a missing sound card go
    // nowhere. Looked up in the library already loaded, so we need no ALSA headers.
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    using SetHandler = int (*)(Handler);
    if (void *alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD)) {
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler")))
            set(ignoreAlsaMessage);
        dlclose(alsa); // only drops the reference taken just now
    }
}

QString findSoundFont(const QString &dir, const QStringList &names)
{
    const QDir folder(dir);
    for (const QString &name : names)
        if (QFile::exists(folder.filePath(name)))
            return folder.filePath(name);
    const QStringList any = folder.entryList(
        {QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    return any.isEmpty() ? QString() : folder.filePath(any.first());
}

QString soundFontFromEnvironment()
{
    return qEnvironmentVariable("ZANTHO_SOUNDFONT");
}

FluidPlayer::FluidPlayer(const FluidSynth &fluid, const FluidOptions &options)
    : m_fluid(fluid), m_presetsOfTuneOnly(options.presetsOfTuneOnly)
{
    m_settings = m_fluid.new_fluid_settings();
    m_fluid.fluid_settings_setnum(m_settings, "synth.sample-rate", options.sampleRate);
    m_fluid.fluid_settings_setint(m_settings, "synth.polyphony", options.polyphony);
    m_fluid.fluid_settings_setint(m_settings, "synth.reverb.active", options.reverb ? 1 : 0);
    m_fluid.fluid_settings_setint(m_settings, "synth.chorus.active", options.chorus ? 1 : 0);
    m_fluid.fluid_settings_setnum(m_settings, "synth.gain", options.gain);
    m_fluid.fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
    // Only the instruments a tune uses are read from the SoundFont: a full General MIDI
    // set would otherwise add well over a hundred megabytes.
    m_fluid.fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 1);
    m_fluid.fluid_settings_setint(m_settings, "synth.lock-memory", 0);
    // A player resets the synthesiser before each tune, which selects the General MIDI defaults
    // on every channel: the grand piano and the whole drum kit, some fifteen megabytes our
    // tunes may not use. Our tunes set up each channel they play, so we reset only what
    // playing leaves behind (see playFromStart) and load the instruments a tune asks for.
    m_fluid.fluid_settings_setint(m_settings, "player.reset-synth", 0);
    m_fluid.fluid_settings_setint(m_settings, "audio.period-size", options.periodSize);
    m_fluid.fluid_settings_setint(m_settings, "audio.periods", options.periods);
    m_fluid.fluid_settings_setstr(m_settings, "audio.pulseaudio.media-role", "game");
    m_fluid.fluid_settings_setint(m_settings, "audio.pulseaudio.adjust-latency",
                                  options.pulseAdjustLatency ? 1 : 0);
    m_synth = m_fluid.new_fluid_synth(m_settings);
    if (!m_synth)
        return;
    m_fluid.fluid_synth_set_interp_method(m_synth, -1, options.interpolation);
    // Tried before FluidSynth's own loaders: the same, reading through our views.
    if (fluid_sfloader_t *loader = soundFontViewLoader(m_fluid, m_settings))
        m_fluid.fluid_synth_add_sfloader(m_synth, loader);
}

FluidPlayer::~FluidPlayer()
{
    if (m_driver)
        m_fluid.delete_fluid_audio_driver(m_driver); // waits for the audio thread
    {
        std::lock_guard lock(m_rendering);
        deletePlayer();
    }
    if (m_synth)
        m_fluid.delete_fluid_synth(m_synth);
    m_fluid.delete_fluid_settings(m_settings);
}

bool FluidPlayer::startAudio(AudioRoute route)
{
    if (!m_synth || route == AudioRoute::None)
        return false;
    // With only a card, the PulseAudio driver is not tried: it could start a server of its own.
    const std::vector<const char *> drivers =
        route == AudioRoute::SoundServer ? std::vector{"pulseaudio", "alsa"} : std::vector{"alsa"};
    for (const char *driver : drivers) {
        m_fluid.fluid_settings_setstr(m_settings, "audio.driver", driver);
        m_driver = m_fluid.new_fluid_audio_driver2(m_settings, &FluidPlayer::renderForDevice, this);
        if (m_driver)
            return true;
    }
    return false;
}

bool FluidPlayer::loadSoundFont(const QString &path)
{
    if (!m_synth)
        return false;
    const QByteArray file = QFile::encodeName(path);
    if (auto layout = m_presetsOfTuneOnly ? SoundFontLayout::read(file.toStdString(), nullptr)
                                          : std::nullopt) {
        // FluidSynth reads the instruments and sample headers once without any preset, so that
        // a damaged file is found now rather than when a tune starts.
        const std::string empty = nameSoundFontView(layout->subset({}));
        const int id = m_fluid.fluid_synth_sfload(m_synth, empty.c_str(), 0);
        if (id != FLUID_FAILED) {
            m_fluid.fluid_synth_sfunload(m_synth, id, 0);
            m_soundFont = std::move(layout);
            returnFreedMemory();
            return true;
        }
    }
    // Laid out in a way we do not take apart: FluidSynth may still read it, whole. No
    // instrument is selected yet: a tune's program changes pick (and load) its own.
    m_fontId = m_fluid.fluid_synth_sfload(m_synth, file.constData(), 0);
    return m_fontId != FLUID_FAILED;
}

void FluidPlayer::usePresets(const MidiPresets &presets)
{
    if (!m_soundFont || (m_fontId != FLUID_FAILED && presets == m_fontPresets))
        return;
    if (m_fontId != FLUID_FAILED)
        m_fluid.fluid_synth_sfunload(m_synth, m_fontId, 1);
    const std::string name = nameSoundFontView(m_soundFont->subset(presets));
    m_fontId = m_fluid.fluid_synth_sfload(m_synth, name.c_str(), 0);
    m_fontPresets = presets;
    returnFreedMemory();
}

int FluidPlayer::renderForDevice(void *self, int length, int, float *[], int nout, float *out[])
{
    auto *player = static_cast<FluidPlayer *>(self);
    if (nout < 2)
        return FLUID_FAILED;
    for (int i = 0; i < nout; ++i)
        std::memset(out[i], 0, sizeof(float) * static_cast<std::size_t>(length));
    // Reverb and chorus are mixed into the same two channels as the dry sound.
    float *fx[] = {out[0], out[1], out[0], out[1]};
    std::lock_guard lock(player->m_rendering);
    return player->m_fluid.fluid_synth_process(player->m_synth, length, 4, fx, 2, out);
}

void FluidPlayer::deletePlayer()
{
    if (m_player) {
        m_fluid.delete_fluid_player(m_player);
        m_player = nullptr;
    }
}

void FluidPlayer::load(const QString &path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    m_file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (m_synth)
        usePresets(presetsOfTune(m_file));
}

void FluidPlayer::playFromStart()
{
    if (!m_synth)
        return;
    std::lock_guard lock(m_rendering);
    deletePlayer();
    if (m_file.empty())
        return;
    // A fresh player starts at the first tick; with every voice silenced and the controllers
    // back at their defaults, every start sounds the same however the previous one ended.
    m_fluid.fluid_synth_all_sounds_off(m_synth, -1);
    for (int channel = 0; channel < m_fluid.fluid_synth_count_midi_channels(m_synth); ++channel)
        m_fluid.fluid_synth_cc(m_synth, channel, 121, 0); // reset all controllers
    m_player = m_fluid.new_fluid_player(m_synth);
    if (m_player &&
        (m_fluid.fluid_player_add_mem(m_player, m_file.data(), m_file.size()) != FLUID_OK ||
         m_fluid.fluid_player_play(m_player) != FLUID_OK))
        deletePlayer();
}

void FluidPlayer::stop()
{
    if (!m_synth)
        return;
    {
        std::lock_guard lock(m_rendering);
        deletePlayer();
    }
    m_fluid.fluid_synth_all_notes_off(m_synth, -1);
}

void FluidPlayer::unload()
{
    stop();
    m_file.clear();
}

void FluidPlayer::render(std::int16_t *frames, int count)
{
    std::lock_guard lock(m_rendering);
    if (m_synth)
        m_fluid.fluid_synth_write_s16(m_synth, count, frames, 0, 2, frames, 1, 2);
    else
        std::memset(frames, 0, sizeof(std::int16_t) * 2 * static_cast<std::size_t>(count));
}

bool FluidPlayer::isPlaying() const
{
    std::lock_guard lock(m_rendering);
    return m_player && m_fluid.fluid_player_get_status(m_player) == FLUID_PLAYER_PLAYING;
}

int FluidPlayer::activeVoices() const
{
    return m_synth ? m_fluid.fluid_synth_get_active_voice_count(m_synth) : 0;
}

std::unique_ptr<MusicOutput> startFluidOutput(const FluidOptions &options,
                                              const AudioPlaces &places)
{
    // Each step is cheaper than the next: nothing is loaded for a machine that has no sound.
    const AudioRoute route = findAudioRoute(places);
    if (route == AudioRoute::None) {
        sayWhySilent(QStringLiteral("no audio device (no PulseAudio or PipeWire server, no ALSA "
                                    "sound card)"));
        return nullptr;
    }
    QString why;
    const FluidSynth *fluid = loadFluidSynth(options.library, &why);
    if (!fluid) {
        sayWhySilent(why);
        return nullptr;
    }
    quietSoundLibraries(*fluid);
    auto player = std::make_unique<FluidPlayer>(*fluid, options);
    if (!player->startAudio(route)) {
        sayWhySilent(route == AudioRoute::SoundServer
                         ? QStringLiteral("the sound server and the ALSA sound card refused "
                                          "FluidSynth")
                         : QStringLiteral("the ALSA sound card refused FluidSynth"));
        return nullptr;
    }
    const QString fallback = findSoundFont(options.soundFontDir, options.soundFontNames);
    const QString soundFont = options.soundFont.isEmpty() ? fallback : options.soundFont;
    if (soundFont.isEmpty()) {
        sayWhySilent(QStringLiteral("no SoundFont in ") + options.soundFontDir);
        return nullptr;
    }
    if (!player->loadSoundFont(soundFont)) {
        // A SoundFont the player named is worth a word, but not the music.
        if (soundFont == fallback || fallback.isEmpty() || !player->loadSoundFont(fallback)) {
            sayWhySilent(QStringLiteral("cannot read the SoundFont ") + soundFont);
            return nullptr;
        }
        std::fprintf(stderr, "Zantho Puzzle: cannot read the SoundFont %s; playing %s instead.\n",
                     qPrintable(soundFont), qPrintable(fallback));
    }
    return player;
}

} // namespace platform
