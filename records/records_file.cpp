#include "records/records_file.h"

#include "core/numeric_text.h"
#include "records/records_store.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace records
{

namespace
{

const QString kRecordsFolder = QStringLiteral("Config");
const QString kRecordsFileName = QStringLiteral("Kelset.dll");

// The three keys of one record, in the order a save writes them.
struct RecordKeys {
    const char *name, *clicks, *seconds;
};
constexpr RecordKeys kFewestClicks{"NAMCL", "CLI1", "TIE1"};
constexpr RecordKeys kShortestTime{"NAMTI", "CLI2", "TIE2"};

QString valueOf(const profile::Document &document, QByteArrayView section, QByteArrayView key)
{
    return document.value(section, key).value_or(QString()).left(kMaxValueLength);
}

StoredRecord recordIn(const profile::Document &document, QByteArrayView section, RecordKeys keys)
{
    return {valueOf(document, section, keys.name), valueOf(document, section, keys.clicks),
            valueOf(document, section, keys.seconds)};
}

LevelRecords levelIn(const profile::Document &document, core::Level level)
{
    const QByteArray section = sectionOf(level);
    return {recordIn(document, section, kFewestClicks), recordIn(document, section, kShortestTime)};
}

void append(QList<Setting> &settings, RecordKeys keys, const StoredRecord &record)
{
    settings.append({keys.name, record.name});
    settings.append({keys.clicks, record.clicks});
    settings.append({keys.seconds, record.seconds});
}

QString decimal(int value)
{
    return QString::fromStdString(core::plainDecimal(value));
}

QString notSaved(const QString &file, const QString &reason)
{
    return QStringLiteral("Your record could not be saved.\n\nThe records file \"%1\" could not "
                          "be written: %2.")
        .arg(QDir::toNativeSeparators(file), reason);
}

// Why the file beside the executable cannot take the records; empty when it can.
QString installedProblem(const QString &installed)
{
    const QFileInfo file(installed);
    const QFileInfo folder(file.absolutePath());
    const QString name = kRecordsFolder + u'/' + kRecordsFileName;
    if (file.exists()) {
        if (file.isDir())
            return name + QStringLiteral(" is a folder");
        if (!file.isFile())
            return name + QStringLiteral(" is not a file");
        return file.isWritable() ? QString() : name + QStringLiteral(" is read-only");
    }
    if (!folder.exists())
        return QStringLiteral("there is no %1 folder").arg(kRecordsFolder);
    if (!folder.isDir())
        return kRecordsFolder + QStringLiteral(" is not a folder");
    return folder.isWritable() ? QString() : kRecordsFolder + QStringLiteral(" is read-only");
}

} // namespace

QString recordsFileRule()
{
    return u'\\' + kRecordsFolder + u'\\' + kRecordsFileName;
}

QByteArray sectionOf(core::Level level)
{
    return level == core::Level::Hard ? QByteArrayLiteral("HA") : QByteArrayLiteral("EA");
}

QList<Setting> recordSettings(const session::GameResult &game, Beaten beaten, const QString &name)
{
    const StoredRecord record{name, decimal(game.clicks), decimal(game.seconds)};
    QList<Setting> settings;
    if (beaten.clicks)
        append(settings, kFewestClicks, record);
    if (beaten.time)
        append(settings, kShortestTime, record);
    return settings;
}

QString recordsFileFor(const QString &installed, const QString &playerFolder)
{
    if (installedProblem(installed).isEmpty())
        return installed;
    return playerFolder.isEmpty() ? QString() : playerFolder + u'/' + kRecordsFileName;
}

RecordsFile::RecordsFile(QString path) : m_path(std::move(path)) {}

RecordsFile RecordsFile::forInstalled(const QString &installed, const PlayerFolder &player)
{
    const QString problem = installedProblem(installed);
    RecordsFile records(recordsFileFor(installed, player.path));
    records.m_place.file = records.m_path;
    if (problem.isEmpty())
        return records;
    records.m_makeFolder = true;
    if (QFileInfo(installed).isFile())
        records.m_startFrom = installed;
    if (records.m_path.isEmpty()) {
        records.m_place.reason = problem + QStringLiteral("; ") + player.whereLooked;
        records.m_unsaveable = notSaved(
            installed,
            problem + QStringLiteral(", and no folder of your own was found for the records: ") +
                player.whereLooked);
        return records;
    }
    // A copy with a Config folder it may write keeps its records there; one without, or with
    // one only its installer may write, keeps them in the player's folder as planned.
    const QFileInfo folder(QFileInfo(installed).absolutePath());
    if (folder.exists() && (!folder.isDir() || folder.isWritable()))
        records.m_place.reason = problem;
    return records;
}

RecordsTable RecordsFile::read() const
{
    const profile::Document document(
        store::readBytes({m_path, m_startFrom, m_makeFolder}, store::Reading::AfterWritesInPlace));
    return {levelIn(document, core::Level::Normal), levelIn(document, core::Level::Hard)};
}

Beaten RecordsFile::beats(const session::GameResult &game) const
{
    const profile::Document document(
        store::readBytes({m_path, m_startFrom, m_makeFolder}, store::Reading::Unlocked));
    return beaten(game, levelIn(document, game.level));
}

SaveOutcome RecordsFile::save(const session::GameResult &game, const QString &name, Beaten promised,
                              const std::function<void()> &waiting)
{
    if (game.hintUsed) {
        SaveOutcome outcome{true, {}, {}, {}};
        if (promised.any())
            outcome.notRecorded = NotRecorded{NotRecorded::Reason::HintUsed, promised, {}};
        return outcome;
    }
    if (!m_unsaveable.isEmpty())
        return {false, {}, {}, m_unsaveable};
    const QString stored = sanitizedName(name);
    const QByteArray section = sectionOf(game.level);
    Beaten written;
    LevelRecords holders;
    const auto decide = [&](profile::Document &document) {
        holders = levelIn(document, game.level);
        written = beaten(game, holders);
        for (const Setting &s : recordSettings(game, written, stored))
            document.setValue(section, s.key, s.value);
        return written.any();
    };
    const store::Result result = store::edit({m_path, m_startFrom, m_makeFolder}, decide, waiting);
    if (!result.ok)
        return {false, {}, {}, notSaved(m_path, result.reason)};
    SaveOutcome outcome{true, written, {}, {}};
    // A record the player was asked a name for went to another copy of the game, which saved
    // a result as good or better first.
    if (const Beaten taken = promised.without(written); taken.any())
        outcome.notRecorded = NotRecorded{NotRecorded::Reason::TakenMeanwhile, taken, holders};
    return outcome;
}

QString ReadSetting(const QString &file, const QString &section, const QString &key)
{
    const profile::Document document(
        store::readBytes({file, {}, false}, store::Reading::AfterWritesInPlace));
    return valueOf(document, section.toUtf8(), key.toUtf8());
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
    // nearbyint rounds halves to the even neighbour in the default rounding mode.
    return FormatSeconds(static_cast<long long>(std::nearbyint(storedSeconds(stored))));
}

QString shownClicks(const QString &stored)
{
    // A text that is no number at all is shown as it stands; it counts as no record.
    const bool number = core::numericValue(stored.toStdString()) != 0;
    return number && storedClicks(stored) == 0 ? QString() : stored;
}

} // namespace records
