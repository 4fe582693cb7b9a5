#include "platform/display.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace platform
{

namespace
{

// A message of the platform's while it opens, held until it is known whether it opened.
struct Held {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString message;
};

std::mutex heldMutex;
std::vector<Held> *held = nullptr; // while the application object is being made
QtMessageHandler passOn = nullptr;

QByteArray described(const char *variable)
{
    if (!qEnvironmentVariableIsSet(variable))
        return QByteArray(variable) + " is not set";
    return QByteArray(variable) + "=\"" + qgetenv(variable) + '"';
}

void replayHeld()
{
    for (const Held &h : *held) {
        const QMessageLogContext context(h.file.constData(), h.line, h.function.constData(),
                                         h.category.constData());
        passOn(h.type, context, h.message);
    }
    held->clear();
}

bool displayFailed()
{
    for (const Held &h : *held) {
        if (h.message.startsWith(QLatin1String("could not connect to display")) ||
            h.message.startsWith(QLatin1String("Failed to create wl_display")))
            return true;
    }
    return false;
}

void whileOpening(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    std::unique_lock lock(heldMutex);
    if (!held) {
        lock.unlock();
        passOn(type, context, message);
        return;
    }
    if (type != QtFatalMsg) {
        held->push_back(
            {type, context.file, context.function, context.category, context.line, message});
        return;
    }
    if (displayFailed()) {
        std::fprintf(stderr,
                     "Zantho Puzzle +1: no X11 or Wayland display could be opened (%s, %s); "
                     "start the game in a desktop session.\n",
                     described("DISPLAY").constData(), described("WAYLAND_DISPLAY").constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    replayHeld(); // any other failure as it always was
    passOn(type, context, message);
}

// Runs once the application object has its platform: what was held is said after all.
void opened()
{
    std::lock_guard lock(heldMutex);
    if (!held)
        return;
    qInstallMessageHandler(passOn);
    replayHeld();
    delete held;
    held = nullptr;
}

} // namespace

void prepareDisplayConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
    if (held)
        return;
    held = new std::vector<Held>;
    passOn = qInstallMessageHandler(whileOpening);
    qAddPreRoutine(opened);
}

} // namespace platform
