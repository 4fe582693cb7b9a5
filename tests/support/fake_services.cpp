#include "tests/support/fake_services.h"

#include <QTime>

namespace testing
{

void FakeClock::advance(int seconds)
{
    text = QTime::fromString(text, QStringLiteral("HH:mm:ss"))
               .addSecs(seconds)
               .toString(QStringLiteral("HH:mm:ss"));
}

double ScriptedRandom::draw()
{
    if (values.empty())
        return 0.5;
    const double r = values.front();
    values.pop_front();
    return r;
}

QString builtProgramDir()
{
    return qEnvironmentVariable("PUZZLE_PROGRAM_DIR");
}

Fakes &installFakes(const QString &programDir)
{
    static Fakes fakes;
    fakes = Fakes{};
    fakes.music = std::make_shared<RecordingMusic>();
    fakes.clock = std::make_shared<FakeClock>();
    fakes.random = std::make_shared<ScriptedRandom>();

    platform::Services &s = platform::services();
    s.programDir = programDir.isEmpty() ? builtProgramDir() : programDir;
    platform::installFontSubstitutions();
    s.music = fakes.music;
    s.clock = fakes.clock;
    s.random = fakes.random;
    s.askOkCancel = [](QWidget *, const QString &, const QString &) {
        ++fakes.questions;
        return fakes.answerOk;
    };
    s.fatalError = [](const QString &message) { fakes.fatalErrors << message; };
    s.tell = [](QWidget *, const QString &text, const QString &) { fakes.told << text; };
    s.endProgram = [](int status) { fakes.endedWith << status; };
    return fakes;
}

} // namespace testing
