#include "records/profile_text.h"
#include "tests/records/file_helpers.h"
#include "tests/records/player.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace testing;

// Two copies of the game at once, and players who may write less than the installer.
class TestRecordsSharing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void twoCopiesKeepTheBetterRecords();
    void killedCopysLockHoldsBackNoOne();
    void writableFileInReadOnlyFolderIsRewrittenInPlace_data();
    void writableFileInReadOnlyFolderIsRewrittenInPlace();
    void recordsFileFor_data();
    void recordsFileFor();
    void playerRecordsStartFromTheInstalledOnes();
};

namespace
{

const QString kTool = QStringLiteral(RECORDS_TOOL);

QString value(const QString &file, const char *key)
{
    return records::profile::valueIn(fileBytes(file), "EA", key).value_or("<missing>");
}

void setMode(const QString &path, mode_t mode)
{
    QVERIFY2(::chmod(QFile::encodeName(path).constData(), mode) == 0, qPrintable(path));
}

ino_t inodeOf(const QString &path)
{
    struct stat s = {};
    return ::stat(QFile::encodeName(path).constData(), &s) == 0 ? s.st_ino : 0;
}

} // namespace

// Two copies of the game whose dialogs are open at once each keep the other's better record:
// both asked for a name, but each save decides again under the lock, and the two saves
// never mix.
void TestRecordsSharing::twoCopiesKeepTheBetterRecords()
{
    const QByteArray before = "[EA]\r\nNAMCL=Old\r\nCLI1=500\r\nTIE1=500\r\nNAMTI=Old\r\n"
                              "CLI2=500\r\nTIE2=500\r\n";
    // Ann has the fewer clicks, Bo the better time; both beat both old records.
    const QByteArray after = "[EA]\r\nNAMCL=Ann\r\nCLI1=100\r\nTIE1=300\r\nNAMTI=Bo\r\n"
                             "CLI2=200\r\nTIE2=150\r\n";
    QTemporaryDir dir;
    const QString file = makeConfig(dir.path());
    for (int round = 1; round <= 20; ++round) {
        QVERIFY(putFile(file, before));
        QProcess ann, bo;
        ann.start(kTool, {QStringLiteral("duel"), file, QStringLiteral("normal"),
                          QStringLiteral("100"), QStringLiteral("300"), QStringLiteral("Ann")});
        bo.start(kTool, {QStringLiteral("duel"), file, QStringLiteral("normal"),
                         QStringLiteral("200"), QStringLiteral("150"), QStringLiteral("Bo")});
        for (QProcess *copy : {&ann, &bo}) {
            QVERIFY(copy->waitForReadyRead(10000));
            QCOMPARE(copy->readLine().trimmed(), QByteArray("decided yes"));
        }
        // Both press "Close" at once: a write only reaches its copy when it is flushed.
        ann.write("close\n");
        bo.write("close\n");
        QVERIFY(ann.waitForBytesWritten(5000) && bo.waitForBytesWritten(5000));
        for (QProcess *copy : {&ann, &bo}) {
            QVERIFY(copy->waitForFinished(20000));
            QCOMPARE(copy->readAll().trimmed(), QByteArray("saved"));
        }
        QVERIFY2(fileBytes(file) == after,
                 qPrintable(QStringLiteral("round %1:\n%2")
                                .arg(round)
                                .arg(QString::fromUtf8(fileBytes(file)))));
    }
}

