#pragma once
// Small file helpers shared by the records tests.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

namespace testing
{

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// A program folder with an empty Config folder, as the game is installed.
inline QString makeConfig(const QString &programDir)
{
    QDir(programDir).mkpath(QStringLiteral("Config"));
    return programDir + QStringLiteral("/Config/Kelset.dll");
}

} // namespace testing
