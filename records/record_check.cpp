#include "records/record_check.h"

#include "core/numeric_text.h"
#include "records/records_file.h"

namespace records
{

namespace
{
double numeric(const QString &text)
{
    return core::numericValue(text.toStdString());
}
const QString kNormal = QStringLiteral("EA");
const QString kHard = QStringLiteral("HA");
} // namespace

StoredRecords readStoredRecords(const QString &file)
{
    StoredRecords s;
    s.normalTime = numeric(ReadSetting(file, kNormal, QStringLiteral("TIE2")));
    s.normalClicks = numeric(ReadSetting(file, kNormal, QStringLiteral("CLI1")));
    s.hardTime = numeric(ReadSetting(file, kHard, QStringLiteral("TIE2")));
    s.hardClicks = numeric(ReadSetting(file, kHard, QStringLiteral("CLI1")));
    return s;
}

std::optional<QString> levelSection(const GameResult &game)
{
    if (game.hardPreviewShown)
        return kHard;
    if (game.normalPreviewShown)
        return kNormal;
    return std::nullopt;
}

bool beatsClicksRecord(double clicks, double storedClicks)
{
    return clicks < storedClicks || storedClicks == 0;
}

bool beatsTimeRecord(double seconds, double storedSeconds)
{
    return seconds < storedSeconds || storedSeconds == 0;
}

RecordWrites recordWrites(const GameResult &game, const StoredRecords &stored, const QString &name)
{
    RecordWrites w;
    const std::optional<QString> section = levelSection(game);
    if (!section)
        return w;
    w.section = *section;
    const bool hard = *section == kHard;
    if (beatsClicksRecord(numeric(game.clicks), hard ? stored.hardClicks : stored.normalClicks)) {
        w.settings.append({QStringLiteral("NAMCL"), name});
        w.settings.append({QStringLiteral("CLI1"), game.clicks});
        w.settings.append({QStringLiteral("TIE1"), game.seconds});
    }
    if (beatsTimeRecord(numeric(game.seconds), hard ? stored.hardTime : stored.normalTime)) {
        w.settings.append({QStringLiteral("NAMTI"), name});
        w.settings.append({QStringLiteral("CLI2"), game.clicks});
        w.settings.append({QStringLiteral("TIE2"), game.seconds});
    }
    return w;
}

} // namespace records
