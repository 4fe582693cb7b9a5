#include "records/record_check.h"

#include "core/numeric_text.h"

namespace records
{

namespace
{
double numeric(const QString &text)
{
    return core::numericValue(text.toStdString());
}
QString decimal(int value)
{
    return QString::fromStdString(core::plainDecimal(value));
}
} // namespace

QByteArray sectionOf(core::Level level)
{
    return level == core::Level::Hard ? QByteArrayLiteral("HA") : QByteArrayLiteral("EA");
}

bool beatsClicksRecord(double clicks, double storedClicks)
{
    return clicks < storedClicks || storedClicks == 0;
}

bool beatsTimeRecord(double seconds, double storedSeconds)
{
    return seconds < storedSeconds || storedSeconds == 0;
}

Beaten beaten(const session::GameResult &game, const LevelRecords &stored)
{
    return {beatsClicksRecord(game.clicks, numeric(stored.fewestClicks.clicks)),
            beatsTimeRecord(game.seconds, numeric(stored.shortestTime.seconds))};
}

QList<Setting> recordSettings(const session::GameResult &game, Beaten beaten, const QString &name)
{
    QList<Setting> settings;
    if (beaten.clicks) {
        settings.append({QByteArrayLiteral("NAMCL"), name});
        settings.append({QByteArrayLiteral("CLI1"), decimal(game.clicks)});
        settings.append({QByteArrayLiteral("TIE1"), decimal(game.seconds)});
    }
    if (beaten.time) {
        settings.append({QByteArrayLiteral("NAMTI"), name});
        settings.append({QByteArrayLiteral("CLI2"), decimal(game.clicks)});
        settings.append({QByteArrayLiteral("TIE2"), decimal(game.seconds)});
    }
    return settings;
}

} // namespace records
