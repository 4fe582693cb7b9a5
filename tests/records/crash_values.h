#pragma once
// The saves of the crash test's writer: every save beats the one before it, and its name and
// counters say which save it was.

#include "session/game_result.h"

#include <QRegularExpression>
#include <QString>

namespace testing
{

struct CrashStamp {
    int generation = -1;
    int pass = -1;
    bool valid() const { return generation >= 0; }
    long long order() const { return generation * 1000000LL + pass; }
    friend bool operator==(const CrashStamp &, const CrashStamp &) = default;
};

// Fewer clicks and seconds with every save, so each one takes both records of its level.
inline int crashCount(CrashStamp s)
{
    return static_cast<int>(2000000000LL - s.order());
}

inline session::GameResult crashGame(core::Level level, CrashStamp s)
{
    return {level, crashCount(s), crashCount(s)};
}

inline QString crashName(CrashStamp s)
{
    return QStringLiteral("g%1p%2").arg(s.generation).arg(s.pass);
}

inline CrashStamp crashStampOf(const QString &name)
{
    static const QRegularExpression whole(QStringLiteral("^g(\\d+)p(\\d+)$"));
    const QRegularExpressionMatch m = whole.match(name);
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

} // namespace testing
