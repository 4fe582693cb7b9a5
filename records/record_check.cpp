#include "records/record_check.h"

#include "core/numeric_text.h"
#include "session/round.h"

#include <limits>

namespace records
{

namespace
{
double plausible(const QString &stored, double largest)
{
    const double value = core::numericValue(stored.toStdString());
    return value >= 0 && value <= largest ? value : 0;
}
} // namespace

double storedClicks(const QString &stored)
{
    return plausible(stored, std::numeric_limits<int>::max());
}

double storedSeconds(const QString &stored)
{
    return plausible(stored, session::Round::kMaxPlaySeconds);
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
    return {beatsClicksRecord(game.clicks, storedClicks(stored.fewestClicks.clicks)),
            beatsTimeRecord(game.seconds, storedSeconds(stored.shortestTime.seconds))};
}

} // namespace records
