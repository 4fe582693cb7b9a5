#pragma once
// The music player over a sound back end: keeps which tune is open and whether it plays, and
// hands the back end only what makes sense for it.

#include "platform/music_output.h"
#include "platform/music_player.h"

#include <QString>

#include <memory>
#include <optional>

namespace platform
{

class SequencerMusic final : public MusicPlayer
{
public:
    // output may be null: silence, with the same rules.
    SequencerMusic(QString menuTunePath, QString gameTunePath, std::unique_ptr<MusicOutput> output);
    ~SequencerMusic() override;

    void open(Tune tune) override;
    void playFromStart() override;
    void stop() override;
    void close() override;

    std::optional<Tune> openTune() const { return m_open; }
    bool isPlaying() const { return m_playing; } // since the last play, until stop or close

private:
    QString m_menuTunePath;
    QString m_gameTunePath;
    std::unique_ptr<MusicOutput> m_output;
    std::optional<Tune> m_open;
    bool m_playing = false;
};

} // namespace platform
