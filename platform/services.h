#pragma once
// What the windows take from outside: the program directory, the clock, randomness, the
// music device and the few platform dialogs. The game installs the real ones at start;
// a test installs doubles, so no test waits on a real clock or a person.

#include <QString>

#include <functional>
#include <memory>

class QWidget;

namespace core
{
class RandomSource;
}

namespace platform
{

class MusicDevice;

// The time of day as eight characters "HH:MM:SS"; it changes once a second.
class TimeSource
{
public:
    virtual ~TimeSource() = default;
    virtual QString timeText() const = 0;
    virtual int msToNextSecond() const = 0; // 1 ..= 1000
};

class SystemClock final : public TimeSource
{
public:
    QString timeText() const override;
    int msToNextSecond() const override;
};

struct Services {
    QString programDir;                 // the directory of the executable
    std::shared_ptr<MusicDevice> music; // null: silence
    std::shared_ptr<TimeSource> clock;
    std::shared_ptr<core::RandomSource> random;

    // The platform's message box with OK and Cancel, no icon; true for OK.
    std::function<bool(QWidget *owner, const QString &text, const QString &title)> askOkCancel;
    // A picture that cannot be read ends the program with this report (it does not return
    // in the game; a test's double records the message and returns, and the caller gives up).
    std::function<void(const QString &message)> fatalError;
    // A message that the game goes on after (a record that could not be saved).
    std::function<void(QWidget *owner, const QString &text, const QString &title)> tell;
    // Ends the program at once with this exit status.
    std::function<void(int status)> endProgram;
};

Services &services();

// The real services: the executable's directory, the system clock, a clock-seeded random
// source, Qt's message boxes. The music device is left for the caller to start.
void installDefaultServices();

} // namespace platform

namespace platform
{
// "MS Sans Serif" and "Times New Roman" are the designs' faces; map them to their metric twins.
void installFontSubstitutions();
} // namespace platform
