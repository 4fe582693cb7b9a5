#pragma once
// Reads a Standard MIDI File the way any player would, independent of our generator, so the
// tests see what other players see.

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>

namespace testing
{

struct SmfNote {
    int channel;
    int pitch;
    qint64 on; // ticks
    qint64 off;
};

struct Smf {
    QString error; // empty when the file parsed
    int format = -1;
    int trackCount = 0;
    int division = 0;
    qint64 endTick = 0; // the latest end-of-track
    QList<SmfNote> notes;
    int hangingNotes = 0;               // note-ons never switched off
    std::map<int, QList<int>> programs; // channel -> programs set on it
    std::map<qint64, int> tempo;        // tick -> microseconds per quarter note

    double secondsAt(qint64 tick) const;
};

Smf readSmf(const QByteArray &bytes);

} // namespace testing
