#pragma once
// Whether a finished game beats a record of its level. Plain values in, plain values out: the
// records file (records_file.h) reads them from its keys and writes them back.

#include "session/game_result.h"

#include <QString>

namespace records
{

// One record as the file holds it: texts as stored (the seconds raw, not formatted).
struct StoredRecord {
    QString name, clicks, seconds;
    friend bool operator==(const StoredRecord &, const StoredRecord &) = default;
};
struct LevelRecords {
    StoredRecord fewestClicks, shortestTime;
    friend bool operator==(const LevelRecords &, const LevelRecords &) = default;
};
// What the records window shows.
struct RecordsTable {
    LevelRecords normal, hard;
    friend bool operator==(const RecordsTable &, const RecordsTable &) = default;
};

struct Beaten {
    bool clicks = false, time = false;
    bool any() const { return clicks || time; }
    // The records of this that other does not hold.
    Beaten without(Beaten other) const { return {clicks && !other.clicks, time && !other.time}; }
    friend bool operator==(const Beaten &, const Beaten &) = default;
};

// A stored count as the record check takes it: the number its text begins with, or 0 (no
// record yet) for one no game can have, negative or beyond what the click counter holds or
// the game clock reaches.
double storedClicks(const QString &stored);
double storedSeconds(const QString &stored);

// Fewer clicks than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsClicksRecord(double clicks, double storedClicks);
// Less time than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsTimeRecord(double seconds, double storedSeconds);

// The records of its own level that game beats, the stored texts taken as above.
Beaten beaten(const session::GameResult &game, const LevelRecords &stored);

} // namespace records
