#pragma once
// Doubles for everything a window takes from outside, so tests drive time, randomness,
// music and dialogs themselves.

#include "core/shuffler.h"
#include "platform/music.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <memory>

namespace testing
{

// Records every command; answers as a device that accepts them all.
class RecordingMusic final : public platform::MusicDevice
{
public:
    int sendCommand(const QString &command) override
    {
        commands << command;
        return 0;
    }
    QStringList commands;
};

class FakeClock final : public platform::TimeSource
{
public:
    QString timeText() const override { return text; }
    int msToNextSecond() const override { return 1000; }
    QString text = QStringLiteral("12:00:00");
    void advance(int seconds = 1); // moves the text on by whole seconds
};

// Plays back the given r values in turn (then 0.5 for ever).
class ScriptedRandom final : public core::RandomSource
{
public:
    void reseed() override { ++reseeds; }
    double draw() override;
    std::deque<double> values;
    int reseeds = 0;
};

struct Fakes {
    std::shared_ptr<RecordingMusic> music;
    std::shared_ptr<FakeClock> clock;
    std::shared_ptr<ScriptedRandom> random;
    bool answerOk = true;
    int questions = 0;
    QStringList fatalErrors;
    QStringList told;
    QList<int> endedWith;
};

// Installs doubles into platform::services(). programDir defaults to the built data tree
// (PUZZLE_PROGRAM_DIR). The returned object lives until the next call.
Fakes &installFakes(const QString &programDir = {});

// The built program folder with its data tree.
QString builtProgramDir();

} // namespace testing
