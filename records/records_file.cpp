#include "records/records_file.h"

#include "core/numeric_text.h"
#include "records/records_store.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <limits>

namespace records
{

namespace
{

QString valueOf(const profile::Document &document, QByteArrayView section, QByteArrayView key)
{
    return document.value(section, key).value_or(QString()).left(kMaxValueLength);
}

LevelRecords levelIn(const profile::Document &document, core::Level level)
{
    const QByteArray section = sectionOf(level);
    const auto value = [&](const char *key) { return valueOf(document, section, key); };
    return {{value("NAMCL"), value("CLI1"), value("TIE1")},
            {value("NAMTI"), value("CLI2"), value("TIE2")}};
}

QString notSaved(const QString &file, const QString &reason)
{
    return QStringLiteral("Your record could not be saved.\n\nThe records file \"%1\" could not "
                          "be written: %2.")
        .arg(QDir::toNativeSeparators(file), reason);
}

} // namespace

QString recordsFileFor(const QString &installed)
{
    const QFileInfo file(installed);
    const QFileInfo folder(file.absolutePath());
    if (file.exists() ? file.isFile() && file.isWritable() : folder.isDir() && folder.isWritable())
        return installed;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/zantho-puzzle/Kelset.dll");
}

RecordsFile::RecordsFile(QString path) : m_path(std::move(path)) {}

RecordsFile RecordsFile::forInstalled(const QString &installed)
{
    RecordsFile records(recordsFileFor(installed));
    if (records.m_path != installed) {
        records.m_makeFolder = true;
        if (QFileInfo(installed).isFile())
            records.m_startFrom = installed;
    }
    return records;
}

RecordsTable RecordsFile::read() const
{
    const profile::Document document(store::readBytes({m_path, m_startFrom, m_makeFolder}));
    return {levelIn(document, core::Level::Normal), levelIn(document, core::Level::Hard)};
}

Beaten RecordsFile::beats(const session::GameResult &game) const
{
    const profile::Document document(store::readBytes({m_path, m_startFrom, m_makeFolder}));
    return beaten(game, levelIn(document, game.level));
}

SaveOutcome RecordsFile::save(const session::GameResult &game, const QString &name)
{
    const QString stored = sanitizedName(name);
    Beaten written;
    const store::Result result =
        store::edit({m_path, m_startFrom, m_makeFolder}, [&](profile::Document &document) {
            written = beaten(game, levelIn(document, game.level));
            const QByteArray section = sectionOf(game.level);
            for (const Setting &s : recordSettings(game, written, stored))
                document.setValue(section, s.key, s.value);
            return written.any();
        });
    if (!result.ok)
        return {false, {}, notSaved(m_path, result.reason)};
    return {true, written, {}};
}

QString ReadSetting(const QString &file, const QString &section, const QString &key)
{
    return valueOf(profile::Document(store::readBytes({file, {}, false})), section.toUtf8(),
                   key.toUtf8());
}

bool WriteSetting(const QString &file, const QString &section, const QString &key,
                  const QString &value)
{
    return store::edit({file, {}, false},
                       [&](profile::Document &document) {
                           document.setValue(section.toUtf8(), key.toUtf8(), value);
                           return true;
                       })
        .ok;
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
