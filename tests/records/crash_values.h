#pragma once
// The keys the crash test's writer cycles through, in its order, and the values it writes.

#include <QList>
#include <QRegularExpression>
#include <QString>

namespace testing
{

struct CrashKey {
    QString section;
    QString key;
};

inline QList<CrashKey> crashKeys()
{
    QList<CrashKey> keys;
    for (const char *section : {"EA", "HA"})
        for (const char *key : {"NAMCL", "CLI1", "TIE1", "NAMTI", "CLI2", "TIE2"})
            keys.append({QLatin1String(section), QLatin1String(key)});
    return keys;
}

// Long enough that a torn write could not pass for a whole one.
inline QString crashValue(int generation, int pass)
{
    return QStringLiteral("%1-%2-%3-end").arg(generation).arg(pass).arg(QString(60, u'z'));
}

struct CrashStamp {
    int generation = -1;
    int pass = -1;
    bool valid() const { return generation >= 0; }
    friend bool operator==(const CrashStamp &, const CrashStamp &) = default;
};

inline CrashStamp crashStamp(const QString &value)
{
    static const QRegularExpression whole(QStringLiteral("^(\\d+)-(\\d+)-z{60}-end$"));
    const QRegularExpressionMatch m = whole.match(value);
    if (!m.hasMatch())
        return {};
    return {m.captured(1).toInt(), m.captured(2).toInt()};
}

} // namespace testing
