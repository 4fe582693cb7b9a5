#include "platform/audio_device.h"

#include <QFile>

#include <sys/stat.h>

namespace platform
{

namespace
{

bool isSocket(const QString &path)
{
    struct stat info {
    };
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &info) == 0 &&
           S_ISSOCK(info.st_mode);
}

// A server named by address may be on another machine: only a local socket can be checked.
bool namedServerExists(const QString &servers)
{
    for (QString entry : servers.simplified().split(u' ', Qt::SkipEmptyParts)) {
        if (entry.startsWith(u'{')) // "{machine-id}address": for that machine only
            entry = entry.mid(entry.indexOf(u'}') + 1);
        if (entry.startsWith(QStringLiteral("unix:")))
            entry = entry.mid(5);
        if (entry.isEmpty())
            continue;
        if (!entry.startsWith(u'/') || isSocket(entry))
            return true;
    }
    return false;
}

// The ALSA card list reads " 0 [PCH            ]: HDA-Intel - ..." per card, or
// "--- no soundcards ---".
bool hasAlsaCard(const QString &cards)
{
    QFile file(cards);
    if (cards.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        const qsizetype bracket = line.indexOf('[');
        bool number = false;
        if (bracket > 0)
            line.left(bracket).trimmed().toInt(&number);
        if (number)
            return true;
    }
    return false;
}

} // namespace

AudioPlaces AudioPlaces::fromEnvironment()
{
    AudioPlaces places;
    places.pulseServer = qEnvironmentVariable("PULSE_SERVER");
    places.runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return places;
}

AudioRoute findAudioRoute(const AudioPlaces &places)
{
    if (!places.pulseServer.trimmed().isEmpty()) {
        if (namedServerExists(places.pulseServer))
            return AudioRoute::SoundServer;
    } else if (!places.runtimeDir.isEmpty() &&
               isSocket(places.runtimeDir + QStringLiteral("/pulse/native"))) {
        return AudioRoute::SoundServer;
    }
    return hasAlsaCard(places.alsaCards) ? AudioRoute::AlsaCard : AudioRoute::None;
}

} // namespace platform
