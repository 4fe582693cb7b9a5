#pragma once
// The records file: the two records of each level, read anew at every use so that every
// window shows what the file holds at that moment, and one record saved as one replacement
// of the file.

#include "session/game_result.h"

#include <QString>

namespace records
{

// The classic profile reader hands out at most this many characters of a value.
inline constexpr int kMaxValueLength = 254;
// A name longer than this does not fit the records window's name field.
inline constexpr int kMaxNameLength = 13;

// The value of key in section; the empty text for a missing file, section or key.
QString ReadSetting(const QString &file, const QString &section, const QString &key);

// Sets one value and replaces the whole file atomically (written, synced, then renamed over
// the old one), so a crash at any moment leaves the old file or the new one. False when the
// file could not be written; the old file is then untouched. The Config folder is never
// created: a game that has none keeps no records.
bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value);

// The stored texts of one record, as the records window shows them (seconds as stored).
struct StoredRecord {
    QString name;
    QString clicks;
    QString seconds;
};
struct LevelRecords {
    StoredRecord fewestClicks; // "NAMCL", "CLI1", "TIE1"
    StoredRecord shortestTime; // "NAMTI", "CLI2", "TIE2"
};
struct RecordsTable {
    LevelRecords normal; // "EA"
    LevelRecords hard;   // "HA"
};

// Which records of its level a finished game beats.
struct Beaten {
    bool clicks = false;
    bool time = false;
    bool any() const { return clicks || time; }
};

struct SaveOutcome {
    bool saved = false;
    Beaten written;
    QString message; // for the player, naming the file, when the record was not saved
};

class RecordsFile
{
public:
    explicit RecordsFile(QString path);
    const QString &path() const { return m_path; }

    RecordsTable read() const;
    // On what the file holds now: whether the name prompt is shown.
    Beaten beats(const session::GameResult &game) const;
    // Writes the records the game beats, with the name, in one replacement of the file.
    // A game that beats nothing writes nothing and counts as saved.
    SaveOutcome save(const session::GameResult &game, const QString &name);

private:
    QString m_path;
};

// Whole seconds as minutes and seconds ("00:00", "01:01", "100:00", "600:00").
QString FormatSeconds(long long seconds);

// A stored time as the records window shows it: its numeric value rounded to whole
// seconds (halves to the even neighbour), then FormatSeconds.
QString formatStoredTime(const QString &stored);

// The name as it goes into the file: no control characters (a pasted line break would
// otherwise start new lines in the file), at most kMaxNameLength characters.
QString sanitizedName(const QString &typed);

} // namespace records
