#pragma once
// Whether a finished game beats a record of its level, and what goes into the records file
// when it does. Plain values in, plain values out.

#include "session/game_result.h"

#include <QList>
#include <QString>

namespace records
{

// The four stored values the check compares with, as numbers (0: no record yet).
struct StoredRecords {
    double normalTime = 0;   // "EA"/"TIE2"
    double normalClicks = 0; // "EA"/"CLI1"
    double hardTime = 0;     // "HA"/"TIE2"
    double hardClicks = 0;   // "HA"/"CLI1"
};

// Reads "EA"/"TIE2", "EA"/"CLI1", "HA"/"TIE2", "HA"/"CLI1", in that order.
StoredRecords readStoredRecords(const QString &file);

// "EA" for the Normal board, "HA" for the Hard one.
QString sectionOf(core::Level level);

// Fewer clicks than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsClicksRecord(double clicks, double storedClicks);
// Less time than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsTimeRecord(double seconds, double storedSeconds);

struct Setting {
    QString key;
    QString value;
    friend bool operator==(const Setting &, const Setting &) = default;
};

struct RecordWrites {
    QString section;
    QList<Setting> settings; // in the order they are written
};

// What a save writes: "NAMCL", "CLI1", "TIE1" for a beaten clicks record, then "NAMTI",
// "CLI2", "TIE2" for a beaten time record; the counters as plain decimal text, the name as
// given. No settings when nothing is beaten.
RecordWrites recordWrites(const session::GameResult &game, const StoredRecords &stored,
                          const QString &name);

} // namespace records