// A copy killed while it saves (its lock left behind) does not keep the next one from
// saving; a live one makes it wait.
void TestRecordsSharing::killedCopysLockHoldsBackNoOne()
{
    QTemporaryDir dir;
    const QString file = makeConfig(dir.path());
    QVERIFY(putFile(file, "[EA]\r\nCLI1=57\r\n"));
    QProcess holder;
    holder.start(kTool, {QStringLiteral("hold"), file});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    QProcess saver;
    saver.start(kTool, {QStringLiteral("save"), file, QStringLiteral("normal"),
                        QStringLiteral("40"), QStringLiteral("100"), QStringLiteral("Cy")});
    QVERIFY(saver.waitForStarted());
    QVERIFY2(!saver.waitForFinished(300), "saved while another copy held the lock");
    QCOMPARE(value(file, "CLI1"), QStringLiteral("57"));

    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished(5000));
    QVERIFY2(saver.waitForFinished(3000), "the killed copy's lock held the save back");
    QCOMPARE(saver.readAll().trimmed(), QByteArray("saved"));
    QCOMPARE(value(file, "CLI1"), QStringLiteral("40"));
    QCOMPARE(QDir(dir.path() + QStringLiteral("/Config"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Kelset.dll")});
}

void TestRecordsSharing::writableFileInReadOnlyFolderIsRewrittenInPlace_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("writable");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("shorter text")
        << QByteArray("[EA]\r\nNAMCL=Ann\r\nCLI1=570\r\nTIE1=3000\r\nNAMTI=Bo\r\nCLI2=900\r\n"
                      "TIE2=2120\r\n[HA]\r\nCLI1=5\r\n")
        << true << true
        << QByteArray("[EA]\r\nNAMCL=Cy\r\nCLI1=50\r\nTIE1=200\r\nNAMTI=Cy\r\nCLI2=50\r\n"
                      "TIE2=200\r\n[HA]\r\nCLI1=5\r\n");
    QTest::newRow("longer text") << QByteArray("; kept\r\n[EA]\r\nCLI1=57\r\n") << true << true
                                 << QByteArray(
                                        "; kept\r\n[EA]\r\nCLI1=50\r\nNAMCL=Cy\r\nTIE1=200\r\n"
                                        "NAMTI=Cy\r\nCLI2=50\r\nTIE2=200\r\n");
    QTest::newRow("read-only file: not saved, said so")
        << QByteArray("[EA]\r\nCLI1=57\r\n") << false << false << QByteArray("[EA]\r\nCLI1=57\r\n");
}

// A scores file an administrator made writable for players in a folder they may not write
// is rewritten in place, as the classic profile functions write it; it stays the same file.
void TestRecordsSharing::writableFileInReadOnlyFolderIsRewrittenInPlace()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, writable);
    QFETCH(bool, saved);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    Player player(kTool, dir.path());
    QString why;
    if (!player.prepare(&why))
        QSKIP(qPrintable(why));
    const QString file = makeConfig(dir.path());
    const QString config = QFileInfo(file).absolutePath();
    QVERIFY(putFile(file, before));
    setMode(file, writable ? 0666 : 0444);
    setMode(config, 0555);
    const ino_t inode = inodeOf(file);

    QString output;
    const int code = player.run({QStringLiteral("save"), file, QStringLiteral("normal"),
                                 QStringLiteral("50"), QStringLiteral("200"), QStringLiteral("Cy")},
                                &output);
    setMode(config, 0755);
    QCOMPARE(code, saved ? 0 : 1);
    if (saved)
        QCOMPARE(output, QStringLiteral("saved"));
    else
        QVERIFY2(output.contains(file), qPrintable(output));
    QCOMPARE(fileBytes(file), after);
    QCOMPARE(inodeOf(file), inode);
    struct stat status = {};
    QCOMPARE(::stat(QFile::encodeName(file).constData(), &status), 0);
    QCOMPARE(status.st_mode & 0777, writable ? 0666u : 0444u);
    QCOMPARE(QDir(config).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Kelset.dll")});

    // Killed before any step of the rewrite (claiming room, writing, syncing, cutting), the
    // save leaves the old records or the new ones: a shorter text is padded with blanks until
    // it is cut, never followed by the old text's tail.
    if (!saved || QProcess::execute(QStringLiteral("strace"), {"-o", "/dev/null", "true"}) != 0)
        return;
    int padded = 0;
    for (const char *step : {"fallocate", "pwrite64", "fdatasync", "ftruncate"}) {
        for (int nth = 1; nth <= 2; ++nth) {
            QVERIFY(putFile(file, before));
            setMode(config, 0555);
            player.run({QStringLiteral("save"), file, "normal", "50", "200", "Cy"}, &output,
                       QStringLiteral("strace -f -o /dev/null -e trace=%1 -e "
                                      "inject=%1:signal=KILL:when=%2")
                           .arg(QLatin1String(step))
                           .arg(nth)
                           .split(u' '));
            setMode(config, 0755);
            const QByteArray now = fileBytes(file);
            const bool isPadded = now.size() > after.size() && now.startsWith(after) &&
                                  now.sliced(after.size()).count(' ') == now.size() - after.size();
            padded += isPadded ? 1 : 0;
            QVERIFY2(now == before || now == after || isPadded,
                     qPrintable(QStringLiteral("killed at %1 #%2:\n").arg(step).arg(nth) + now));
        }
    }
    QVERIFY2(after.size() > before.size() || padded > 0, "no kill between writing and cutting");
}

