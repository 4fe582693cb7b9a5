#pragma once
// The game's only door to its music: command strings under the alias "INTRO", as the
// classic multimedia interface took them. Results are returned but nobody reads them;
// a missing file or device only means silence.

#include <QString>

namespace platform
{

class MusicDevice
{
public:
    virtual ~MusicDevice() = default;
    // One command string; 0 when it succeeded, an error code otherwise.
    virtual int sendCommand(const QString &command) = 0;
};

// Sends a command to the installed device (services().music); without one it fails quietly.
int mciSendString(const QString &command);

namespace music
{

QString openCommand(const QString &path); // "OPEN " + path + " TYPE SEQUENCER ALIAS INTRO"
inline const QString kPlay = QStringLiteral("PLAY INTRO FROM 0");
inline const QString kStop = QStringLiteral("STOP INTRO");
inline const QString kClose = QStringLiteral("CLOSE INTRO");

void open(const QString &path);
void play();
void stop();
void close();

// The sequences the windows run, one call per occasion.
void openAndPlay(const QString &path); // a menu window loads
void switchTo(const QString &path);    // stop; close; open; play (Play, back to the menu)
void stopAndClose();                   // exit, stop confirmed, puzzle completed, Close
void restart();                        // stop; play (the 409-second repeat)

} // namespace music
} // namespace platform
