#include "platform/services.h"

#include "core/shuffler.h"
#include "platform/music.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace platform
{

QString SystemClock::timeText() const
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

int SystemClock::msToNextSecond() const
{
    return 1000 - QTime::currentTime().msec();
}

Services &services()
{
    static Services instance;
    return instance;
}

void installDefaultServices()
{
    Services &s = services();
    s.programDir = QCoreApplication::applicationDirPath();
    installFontSubstitutions();
    s.clock = std::make_shared<SystemClock>();
    s.random = std::make_shared<core::ClockSeededRandom>([] {
        return static_cast<std::uint64_t>(
            std::chrono::system_clock::now().time_since_epoch().count());
    });
    s.askOkCancel = [](QWidget *owner, const QString &text, const QString &title) {
        QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok | QMessageBox::Cancel,
                        owner);
        return box.exec() == QMessageBox::Ok;
    };
    s.fatalError = [](const QString &message) {
        // A second report while the first is on screen (a timer of another window running
        // into the same missing tree) adds nothing; its caller gives up all the same.
        static bool reporting = false;
        if (reporting)
            return;
        reporting = true;
        std::fprintf(stderr, "%s\n", qPrintable(message));
        std::fflush(stderr);
        music::stopAndClose();
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Zantho Puzzle +1"), message,
                        QMessageBox::Ok);
        box.exec();
        // The picture the game needs is not there; nothing can go on, and nothing is
        // half-written (records are replaced atomically), so leave at once.
        std::_Exit(1);
    };
    s.tell = [](QWidget *owner, const QString &text, const QString &title) {
        QMessageBox::warning(owner, title, text);
    };
    s.endProgram = [](int status) {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
        if (QThread::currentThread()->loopLevel() > 0) {
            QCoreApplication::exit(status);
            return;
        }
        // Asked to end before the event loop runs: there is no loop to leave.
        std::fflush(nullptr);
        std::_Exit(status);
    };
}

} // namespace platform

#include <QFont>

namespace platform
{
void installFontSubstitutions()
{
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
}
} // namespace platform
