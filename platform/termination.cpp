#include "platform/termination.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform
{

namespace
{

int g_pair[2] = {-1, -1};
const int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Runs in the signal's context: only write(2), which is async-signal-safe.
extern "C" void onTerminationSignal(int signalNumber)
{
    const unsigned char byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &byte, 1);
}

} // namespace

TerminationRequests::TerminationRequests(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_pair) != 0)
        return; // no pipe: the signals keep their default, which ends the process
    m_notifier = new QSocketNotifier(g_pair[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationRequests::readPending);
    struct sigaction action = {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
}

TerminationRequests::~TerminationRequests()
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    for (const int s : kSignals)
        ::sigaction(s, &action, nullptr);
    if (g_pair[0] >= 0) {
        ::close(g_pair[0]);
        ::close(g_pair[1]);
        g_pair[0] = g_pair[1] = -1;
    }
}

void TerminationRequests::readPending()
{
    unsigned char byte = 0;
    if (::read(g_pair[1], &byte, 1) == 1)
        Q_EMIT received(byte);
}

} // namespace platform
