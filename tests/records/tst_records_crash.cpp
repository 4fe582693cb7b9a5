#include "records/profile_text.h"
#include "records/records_file.h"
#include "tests/records/crash_values.h"
#include "tests/records/file_helpers.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <thread>

using namespace testing;

class TestRecordsCrash : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void killedWriterLeavesOldOrNewRecords();
};

namespace
{

const QByteArray kComment = "; the game's records\r\n";
const char *const kSections[] = {"EA", "HA"};

// The save each section's records come from, or an explanation of why the file is not one
// the game could have left: torn, or a record whose keys come from different saves.
QList<CrashStamp> stampsIn(const QByteArray &text, QString *why)
{
    if (!text.startsWith(kComment)) {
        *why = QStringLiteral("the comment line is gone");
        return {};
    }
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() != 16 || !lines.last().isEmpty()) {
        *why = QStringLiteral("%1 lines instead of 15").arg(lines.size() - 1);
        return {};
    }
    QList<CrashStamp> stamps;
    for (const char *section : kSections) {
        const auto value = [&](const char *key) {
            return records::profile::valueIn(text, section, key).value_or("<missing>");
        };
        const CrashStamp clicksRecord = crashStampOf(value("NAMCL"));
        const CrashStamp timeRecord = crashStampOf(value("NAMTI"));
        const QString clicksCount = QString::number(crashCount(clicksRecord));
        const QString timeCount = QString::number(crashCount(timeRecord));
        if (!clicksRecord.valid() || value("CLI1") != clicksCount || value("TIE1") != clicksCount ||
            !timeRecord.valid() || value("CLI2") != timeCount || value("TIE2") != timeCount ||
            clicksRecord != timeRecord) {
            *why = QStringLiteral("[%1] mixes saves: %2 %3 %4 / %5 %6 %7")
                       .arg(QLatin1String(section), value("NAMCL"), value("CLI1"), value("TIE1"),
                            value("NAMTI"), value("CLI2"), value("TIE2"));
            return {};
        }
        stamps.append(clicksRecord);
    }
    return stamps;
}

QByteArray seedText()
{
    const CrashStamp none{0, 0};
    const QByteArray count = QByteArray::number(crashCount(none));
    const QByteArray name = crashName(none).toUtf8();
    QByteArray text = kComment;
    for (const char *section : kSections) {
        text += QByteArray("[") + section + "]\r\n";
        text += "NAMCL=" + name + "\r\nCLI1=" + count + "\r\nTIE1=" + count + "\r\n";
        text += "NAMTI=" + name + "\r\nCLI2=" + count + "\r\nTIE2=" + count + "\r\n";
    }
    return text;
}

} // namespace

// A crash or power cut while a record is saved leaves the old record or the new one, whole:
// never a torn file, never a name beside another save's clicks. A killed writer's lock does
// not keep the next one from saving, and the next save leaves nothing of it behind.
void TestRecordsCrash::killedWriterLeavesOldOrNewRecords()
{
    QTemporaryDir dir;
    const QString file = makeConfig(dir.path());
    QVERIFY(putFile(file, seedText()));

    QString why;
    QList<CrashStamp> before = stampsIn(seedText(), &why);
    QVERIFY2(why.isEmpty(), qPrintable(why));

    const quint32 seedValue = QRandomGenerator::global()->generate();
    QRandomGenerator random(seedValue);
    const QByteArray seedNote = "random seed " + QByteArray::number(seedValue);
    constexpr int kills = 250;
    const QString config = dir.path() + QStringLiteral("/Config");
    int newRecordsSeen = 0;
    int killedMidSave = 0;
    for (int generation = 1; generation <= kills; ++generation) {
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER), {file, QString::number(generation)});
        QVERIFY2(writer.waitForReadyRead(5000), seedNote.constData());
        // Somewhere in its loop of saves (one takes a few ms, for the sync), possibly before
        // its first.
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(40000)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const QString where =
            QStringLiteral("kill %1 (%2): ").arg(generation).arg(QLatin1String(seedNote));
        const QList<CrashStamp> now = stampsIn(fileBytes(file), &why);
        QVERIFY2(why.isEmpty(), qPrintable(where + why));
        for (qsizetype s = 0; s < now.size(); ++s) {
            QVERIFY2(now[s].order() >= before[s].order(),
                     qPrintable(where + QStringLiteral("an older record came back")));
            QVERIFY2(now[s].generation <= generation,
                     qPrintable(where + QStringLiteral("a record nobody saved")));
        }
        if (now != before)
            ++newRecordsSeen;
        killedMidSave += QDir(config).exists(QStringLiteral("Kelset.dll.lock")) ? 1 : 0;

        // The next save, after the writer's last, removes the lock and the temporary it left.
        const CrashStamp last{generation, 999999};
        QVERIFY(records::RecordsFile(file)
                    .save(crashGame(core::Level::Normal, last), crashName(last))
                    .saved);
        const QStringList left =
            QDir(config).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        QVERIFY2(left == QStringList{QStringLiteral("Kelset.dll")},
                 qPrintable(where + left.join(u' ')));
        before = stampsIn(fileBytes(file), &why);
        QVERIFY2(why.isEmpty(), qPrintable(where + why));
    }
    // Most kills must land among the saves, or the test proves nothing.
    QVERIFY2(newRecordsSeen > kills / 2, qPrintable(QString::number(newRecordsSeen)));
    QVERIFY2(killedMidSave > 0, "no writer was killed while it held the lock");
}

QTEST_GUILESS_MAIN(TestRecordsCrash)
#include "tst_records_crash.moc"
