#include "platform/music.h"

#include "platform/services.h"

namespace platform
{

int mciSendString(const QString &command)
{
    const auto &device = services().music;
    if (!device)
        return 1;
    return device->sendCommand(command);
}

namespace music
{

QString openCommand(const QString &path)
{
    return QStringLiteral("OPEN ") + path + QStringLiteral(" TYPE SEQUENCER ALIAS INTRO");
}

void open(const QString &path)
{
    mciSendString(openCommand(path));
}
void play()
{
    mciSendString(kPlay);
}
void stop()
{
    mciSendString(kStop);
}
void close()
{
    mciSendString(kClose);
}

void openAndPlay(const QString &path)
{
    open(path);
    play();
}

void switchTo(const QString &path)
{
    stop();
    close();
    open(path);
    play();
}

void stopAndClose()
{
    stop();
    close();
}

void restart()
{
    stop();
    play();
}

} // namespace music
} // namespace platform
