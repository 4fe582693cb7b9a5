#include "records/profile_text.h"
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
    void killedWriterLeavesOldOrNewValues();
};

namespace
{

const QByteArray kComment = "; the game's records\r\n";

// What the file holds, key by key in the writer's order, or an explanation of why it is not
// a file the game could read.
QList<CrashStamp> stampsIn(const QByteArray &text, QString *why)
{
    QList<CrashStamp> stamps;
    if (!text.startsWith(kComment)) {
        *why = QStringLiteral("the comment line is gone");
        return {};
    }
    const QList<QByteArray> lines = text.split('\n');
    if (lines.size() != 16 || !lines.last().isEmpty()) {
        *why = QStringLiteral("%1 lines instead of 15").arg(lines.size() - 1);
        return {};
    }
    for (const CrashKey &k : crashKeys()) {
        const auto value = records::profile::valueIn(text, k.section.toUtf8(), k.key.toUtf8());
        const CrashStamp s = crashStamp(value.value_or(QString()));
        if (!s.valid()) {
            *why = QStringLiteral("%1/%2 holds \"%3\"")
                       .arg(k.section, k.key, value.value_or("<missing>"));
            return {};
        }
        stamps.append(s);
    }
    return stamps;
}

// After a kill during generation g, keys written in order hold, from the first: a run of the
// pass being written, then the pass before it (or, in the first pass, what the file held
// before this writer started).
QString checkKilledState(const QList<CrashStamp> &now, const QList<CrashStamp> &before,
                         int generation)
{
    int pass = -1;
    bool inOld = false;
    for (qsizetype k = 0; k < now.size(); ++k) {
        const CrashStamp s = now[k];
        if (s.generation != generation) {
            if (s != before[k])
                return QStringLiteral("key %1 holds a value nobody wrote").arg(k);
            inOld = true;
            continue;
        }
        if (inOld)
            return QStringLiteral("key %1 is new after an old one").arg(k);
        if (pass < 0)
            pass = s.pass;
        if (s.pass != pass && s.pass != pass - 1)
            return QStringLiteral("key %1 jumps from pass %2 to %3").arg(k).arg(pass).arg(s.pass);
        pass = s.pass;
    }
    if (inOld && pass > 1)
        return QStringLiteral("old values after pass %1").arg(pass);
    return {};
}

} // namespace

// A crash or power cut while a record is saved leaves every key with its old or its new value
// and the file readable; never a torn file.
void TestRecordsCrash::killedWriterLeavesOldOrNewValues()
{
    QTemporaryDir dir;
    const QString file = makeConfig(dir.path());
    QByteArray seed = kComment;
    for (const char *section : {"EA", "HA"}) {
        seed += QByteArray("[") + section + "]\r\n";
        for (const char *key : {"NAMCL", "CLI1", "TIE1", "NAMTI", "CLI2", "TIE2"})
            seed += QByteArray(key) + "=" + crashValue(0, 0).toUtf8() + "\r\n";
    }
    QVERIFY(putFile(file, seed));

    QString why;
    QList<CrashStamp> before = stampsIn(seed, &why);
    QVERIFY2(why.isEmpty(), qPrintable(why));

    const quint32 seedValue = QRandomGenerator::global()->generate();
    QRandomGenerator random(seedValue);
    const QByteArray seedNote = "random seed " + QByteArray::number(seedValue);
    constexpr int kills = 250;
    int newValuesSeen = 0;
    for (int generation = 1; generation <= kills; ++generation) {
        QProcess writer;
        writer.start(QStringLiteral(CRASH_WRITER), {file, QString::number(generation)});
        QVERIFY2(writer.waitForReadyRead(5000), seedNote.constData());
        // Somewhere in its loop of writes (one takes a few ms, for the sync), possibly before its
        // first.
        std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(40000)));
        ::kill(static_cast<pid_t>(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(5000));
        QCOMPARE(writer.exitStatus(), QProcess::CrashExit);

        const QList<CrashStamp> now = stampsIn(fileBytes(file), &why);
        QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("kill %1 (%2): %3")
                                               .arg(generation)
                                               .arg(QLatin1String(seedNote), why)));
        why = checkKilledState(now, before, generation);
        QVERIFY2(why.isEmpty(), qPrintable(QStringLiteral("kill %1 (%2): %3")
                                               .arg(generation)
                                               .arg(QLatin1String(seedNote), why)));
        if (now != before)
            ++newValuesSeen;
        before = now;
    }
    // Most kills must land among the writes, or the test proves nothing.
    QVERIFY2(newValuesSeen > kills / 2, qPrintable(QString::number(newValuesSeen)));
    // At most the odd temporary of a write killed while it was being put in place; never a
    // second records file.
    const QStringList left = QDir(dir.path() + QStringLiteral("/Config"))
                                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    qInfo() << "left in Config:" << left;
    QVERIFY(left.contains(QStringLiteral("Kelset.dll")));
    QVERIFY2(left.size() <= kills / 20, qPrintable(left.join(u' ')));
}

QTEST_GUILESS_MAIN(TestRecordsCrash)
#include "tst_records_crash.moc"
