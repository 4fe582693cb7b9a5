#pragma once
// SIGTERM, SIGINT and SIGHUP, turned into a signal of the event loop: a run told to end by
// the system (a logout, a shutdown, kill) ends like any other run, windows and music and all,
// instead of dying in the middle of whatever it was doing.

#include <QObject>

class QSocketNotifier;

namespace platform
{

class TerminationRequests : public QObject
{
    Q_OBJECT
public:
    // Only one may exist at a time: the handlers are the process's.
    explicit TerminationRequests(QObject *parent = nullptr);
    ~TerminationRequests() override;

Q_SIGNALS:
    void received(int signalNumber);

private:
    void readPending();
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
