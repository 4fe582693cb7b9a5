#include "tests/support/doubles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTime>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

#include <algorithm>

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
    ++draws;
    if (values.empty())
        return 0.0;
    const double r = values.front();
    values.pop_front();
    return r;
}

void RecordingMusic::open(platform::Tune tune)
{
    calls << (tune == platform::Tune::Menu ? QStringLiteral("open menu")
                                           : QStringLiteral("open game"));
}

bool FakeDesktop::askOkCancel(QWidget *owner, const QString &text, const QString &title)
{
    questions << text;
    return ask ? ask(owner, text, title) : answerOk;
}

void FakeDesktop::tell(QWidget *, const QString &text, const QString &)
{
    told << text;
}

void FakeDesktop::openUrl(QWidget *owner, const QString &url)
{
    opened << url;
    openedFrom << owner;
}

namespace
{
class HeldJob final : public platform::SolveJob
{
public:
    HeldJob(std::shared_ptr<HeldSolver::Asked> asked, const bool &withinWait)
        : m_asked(std::move(asked)), m_withinWait(withinWait)
    {
    }
    ~HeldJob() override { m_asked->over = true; }
    std::optional<core::Solution> waitFor(std::chrono::milliseconds) override
    {
        if (m_asked->over || !m_withinWait)
            return std::nullopt;
        m_asked->over = true;
        return core::solveShortest(m_asked->board);
    }

private:
    std::shared_ptr<HeldSolver::Asked> m_asked;
    const bool &m_withinWait;
};
} // namespace

std::unique_ptr<platform::SolveJob> HeldSolver::solve(const core::Board &board, Answer answer)
{
    asked.push_back(std::make_shared<Asked>(Asked{board, std::move(answer)}));
    return std::make_unique<HeldJob>(asked.back(), answersWithinWait);
}

int HeldSolver::answer()
{
    int answered = 0;
    // An answer may ask for more, or abandon the others.
    const auto now = asked;
    for (const std::shared_ptr<Asked> &a : now) {
        if (a->over)
            continue;
        a->over = true;
        ++answered;
        a->answer(*core::solveShortest(a->board));
    }
    return answered;
}

int HeldSolver::underWay() const
{
    return static_cast<int>(
        std::count_if(asked.begin(), asked.end(), [](const auto &a) { return !a->over; }));
}

QString builtProgramDir()
{
    return qEnvironmentVariable("PUZZLE_PROGRAM_DIR");
}

void closeAllWindows()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets())
        delete w;
}

bool closeAsTheWindowManagerDoes(QWidget *window)
{
    QCloseEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    // sendEvent() would mark it as the program's own; notify() delivers it as it is.
    qApp->notify(window, &event);
    if (event.isAccepted())
        window->hide(); // what the platform does with an accepted close
    return event.isAccepted();
}

} // namespace testing
