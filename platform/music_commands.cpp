#include "platform/music_commands.h"

#include <QFile>

namespace platform
{

namespace
{

const QString kAlias = QStringLiteral("INTRO");

bool sameWords(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

bool isMidiFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.read(4) == "MThd";
}

MusicCommands::MusicCommands(std::unique_ptr<MusicOutput> output) : m_output(std::move(output)) {}

MusicCommands::~MusicCommands() = default;

int MusicCommands::sendCommand(const QString &command)
{
    static const QString openPrefix = QStringLiteral("OPEN ");
    static const QString openSuffix = QStringLiteral(" TYPE SEQUENCER ALIAS ") + kAlias;

    // The path sits between the fixed prefix and suffix, so it may hold spaces of its own.
    if (command.startsWith(openPrefix, Qt::CaseInsensitive) &&
        command.endsWith(openSuffix, Qt::CaseInsensitive) &&
        command.size() >= openPrefix.size() + openSuffix.size()) {
        QString path =
            command.mid(openPrefix.size(), command.size() - openPrefix.size() - openSuffix.size());
        if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"'))
            path = path.mid(1, path.size() - 2);
        if (m_open)
            return MusicAliasInUse;
        if (path.isEmpty() || !isMidiFile(path))
            return MusicFileUnreadable;
        m_output->load(path);
        m_open = true;
        m_playing = false;
        return MusicOk;
    }

    const QStringList words = command.simplified().split(u' ');
    const QString verb = words.value(0);
    const bool play = sameWords(verb, QStringLiteral("PLAY")) && words.size() == 4 &&
                      sameWords(words[2], QStringLiteral("FROM")) && words[3] == u"0";
    const bool stop = sameWords(verb, QStringLiteral("STOP")) && words.size() == 2;
    const bool close = sameWords(verb, QStringLiteral("CLOSE")) && words.size() == 2;
    if (!play && !stop && !close)
        return MusicUnknownCommand;
    if (!m_open || !sameWords(words[1], kAlias))
        return MusicAliasNotOpen;

    if (play) {
        m_output->playFromStart();
        m_playing = true;
    } else if (stop) {
        m_output->stop();
        m_playing = false;
    } else {
        m_output->unload();
        m_open = false;
        m_playing = false;
    }
    return MusicOk;
}

} // namespace platform
