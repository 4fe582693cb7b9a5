#include "platform/clock.h"

#include <QTime>

namespace platform
{

QString SystemClock::timeText() const
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

int SystemClock::msToNextSecond() const
{
    return 1000 - QTime::currentTime().msec();
}

} // namespace platform
