#include "tests/support/doubles.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTime>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

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

struct HeldSolver::Job final : platform::SolveJob {
    Job(HeldSolver &s, const core::Board &b, Answer a) : solver(s), board(b), answer(std::move(a))
    {
        solver.m_open.push_back(this);
    }
    ~Job() override { std::erase(solver.m_open, this); }
    std::optional<core::Solution> waitFor(std::chrono::milliseconds) override
    {
        if (!solver.answersWithinWait || std::erase(solver.m_open, this) == 0)
            return std::nullopt;
        return core::solveShortest(board);
    }
    HeldSolver &solver;
    core::Board board;
    Answer answer;
};

std::unique_ptr<platform::SolveJob> HeldSolver::solve(const core::Board &board, Answer answer)
{
    return std::make_unique<Job>(*this, board, std::move(answer));
}

int HeldSolver::answer()
{
    int answered = 0;
    for (; !m_open.empty(); ++answered) {
        // The answer may let its job go, or ask for another.
        const core::Board board = m_open.front()->board;
        const Answer answer = m_open.front()->answer;
        m_open.erase(m_open.begin());
        answer(*core::solveShortest(board));
    }
    return answered;
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
