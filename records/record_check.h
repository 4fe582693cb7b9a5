#pragma once
// Whether a finished game beats a record of its level, and what goes into the records file
// when it does. Plain values in, plain values out: the file layer reads and writes them.

#include "session/game_result.h"

#include <QByteArray>
#include <QList>
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
    friend bool operator==(const Beaten &, const Beaten &) = default;
};

// "EA" for Normal, "HA" for Hard.
QByteArray sectionOf(core::Level level);

// Fewer clicks than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsClicksRecord(double clicks, double storedClicks);
// Less time than the record, or no record yet (stored 0). Equal does not beat it.
bool beatsTimeRecord(double seconds, double storedSeconds);

// The records of its own level that game beats; a stored text counts as the number it begins
// with (0, no record yet, for none).
Beaten beaten(const session::GameResult &game, const LevelRecords &stored);

struct Setting {
    QByteArray key;
    QString value;
    friend bool operator==(const Setting &, const Setting &) = default;
};

// What a save writes into sectionOf(game.level), in this order: "NAMCL", "CLI1", "TIE1" for a
// beaten clicks record, then "NAMTI", "CLI2", "TIE2" for a beaten time record; the counters
// as plain decimals, the name as given.
QList<Setting> recordSettings(const session::GameResult &game, Beaten beaten, const QString &name);

} // namespace records
