#include "platform/fluid_player.h"

#include <QDir>
#include <QFile>

#include <fluidsynth.h>

#include <dlfcn.h>

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

void sayOnce(const char *message)
{
    std::fprintf(stderr, "Zantho Puzzle: %s; the music stays silent.\n", message);
    std::fflush(stderr);
}

} // namespace

void quietSoundLibraries()
{
    for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
        fluid_set_log_function(level, ignoreFluidMessage, nullptr);
    // FluidSynth brings the ALSA library along; when it is there, its complaints about a
    // missing sound card go nowhere. Looked up at run time so we need no ALSA headers.
    using Handler = void (*)(const char *, int, const char *, int, const char *, ...);
    using SetHandler = int (*)(Handler);
    if (auto set = reinterpret_cast<SetHandler>(dlsym(RTLD_DEFAULT, "snd_lib_error_set_handler")))
        set(ignoreAlsaMessage);
}

QString findSoundFont(const QString &dir)
{
    const QDir folder(dir);
    if (QFile::exists(folder.filePath(QStringLiteral("default-GM.sf2"))))
        return folder.filePath(QStringLiteral("default-GM.sf2"));
    const QStringList any = folder.entryList(
        {QStringLiteral("*.sf2")}, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    return any.isEmpty() ? QString() : folder.filePath(any.first());
}

FluidPlayer::FluidPlayer(const FluidOptions &options)
{
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.sample-rate", options.sampleRate);
    fluid_settings_setint(m_settings, "synth.polyphony", options.polyphony);
    fluid_settings_setint(m_settings, "synth.reverb.active", options.reverb ? 1 : 0);
    fluid_settings_setint(m_settings, "synth.chorus.active", options.chorus ? 1 : 0);
    fluid_settings_setnum(m_settings, "synth.gain", options.gain);
    fluid_settings_setint(m_settings, "synth.cpu-cores", 1);
    // Only the instruments a tune uses are read from the SoundFont: a full General MIDI
    // set would otherwise add well over a hundred megabytes.
    fluid_settings_setint(m_settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(m_settings, "synth.lock-memory", 0);
    // A player resets the synthesiser before each tune, which selects the General MIDI defaults
    // on every channel: the grand piano and the whole drum kit, some fifteen megabytes our
    // tunes may not use. Our tunes set up each channel they play, so we reset only what
    // playing leaves behind (see playFromStart) and load the instruments a tune asks for.
    fluid_settings_setint(m_settings, "player.reset-synth", 0);
    fluid_settings_setint(m_settings, "audio.period-size", options.periodSize);
    fluid_settings_setint(m_settings, "audio.periods", options.periods);
    fluid_settings_setstr(m_settings, "audio.pulseaudio.media-role", "game");
    m_synth = new_fluid_synth(m_settings);
}

FluidPlayer::~FluidPlayer()
{
    if (m_driver)
        delete_fluid_audio_driver(m_driver); // waits for the audio thread
    {
        std::lock_guard lock(m_rendering);
        deletePlayer();
    }
    if (m_synth)
        delete_fluid_synth(m_synth);
    delete_fluid_settings(m_settings);
}

bool FluidPlayer::startAudio()
{
    if (!m_synth)
        return false;
    for (const char *driver : {"pulseaudio", "alsa"}) {
        fluid_settings_setstr(m_settings, "audio.driver", driver);
        m_driver = new_fluid_audio_driver2(m_settings, &FluidPlayer::renderForDevice, this);
        if (m_driver)
            return true;
    }
    return false;
}

bool FluidPlayer::loadSoundFont(const QString &path)
{
    // No instrument is selected yet: a tune's program changes pick (and load) its own.
    return m_synth &&
           fluid_synth_sfload(m_synth, QFile::encodeName(path).constData(), 0) != FLUID_FAILED;
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
    return fluid_synth_process(player->m_synth, length, 4, fx, 2, out);
}

void FluidPlayer::deletePlayer()
{
    if (m_player) {
        delete_fluid_player(m_player);
        m_player = nullptr;
    }
}

void FluidPlayer::load(const QString &path)
{
    std::ifstream in(QFile::encodeName(path).toStdString(), std::ios::binary);
    m_file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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
    fluid_synth_all_sounds_off(m_synth, -1);
    for (int channel = 0; channel < fluid_synth_count_midi_channels(m_synth); ++channel)
        fluid_synth_cc(m_synth, channel, 121, 0); // reset all controllers
    m_player = new_fluid_player(m_synth);
    if (m_player && (fluid_player_add_mem(m_player, m_file.data(), m_file.size()) != FLUID_OK ||
                     fluid_player_play(m_player) != FLUID_OK))
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
    fluid_synth_all_notes_off(m_synth, -1);
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
        fluid_synth_write_s16(m_synth, count, frames, 0, 2, frames, 1, 2);
    else
        std::memset(frames, 0, sizeof(std::int16_t) * 2 * static_cast<std::size_t>(count));
}

bool FluidPlayer::isPlaying() const
{
    std::lock_guard lock(m_rendering);
    return m_player && fluid_player_get_status(m_player) == FLUID_PLAYER_PLAYING;
}

int FluidPlayer::activeVoices() const
{
    return m_synth ? fluid_synth_get_active_voice_count(m_synth) : 0;
}

std::unique_ptr<MusicOutput> startFluidOutput(const FluidOptions &options)
{
    quietSoundLibraries();
    auto player = std::make_unique<FluidPlayer>(options);
    // The audio device is tried first: without one there is no reason to read the SoundFont.
    if (!player->startAudio()) {
        sayOnce("no audio device");
        return nullptr;
    }
    const QString soundFont = findSoundFont(options.soundFontDir);
    if (soundFont.isEmpty()) {
        sayOnce(qPrintable(QStringLiteral("no SoundFont in ") + options.soundFontDir));
        return nullptr;
    }
    if (!player->loadSoundFont(soundFont)) {
        sayOnce(qPrintable(QStringLiteral("cannot read the SoundFont ") + soundFont));
        return nullptr;
    }
    return player;
}

} // namespace platform
