#pragma once
// The records file: read whenever a window shows it, changed one record at a time under a
// lock, in one atomic write.

#include "records/record_check.h"

#include <QString>

namespace records
{

// The classic profile reader hands out at most this many characters of a value.
inline constexpr int kMaxValueLength = 254;
// A name longer than this does not fit the records window's name field.
inline constexpr int kMaxNameLength = 13;

// Where a game keeps its records, given the file beside its executable (installedFile,
// <program dir>/Config/Kelset.dll as the data tree finds it): that file when it, or (while it
// does not exist) its folder, may be written, as in a build tree or an unpacked copy;
// otherwise, as for a system-wide install, the player's own
// $XDG_DATA_HOME/zantho-puzzle/Kelset.dll (~/.local/share/... by default).
QString recordsFileFor(const QString &installedFile);

struct SaveOutcome {
    bool saved = false;
    Beaten written;  // the records now in the file; none when nothing was beaten
    QString message; // for the player, naming the file, when not saved
};

class RecordsFile
{
public:
    explicit RecordsFile(QString path);
    // The records of the game whose file beside the executable is installedFile, at
    // recordsFileFor(installedFile). Kept in the player's folder, they start from the
    // installed records: those are read until the first save, which copies their bytes with
    // the new record.
    static RecordsFile forInstalled(const QString &installedFile);

    const QString &path() const { return m_path; }

    // What the file holds now; the empty text for whatever is missing.
    RecordsTable read() const;
    // Which records game beats on what the file holds now: whether to ask for a name.
    Beaten beats(const session::GameResult &game) const;
    // Locks the file, reads it again and decides again: a record another copy saved meanwhile
    // is only replaced by a better one. The beaten records (the name through sanitizedName)
    // go into the file in one write. Nothing beaten writes nothing and counts as saved.
    SaveOutcome save(const session::GameResult &game, const QString &name);

private:
    QString m_path;
    QString m_startFrom;
    bool m_makeFolder = false;
};

// The value of key in section; the empty text for a missing file, section or key.
QString ReadSetting(const QString &file, const QString &section, const QString &key);

// Sets one value, under the lock and in one atomic write as a save does. False when the file
// could not be written; the old file is then untouched. The Config folder is never created: a
// game that has none keeps no records there.
bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value);

// Whole seconds as minutes and seconds ("00:00", "01:01", "100:00", "600:00").
QString FormatSeconds(long long seconds);

// A stored time as the records window shows it: its numeric value rounded to whole
// seconds (halves to the even neighbour), then FormatSeconds.
QString formatStoredTime(const QString &stored);

// The name as it goes into the file: no control characters (a pasted line break would
// otherwise start new lines in the file), at most kMaxNameLength characters.
QString sanitizedName(const QString &typed);

} // namespace records
