#pragma once
// The records file: where it is, what it holds, and one record saved at a time under a lock,
// in one atomic write. Its sections and keys are spelled here and nowhere else: what a save
// writes and what a read finds are one table.

#include "records/player_name.h"
#include "records/record_check.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace records
{

// The records file's place below the program directory, by the data tree's rule of paths
// ("\Config\Kelset.dll").
QString recordsFileRule();

// "EA" for Normal, "HA" for Hard.
QByteArray sectionOf(core::Level level);

struct Setting {
    QByteArray key;
    QString value;
    friend bool operator==(const Setting &, const Setting &) = default;
};

// What a save writes into sectionOf(game.level), in this order: "NAMCL", "CLI1", "TIE1" for a
// beaten clicks record, then "NAMTI", "CLI2", "TIE2" for a beaten time record; the counters
// as plain decimals, the name as given.
QList<Setting> recordSettings(const session::GameResult &game, Beaten beaten, const QString &name);

// The player's own folder for the game (by the XDG rules, $XDG_DATA_HOME/zantho-puzzle), where
// the records go when the program folder's may not be written.
struct PlayerFolder {
    QString path;        // empty when none could be found
    QString whereLooked; // then: where the game looked, for the player
};

// Where a game keeps its records, given the file beside its executable (installedFile,
// <program dir>/Config/Kelset.dll as the data tree finds it): that file when it, or (while it
// does not exist) its folder, may be written, as in a build tree or an unpacked copy;
// otherwise, as for a system-wide install, Kelset.dll in the player's folder (empty when
// there is none).
QString recordsFileFor(const QString &installedFile, const QString &playerFolder);

// Where this run's records are kept when that is not where this kind of copy keeps them: a
// build tree or unpacked copy whose Config/Kelset.dll cannot be used, or no folder at all.
struct RecordsPlace {
    QString file;   // empty when the records can be saved nowhere
    QString reason; // why ("Config/Kelset.dll is a folder"); empty when all is as it should be
};

// A record the game beat when its dialog asked for a name that the file does not get.
struct NotRecorded {
    enum class Reason {
        TakenMeanwhile, // another copy saved as good a result first
        HintUsed,       // a game with a hint sets no record
    };
    Reason reason = Reason::TakenMeanwhile;
    Beaten records;       // which of its level's two
    LevelRecords holders; // the level's records as the file holds them now (TakenMeanwhile)
};

struct SaveOutcome {
    bool saved = false;
    Beaten written;                         // the records now in the file
    std::optional<NotRecorded> notRecorded; // promised records the file did not take
    QString message;                        // for the player, naming the file, when not saved
};

class RecordsFile
{
public:
    explicit RecordsFile(QString path);
    // The records of the game whose file beside the executable is installedFile, at
    // recordsFileFor(installedFile, player.path). Kept in the player's folder, they start
    // from the installed records: those are read until the first save, which copies their
    // bytes with the new record.
    static RecordsFile forInstalled(const QString &installedFile, const PlayerFolder &player);

    const QString &path() const { return m_path; }
    const RecordsPlace &place() const { return m_place; }

    // What the file holds now; the empty text for whatever is missing.
    RecordsTable read() const;
    // Which records game beats on what the file holds now: whether to ask for a name. Reads
    // without waiting for any other copy: the save decides again.
    Beaten beats(const session::GameResult &game) const;
    // Locks the file, reads it again and decides again: a record another copy saved meanwhile
    // is only replaced by a better one. The beaten records (the name through sanitizedName)
    // go into the file in one write. Nothing beaten writes nothing and counts as saved. Of
    // the records `promised` (the name prompt's), those the file no longer takes come back
    // in notRecorded. `waiting` is told, on the thread that saves, when another copy holds
    // the lock. A game with a hint is saved nowhere: the file is not even locked.
    SaveOutcome save(const session::GameResult &game, const QString &name, Beaten promised = {},
                     const std::function<void()> &waiting = {});

private:
    QString m_path;
    QString m_startFrom;
    bool m_makeFolder = false;
    RecordsPlace m_place;
    QString m_unsaveable; // why nothing can be saved; empty when it can
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
// seconds (halves to the even neighbour), then FormatSeconds; one no game can have
// (negative, beyond the game clock) as a missing one, "00:00".
QString formatStoredTime(const QString &stored);
// A stored click count as the records window shows it: as stored, but one no game can have
// (negative, beyond the click counter) as a missing one, empty.
QString shownClicks(const QString &stored);

} // namespace records
