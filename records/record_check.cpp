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

QString sectionOf(core::Level level)
{
    return level == core::Level::Hard ? kHard : kNormal;
}

bool beatsClicksRecord(double clicks, double storedClicks)
{
    return clicks < storedClicks || storedClicks == 0;
}

bool beatsTimeRecord(double seconds, double storedSeconds)
{
    return seconds < storedSeconds || storedSeconds == 0;
}

RecordWrites recordWrites(const session::GameResult &game, const StoredRecords &stored,
                          const QString &name)
{
    RecordWrites w;
    w.section = sectionOf(game.level);
    const bool hard = game.level == core::Level::Hard;
    const QString clicks = QString::number(game.clicks);
    const QString seconds = QString::number(game.seconds);
    if (beatsClicksRecord(game.clicks, hard ? stored.hardClicks : stored.normalClicks)) {
        w.settings.append({QStringLiteral("NAMCL"), name});
        w.settings.append({QStringLiteral("CLI1"), clicks});
        w.settings.append({QStringLiteral("TIE1"), seconds});
    }
    if (beatsTimeRecord(game.seconds, hard ? stored.hardTime : stored.normalTime)) {
        w.settings.append({QStringLiteral("NAMTI"), name});
        w.settings.append({QStringLiteral("CLI2"), clicks});
        w.settings.append({QStringLiteral("TIE2"), seconds});
    }
    return w;
}

} // namespace records
