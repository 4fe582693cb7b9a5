#pragma once
// Whether a finished game beats a record of its level, and what goes into the records file
// when it does. Plain values in, plain values out: the completion dialog only shows them.

#include <QList>
#include <QString>

#include <optional>

namespace records
{

// What the game window shows at the end of a game, read at the moment of use.
struct GameResult {
    QString clicks;          // LbClicks caption
    QString seconds;         // LbSecs caption, whole seconds
    bool hardPreviewShown;   // ImGPrev visible
    bool normalPreviewShown; // ImEPrev visible
};

// The four stored values the check compares with, as numbers (0: no record yet).
struct StoredRecords {
    double normalTime = 0;   // "EA"/"TIE2"
    double normalClicks = 0; // "EA"/"CLI1"
    double hardTime = 0;     // "HA"/"TIE2"
    double hardClicks = 0;   // "HA"/"CLI1"
};

// Reads "EA"/"TIE2", "EA"/"CLI1", "HA"/"TIE2", "HA"/"CLI1", in that order.
StoredRecords readStoredRecords(const QString &file);

// "HA" when the Hard preview is shown, else "EA" when the Normal one is, else none.
std::optional<QString> levelSection(const GameResult &game);

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

// What "Close" writes: "NAMCL", "CLI1", "TIE1" for a beaten clicks record, then "NAMTI",
// "CLI2", "TIE2" for a beaten time record; the counters as their captions, the name as
// given. No settings when nothing is beaten or the game has no level. The name prompt is
// shown exactly when this is not empty.
RecordWrites recordWrites(const GameResult &game, const StoredRecords &stored, const QString &name);

} // namespace records