void TestRecordsSharing::recordsFileFor_data()
{
    QTest::addColumn<QString>("config"); // "none", "writable", "read-only"
    QTest::addColumn<QString>("file");   // "none", "writable", "read-only"
    QTest::addColumn<bool>("installed"); // else the player's own folder
    QTest::newRow("build tree: no file yet, writable Config") << "writable"
                                                              << "none" << true;
    QTest::newRow("unpacked copy with records") << "writable"
                                                << "writable" << true;
    QTest::newRow("scores file writable in a read-only folder") << "read-only"
                                                                << "writable" << true;
    QTest::newRow("system-wide, no records yet") << "read-only"
                                                 << "none" << false;
    QTest::newRow("system-wide with installed records") << "read-only"
                                                        << "read-only" << false;
    QTest::newRow("read-only file in a writable folder") << "writable"
                                                         << "read-only" << false;
    QTest::newRow("no Config folder") << "none"
                                      << "none" << false;
}

// Records go where the player may write: the program folder's file while the player may
// write it (or create it), else the player's own data folder.
void TestRecordsSharing::recordsFileFor()
{
    QFETCH(QString, config);
    QFETCH(QString, file);
    QFETCH(bool, installed);
    QTemporaryDir dir;
    Player player(kTool, dir.path());
    QString why;
    if (!player.prepare(&why))
        QSKIP(qPrintable(why));
    const QString program = dir.path() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(program));
    const QString installedFile = program + QStringLiteral("/Config/Kelset.dll");
    if (config != QLatin1String("none")) {
        makeConfig(program);
        if (file != QLatin1String("none")) {
            QVERIFY(putFile(installedFile, "[EA]\r\nCLI1=57\r\n"));
            setMode(installedFile, file == QLatin1String("writable") ? 0666 : 0444);
        }
        setMode(QFileInfo(installedFile).absolutePath(),
                config == QLatin1String("writable") ? 0777 : 0555);
    }
    QString where;
    const int code = player.run({QStringLiteral("where"), program}, &where);
    if (config != QLatin1String("none"))
        setMode(QFileInfo(installedFile).absolutePath(), 0755);
    QCOMPARE(code, 0);
    QCOMPARE(where, installed ? installedFile
                              : dir.path() + QStringLiteral("/xdg/zantho-puzzle/Kelset.dll"));
}

// Installed system-wide, the game shows the installed records until the player's first
// record, which goes into the player's own file together with everything the installed one
// held; the installed file is never touched.
void TestRecordsSharing::playerRecordsStartFromTheInstalledOnes()
{
    QTemporaryDir dir;
    Player player(kTool, dir.path());
    QString why;
    if (!player.prepare(&why))
        QSKIP(qPrintable(why));
    const QString program = dir.path() + QStringLiteral("/program");
    QVERIFY(QDir().mkpath(program));
    const QString installed = makeConfig(program);
    const QByteArray installedBytes = "; shipped\r\n[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\n"
                                      "NAMTI=Bo\r\nCLI2=90\r\nTIE2=212\r\n";
    QVERIFY(putFile(installed, installedBytes));
    setMode(installed, 0444);
    setMode(QFileInfo(installed).absolutePath(), 0555);
    const QString own = dir.path() + QStringLiteral("/xdg/zantho-puzzle/Kelset.dll");
    QVERIFY(QDir().mkpath(dir.path() + QStringLiteral("/xdg")));
    setMode(dir.path() + QStringLiteral("/xdg"), 0777);

    const auto play = [&](const char *clicks, const char *seconds, const char *name) {
        QString out;
        const int code =
            player.run({QStringLiteral("program-save"), program, QStringLiteral("normal"),
                        QLatin1String(clicks), QLatin1String(seconds), QLatin1String(name)},
                       &out);
        return code == 0 ? out : QStringLiteral("failed (%1): %2").arg(code).arg(out);
    };
    QString shown;
    QCOMPARE(player.run({QStringLiteral("program-read"), program}, &shown), 0);
    QCOMPARE(shown, QStringLiteral("Ann\n57\n300\nBo\n90\n212"));
    QVERIFY(!QFileInfo::exists(own));

    QCOMPARE(play("60", "200", "Cy"), QStringLiteral("saved")); // the time record only
    QCOMPARE(fileBytes(own), QByteArray("; shipped\r\n[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\n"
                                        "NAMTI=Cy\r\nCLI2=60\r\nTIE2=200\r\n"));
    QCOMPARE(play("70", "250", "Dee"), QStringLiteral("saved")); // beats neither
    QCOMPARE(play("50", "199", "Eve"), QStringLiteral("saved"));
    QCOMPARE(fileBytes(own), QByteArray("; shipped\r\n[EA]\r\nNAMCL=Eve\r\nCLI1=50\r\nTIE1=199\r\n"
                                        "NAMTI=Eve\r\nCLI2=50\r\nTIE2=199\r\n"));
    QCOMPARE(fileBytes(installed), installedBytes);
    setMode(QFileInfo(installed).absolutePath(), 0755);
}

QTEST_GUILESS_MAIN(TestRecordsSharing)
#include "tst_records_sharing.moc"
