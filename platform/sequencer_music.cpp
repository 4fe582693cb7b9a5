#include "platform/sequencer_music.h"

#include <QFile>

namespace platform
{

bool isMidiFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(4) == "MThd";
}

void startTune(MusicPlayer &music, Tune tune)
{
    music.open(tune);
    music.playFromStart();
}

void switchTune(MusicPlayer &music, Tune tune)
{
    music.stop();
    music.close();
    startTune(music, tune);
}

void stopAndClose(MusicPlayer &music)
{
    music.stop();
    music.close();
}

void restartTune(MusicPlayer &music)
{
    music.stop();
    music.playFromStart();
}

SequencerMusic::SequencerMusic(QString menuTunePath, QString gameTunePath,
                               std::unique_ptr<MusicOutput> output)
    : m_menuTunePath(std::move(menuTunePath)), m_gameTunePath(std::move(gameTunePath)),
      m_output(std::move(output))
{
}

SequencerMusic::~SequencerMusic() = default;

void SequencerMusic::open(Tune tune)
{
    if (m_open)
        return; // the tune that is open stays open and untouched
    const QString &path = tune == Tune::Menu ? m_menuTunePath : m_gameTunePath;
    if (!isMidiFile(path))
        return; // a missing tune is silence
    if (m_output)
        m_output->load(path);
    m_open = tune;
    m_playing = false;
}

void SequencerMusic::playFromStart()
{
    if (!m_open)
        return;
    if (m_output)
        m_output->playFromStart();
    m_playing = true;
}

void SequencerMusic::stop()
{
    if (!m_open)
        return;
    if (m_output)
        m_output->stop();
    m_playing = false;
}

void SequencerMusic::close()
{
    if (!m_open)
        return;
    if (m_output)
        m_output->unload();
    m_open.reset();
    m_playing = false;
}

} // namespace platform
