#include "records/records_file.h"

#include "core/numeric_text.h"
#include "records/profile_text.h"
#include "records/record_check.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace records
{

QString ReadSetting(const QString &file, const QString &section, const QString &key)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = f.readAll();
    return profile::valueIn(text, section.toUtf8(), key.toUtf8())
        .value_or(QString())
        .left(kMaxValueLength);
}

namespace
{

// The file's bytes; false when it is there but cannot be read (it must then not be replaced
// by one that holds only the new values).
bool readWhole(const QString &file, QByteArray &bytes)
{
    bytes.clear();
    QFile f(file);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly))
        return false;
    bytes = f.readAll();
    return f.error() == QFileDevice::NoError;
}

// Replaces the whole file atomically (written, synced, then renamed over the old one), so a
// crash at any moment leaves the old file or the new one.
bool replaceWhole(const QString &file, const QByteArray &bytes)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (out.write(bytes) != bytes.size()) {
        out.cancelWriting();
        return false;
    }
    return out.commit();
}

} // namespace

bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value)
{
    QByteArray old;
    if (!readWhole(file, old))
        return false;
    const QByteArray text = profile::withValue(old, section.toUtf8(), key.toUtf8(), value.toUtf8());
    if (text == old && QFile::exists(file))
        return true;
    return replaceWhole(file, text);
}

RecordsFile::RecordsFile(QString path) : m_path(std::move(path)) {}

RecordsTable RecordsFile::read() const
{
    const auto record = [this](const QString &section, const char *name, const char *clicks,
                               const char *seconds) {
        return StoredRecord{ReadSetting(m_path, section, QLatin1String(name)),
                            ReadSetting(m_path, section, QLatin1String(clicks)),
                            ReadSetting(m_path, section, QLatin1String(seconds))};
    };
    RecordsTable t;
    for (const bool hard : {false, true}) {
        const QString section = hard ? QStringLiteral("HA") : QStringLiteral("EA");
        LevelRecords &level = hard ? t.hard : t.normal;
        level.fewestClicks = record(section, "NAMCL", "CLI1", "TIE1");
        level.shortestTime = record(section, "NAMTI", "CLI2", "TIE2");
    }
    return t;
}

namespace
{
Beaten beatenBy(const RecordWrites &writes)
{
    Beaten b;
    for (const Setting &s : writes.settings) {
        b.clicks = b.clicks || s.key == QLatin1String("CLI1");
        b.time = b.time || s.key == QLatin1String("TIE2");
    }
    return b;
}
} // namespace

Beaten RecordsFile::beats(const session::GameResult &game) const
{
    return beatenBy(recordWrites(game, readStoredRecords(m_path), QString()));
}

SaveOutcome RecordsFile::save(const session::GameResult &game, const QString &name)
{
    const RecordWrites writes = recordWrites(game, readStoredRecords(m_path), sanitizedName(name));
    SaveOutcome outcome;
    outcome.written = beatenBy(writes);
    if (writes.settings.isEmpty()) {
        outcome.saved = true;
        return outcome;
    }
    QByteArray before;
    bool ok = readWhole(m_path, before);
    if (ok) {
        QByteArray text = before;
        for (const Setting &s : writes.settings)
            text =
                profile::withValue(text, writes.section.toUtf8(), s.key.toUtf8(), s.value.toUtf8());
        ok = replaceWhole(m_path, text);
    }
    outcome.saved = ok;
    if (!ok) {
        outcome.written = {};
        outcome.message = QStringLiteral("Your record could not be saved.\n\nThe records file "
                                         "\"%1\" could not be written.")
                              .arg(m_path);
    }
    return outcome;
}

QString FormatSeconds(long long seconds)
{
    return QString::fromStdString(core::minutesSeconds(seconds));
}

QString formatStoredTime(const QString &stored)
{
    // nearbyint rounds halves to the even neighbour in the default rounding mode. Hand-edited
    // values far beyond any game clock are held at the limits instead of overflowing.
    const double rounded = std::nearbyint(core::numericValue(stored.toStdString()));
    constexpr double limit = static_cast<double>(std::numeric_limits<int>::max());
    const double held = std::isnan(rounded) ? 0.0 : std::clamp(rounded, -limit, limit);
    return FormatSeconds(static_cast<long long>(held));
}

QString sanitizedName(const QString &typed)
{
    QString name;
    name.reserve(typed.size());
    for (const QChar c : typed) {
        const auto category = c.category();
        if (category == QChar::Other_Control || category == QChar::Separator_Line ||
            category == QChar::Separator_Paragraph)
            continue;
        name.append(c);
    }
    // Never cut a character in half.
    if (name.size() > kMaxNameLength) {
        qsizetype cut = kMaxNameLength;
        if (name.at(cut - 1).isHighSurrogate())
            --cut;
        name.truncate(cut);
    }
    return name;
}

} // namespace records
