#include "records/records_file.h"
#include "tests/records/file_helpers.h"
#include "tests/records/player.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>

#include <pwd.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

using namespace records;

class TestRecordsFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingFileStaysAbsentUntilTheFirstWrite();
    void writeKeepsTheRestOfARealFile();
    void longValueReadsBackCut();
    void failedWriteLeavesEverythingAsItWas_data();
    void failedWriteLeavesEverythingAsItWas();
    void readOnlyFolderIsAFailedWrite();
    void hugeFileOnDisk();
    void readShowsWhatTheFileHolds();
    void saveDecidesAgainOnWhatTheFileHoldsThen();
    void nothingBeatenWritesNothing();
    void unsavedRecordIsToldAndTheFileKept_data();
    void unsavedRecordIsToldAndTheFileKept();
    void replacedFileKeepsModeAndOwner_data();
    void replacedFileKeepsModeAndOwner();
    void fullDiskLeavesTheOldRecordOrTheNew_data();
    void fullDiskLeavesTheOldRecordOrTheNew();
    void formatSeconds_data();
    void formatSeconds();
    void storedTimeAsShown_data();
    void storedTimeAsShown();
    void sanitizedName_data();
    void sanitizedName();
};

namespace
{

const QByteArray kNormalRecords = "[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\nNAMTI=Bo\r\n"
                                  "CLI2=90\r\nTIE2=212\r\n";

session::GameResult normalGame(int clicks, int seconds)
{
    return {core::Level::Normal, seconds, clicks};
}

struct stat statusOf(const QString &path)
{
    struct stat s = {};
    ::stat(QFile::encodeName(path).constData(), &s);
    return s;
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

// Reading never creates the file; the first record does, and only in an existing Config.
void TestRecordsFile::missingFileStaysAbsentUntilTheFirstWrite()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QCOMPARE(ReadSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1")), QString());
    QCOMPARE(ReadSetting(file, QStringLiteral("HA"), QStringLiteral("NAMTI")), QString());
    QVERIFY(!QFileInfo::exists(file));

    QVERIFY(
        WriteSetting(file, QStringLiteral("EA"), QStringLiteral("NAMCL"), QStringLiteral("Ann")));
    QCOMPARE(testing::fileBytes(file), QByteArray("[EA]\r\nNAMCL=Ann\r\n"));
    QCOMPARE(ReadSetting(file, QStringLiteral("ea"), QStringLiteral("namcl")),
             QStringLiteral("Ann"));
    // Nothing but the file itself is left in the folder.
    QCOMPARE(QDir(dir.path() + QStringLiteral("/Config"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("Kelset.dll")});
}

// A write through the disk changes one value and keeps the file's own bytes and permissions.
void TestRecordsFile::writeKeepsTheRestOfARealFile()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    const QByteArray before = "; kept\r\n[HA]\r\nCLI1=9\r\n\r\n[EA]\r\nCLI1=57\r\nTIE1=212\r\n";
    QVERIFY(testing::putFile(file, before));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    const QFile::Permissions permissions = QFile::permissions(file);

    QVERIFY(WriteSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1"), QStringLiteral("40")));
    QVERIFY(
        WriteSetting(file, QStringLiteral("EA"), QStringLiteral("NAMCL"), QStringLiteral("Bo")));
    QCOMPARE(
        testing::fileBytes(file),
        QByteArray("; kept\r\n[HA]\r\nCLI1=9\r\n\r\n[EA]\r\nCLI1=40\r\nTIE1=212\r\nNAMCL=Bo\r\n"));
    QCOMPARE(QFile::permissions(file), permissions);
    QVERIFY(!(permissions & QFile::ReadOther));
}

// The classic reader hands out at most 254 characters of a value.
void TestRecordsFile::longValueReadsBackCut()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QString value;
    for (int i = 0; i < 300; ++i)
        value += QChar(u'a' + i % 26);
    QVERIFY(WriteSetting(file, QStringLiteral("EA"), QStringLiteral("NAMCL"), value));
    QCOMPARE(ReadSetting(file, QStringLiteral("EA"), QStringLiteral("NAMCL")), value.left(254));
    QVERIFY(testing::fileBytes(file).contains(value.toUtf8())); // stored whole
}

void TestRecordsFile::failedWriteLeavesEverythingAsItWas_data()
{
    QTest::addColumn<QString>("layout");
    QTest::newRow("no Config folder") << "none";
    QTest::newRow("Config is a file") << "file";
    QTest::newRow("the records file is a folder") << "folder";
}

// A write that cannot happen says so and creates or changes nothing.
void TestRecordsFile::failedWriteLeavesEverythingAsItWas()
{
    QFETCH(QString, layout);
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/Config/Kelset.dll");
    if (layout == QLatin1String("file"))
        QVERIFY(testing::putFile(dir.path() + QStringLiteral("/Config"), "not a folder"));
    if (layout == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Config/Kelset.dll")));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden);

    QVERIFY(!WriteSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1"), QStringLiteral("5")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(!QDir(dir.path()).exists(QStringLiteral("Config")) || layout != QLatin1String("none"));
}

// A read-only Config folder without the file is a failed write that creates nothing. (With
// a writable file in it the file is rewritten in place: tst_records_sharing.)
void TestRecordsFile::readOnlyFolderIsAFailedWrite()
{
    if (::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    const QString config = dir.path() + QStringLiteral("/Config");
    QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    const bool written =
        WriteSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1"), QStringLiteral("5"));
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(entriesOf(config), QStringList());
}

// A 10 MB hand-edited file on disk is read and written.
void TestRecordsFile::hugeFileOnDisk()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QByteArray text = "\xEF\xBB\xBF[EA]\nCLI1=57\n";
    text += QByteArray(10 * 1024 * 1024, ';');
    text += "\n[HA]\nNAMTI=Zed";
    QVERIFY(testing::putFile(file, text));
    QCOMPARE(ReadSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1")), QStringLiteral("57"));
    QCOMPARE(ReadSetting(file, QStringLiteral("HA"), QStringLiteral("NAMTI")),
             QStringLiteral("Zed"));
    QVERIFY(WriteSetting(file, QStringLiteral("HA"), QStringLiteral("TIE2"), QStringLiteral("77")));
    QCOMPARE(testing::fileBytes(file), text + "\nTIE2=77\n");
}

// The records window gets every field of both levels as stored, the seconds unformatted.
void TestRecordsFile::readShowsWhatTheFileHolds()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QCOMPARE(RecordsFile(file).read(), RecordsTable{});
    const QString longName(300, u'n');
    QVERIFY(testing::putFile(file, "[HA]\r\nNAMCL=" + longName.toUtf8() +
                                       "\r\nCLI1=140\r\nTIE1=6000\r\n" + kNormalRecords));
    const RecordsTable table = RecordsFile(file).read();
    QCOMPARE(table.normal, (LevelRecords{{"Ann", "57", "300"}, {"Bo", "90", "212"}}));
    QCOMPARE(table.hard, (LevelRecords{{longName.left(254), "140", "6000"}, {}}));
}

// A record saved by another copy while this one's dialog was open is only replaced by a
// better one: the save decides again on what the file holds when it is made.
void TestRecordsFile::saveDecidesAgainOnWhatTheFileHoldsThen()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(file, kNormalRecords));
    RecordsFile mine(file);
    const session::GameResult game = normalGame(50, 200);
    QCOMPARE(mine.beats(game), (Beaten{true, true})); // the name prompt shows

    const SaveOutcome other = RecordsFile(file).save(normalGame(40, 250), "Cy");
    QVERIFY(other.saved);
    QCOMPARE(other.written, (Beaten{true, false}));

    const SaveOutcome outcome = mine.save(game, "Dee");
    QVERIFY(outcome.saved);
    QCOMPARE(outcome.written, (Beaten{false, true}));
    QCOMPARE(testing::fileBytes(file),
             QByteArray("[EA]\r\nNAMCL=Cy\r\nCLI1=40\r\nTIE1=250\r\nNAMTI=Dee\r\nCLI2=50\r\n"
                        "TIE2=200\r\n"));
}

// A game that beats nothing leaves the file alone, to the byte and to the inode, and counts
// as saved.
void TestRecordsFile::nothingBeatenWritesNothing()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(file, kNormalRecords));
    const ino_t inode = statusOf(file).st_ino;
    const SaveOutcome outcome = RecordsFile(file).save(normalGame(57, 212), "Cy");
    QVERIFY(outcome.saved);
    QVERIFY(!outcome.written.any());
    QVERIFY(outcome.message.isEmpty());
    QCOMPARE(testing::fileBytes(file), kNormalRecords);
    QCOMPARE(statusOf(file).st_ino, inode);
    QCOMPARE(entriesOf(dir.path() + QStringLiteral("/Config")),
             QStringList{QStringLiteral("Kelset.dll")});
}

void TestRecordsFile::unsavedRecordIsToldAndTheFileKept_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QByteArray>("before");
    QStringEncoder utf16(QStringConverter::Utf16LE);
    const QByteArray brokenUtf16 =
        "\xFF\xFE" + QByteArray(utf16(QStringLiteral("[EA]\r\nCLI1=57\r\n"))) + "\x3D\xD8";
    QTest::newRow("UTF-16 with half a character") << "config" << brokenUtf16;
    QTest::newRow("no Config folder") << "none" << QByteArray();
    QTest::newRow("the records file is a folder") << "folder" << QByteArray();
}

// A record that cannot be saved is reported with the file's name, and the file and folder
// are as they were: nothing half-written, nothing damaged.
void TestRecordsFile::unsavedRecordIsToldAndTheFileKept()
{
    QFETCH(QString, layout);
    QFETCH(QByteArray, before);
    QTemporaryDir dir;
    const QString file = dir.path() + QStringLiteral("/Config/Kelset.dll");
    if (layout == QLatin1String("config"))
        QVERIFY(testing::putFile(testing::makeConfig(dir.path()), before));
    if (layout == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Config/Kelset.dll")));
    const QStringList entries = entriesOf(dir.path() + QStringLiteral("/Config"));

    const SaveOutcome outcome = RecordsFile(file).save(normalGame(50, 200), "Cy");
    QVERIFY(!outcome.saved);
    QVERIFY(!outcome.written.any());
    QVERIFY2(outcome.message.contains(file), qPrintable(outcome.message));
    QCOMPARE(entriesOf(dir.path() + QStringLiteral("/Config")), entries);
    if (layout == QLatin1String("config"))
        QCOMPARE(testing::fileBytes(file), before);
    QCOMPARE(QDir(dir.path()).exists(QStringLiteral("Config")), layout != QLatin1String("none"));
}

void TestRecordsFile::replacedFileKeepsModeAndOwner_data()
{
    QTest::addColumn<uint>("mode");
    QTest::addColumn<bool>("player"); // owned by "nobody" (needs root), else by whoever runs
    QTest::newRow("owner-only") << 0600u << false;
    QTest::newRow("group readable") << 0640u << false;
    QTest::newRow("read-only, saved by root") << 0444u << false;
    QTest::newRow("a player's file saved by root") << 0640u << true;
    QTest::newRow("a player's read-only file saved by root") << 0400u << true;
}

// Replacing the file keeps what its owner and mode say: a file made read-only stays so, and
// root saving a record into a player's file gives the new file back to that player.
void TestRecordsFile::replacedFileKeepsModeAndOwner()
{
    QFETCH(uint, mode);
    QFETCH(bool, player);
    if (player && ::geteuid() != 0)
        QSKIP("only root may save into a file another user owns");
    if (mode == 0444u && ::geteuid() != 0)
        QSKIP("a read-only file is saved only by root");
    const passwd *nobody = ::getpwnam("nobody");
    if (player && !nobody)
        QSKIP("no user \"nobody\" to own the file");
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(file, kNormalRecords));
    if (player)
        QCOMPARE(::chown(QFile::encodeName(file).constData(), nobody->pw_uid, nobody->pw_gid), 0);
    QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode), 0);
    const struct stat before = statusOf(file);

    QVERIFY(RecordsFile(file).save(normalGame(50, 200), "Cy").saved);
    const struct stat after = statusOf(file);
    QVERIFY(testing::fileBytes(file).contains("CLI1=50"));
    QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
    QCOMPARE(after.st_uid, before.st_uid);
    QCOMPARE(after.st_gid, before.st_gid);
    // The old file was still there when the new one was made, so they differ.
    QVERIFY2(after.st_ino != before.st_ino, "the file was not replaced");
}

void TestRecordsFile::fullDiskLeavesTheOldRecordOrTheNew_data()
{
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("the game replaces the file") << false;
    QTest::newRow("a player rewrites it in its read-only folder") << true;
}

// On a full disk a save either fits whole or leaves the old file whole, and the player is
// told which: never half a record, never "not saved" for a record that was.
void TestRecordsFile::fullDiskLeavesTheOldRecordOrTheNew()
{
    QFETCH(bool, inPlace);
    if (::geteuid() != 0)
        QSKIP("needs root to mount a small tmpfs");
    QTemporaryDir dir;
    testing::Player player(QStringLiteral(RECORDS_TOOL), dir.path());
    QString why;
    if (inPlace && !player.prepare(&why))
        QSKIP(qPrintable(why));
    const QString disk = dir.path() + QStringLiteral("/disk");
    QVERIFY(QDir().mkpath(disk));
    const QByteArray diskName = QFile::encodeName(disk);
    if (::mount("tmpfs", diskName.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
        QSKIP(qPrintable(QStringLiteral("cannot mount a tmpfs here: %1")
                             .arg(QString::fromLocal8Bit(std::strerror(errno)))));
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{diskName};

    // Two pages all but a few bytes: the new record needs a third one, as each of the old
    // key-by-key writes after the third did.
    const QString file = testing::makeConfig(disk);
    const QByteArray hard = "[HA]\r\nNAMCL=Zed\r\nCLI1=140\r\nTIE1=6000\r\n";
    QByteArray before = "; " + QByteArray(2 * 4096 - 40 - hard.size() - 4, 'x') + "\r\n" + hard;
    QCOMPARE(before.size(), 2 * 4096 - 40);
    const QByteArray after =
        before +
        "\r\n[EA]\r\nNAMCL=Cy\r\nCLI1=50\r\nTIE1=200\r\nNAMTI=Cy\r\nCLI2=50\r\nTIE2=200\r\n";
    const QString filler = disk + QStringLiteral("/filler");

    int savedAt = -1;
    for (int freePages = 0; freePages <= 6; ++freePages) {
        QFile::remove(filler);
        QFile::remove(file);
        QVERIFY(testing::putFile(file, before));
        struct statvfs fs = {};
        QCOMPARE(::statvfs(diskName.constData(), &fs), 0);
        const qint64 fill = (static_cast<qint64>(fs.f_bavail) - freePages) * fs.f_bsize;
        QVERIFY(fill >= 0);
        QVERIFY(testing::putFile(filler, QByteArray(fill, '.')));
        QCOMPARE(::statvfs(diskName.constData(), &fs), 0);
        QCOMPARE(static_cast<int>(fs.f_bavail), freePages);

        SaveOutcome outcome;
        if (inPlace) {
            QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0666), 0);
            QCOMPARE(::chmod(QFile::encodeName(disk + QStringLiteral("/Config")).constData(), 0555),
                     0);
            QString output;
            const int code =
                player.run({QStringLiteral("save"), file, QStringLiteral("normal"),
                            QStringLiteral("50"), QStringLiteral("200"), QStringLiteral("Cy")},
                           &output);
            QVERIFY2(code == 0 || code == 1, qPrintable(output));
            outcome = {code == 0, {}, {}, code == 0 ? QString() : output};
            QCOMPARE(::chmod(QFile::encodeName(disk + QStringLiteral("/Config")).constData(), 0755),
                     0);
        } else {
            outcome = RecordsFile(file).save(normalGame(50, 200), "Cy");
        }
        const QByteArray now = testing::fileBytes(file);
        const QString row = QStringLiteral("%1 free pages: ").arg(freePages);
        QVERIFY2(now == before || now == after,
                 qPrintable(row + QStringLiteral("half a record:\n") +
                            QString::fromUtf8(now.right(120))));
        QVERIFY2(outcome.saved == (now == after), qPrintable(row + outcome.message));
        if (!outcome.saved)
            QVERIFY2(outcome.message.contains(file), qPrintable(outcome.message));
        else if (savedAt < 0)
            savedAt = freePages;
        QCOMPARE(entriesOf(disk + QStringLiteral("/Config")),
                 QStringList{QStringLiteral("Kelset.dll")});
    }
    // The range of free space spans the point where the record fits.
    QVERIFY2(savedAt > 0, qPrintable(QString::number(savedAt)));
}

void TestRecordsFile::formatSeconds_data()
{
    QTest::addColumn<qlonglong>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0LL << "00:00";
    QTest::newRow("under a minute") << 59LL << "00:59";
    QTest::newRow("a minute and a second") << 61LL << "01:01";
    QTest::newRow("599") << 599LL << "09:59";
    QTest::newRow("600") << 600LL << "10:00";
    QTest::newRow("an hour stays minutes") << 3600LL << "60:00";
    QTest::newRow("5999") << 5999LL << "99:59";
    QTest::newRow("6000 widens the minutes") << 6000LL << "100:00";
    QTest::newRow("32767") << 32767LL << "546:07";
    QTest::newRow("32768 like any other") << 32768LL << "546:08";
    QTest::newRow("the clock's end, 36000") << 36000LL << "600:00";
}

// Times are shown as minutes and seconds, the minutes never cut or wrapped into hours.
void TestRecordsFile::formatSeconds()
{
    QFETCH(qlonglong, seconds);
    QFETCH(QString, text);
    QCOMPARE(FormatSeconds(seconds), text);
}

void TestRecordsFile::storedTimeAsShown_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("missing") << ""
                             << "00:00";
    QTest::newRow("61") << "61"
                        << "01:01";
    QTest::newRow("6000") << "6000"
                          << "100:00";
    QTest::newRow("not a number") << "soon"
                                  << "00:00";
    QTest::newRow("number with a tail") << "61s"
                                        << "01:01";
    QTest::newRow("half rounds to even, down") << "60.5"
                                               << "01:00";
    QTest::newRow("half rounds to even, up") << "61.5"
                                             << "01:02";
    QTest::newRow("beyond 16 bits") << "36000"
                                    << "600:00";
    QTest::newRow("absurd hand edit shown as missing") << "1e300"
                                                       << "00:00";
    QTest::newRow("negative shown as missing") << "-5"
                                               << "00:00";
}

// A stored time is shown through its numeric value, whatever a hand edit left there.
void TestRecordsFile::storedTimeAsShown()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    QCOMPARE(formatStoredTime(stored), shown);
}

void TestRecordsFile::sanitizedName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "Ann"
                           << "Ann";
    QTest::newRow("empty") << ""
                           << "";
    QTest::newRow("blanks kept") << " Ann "
                                 << " Ann ";
    QTest::newRow("pasted lines") << "a\r\n[EA]\r\nCLI1=1"
                                  << "a[EA]CLI1=1";
    QTest::newRow("tab and escape") << "A\tB\x1b"
                                    << "AB";
    QTest::newRow("unicode line separator") << QStringLiteral("A\u2028B") << "AB";
    QTest::newRow("cut at 13") << "Abcdefghijklmnop"
                               << "Abcdefghijklm";
    QTest::newRow("an emoji is one character")
        << QStringLiteral("abcdefghijkl\U0001F600") << QStringLiteral("abcdefghijkl\U0001F600");
}

// What a player types or pastes can never add lines or sections to the records file.
void TestRecordsFile::sanitizedName()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(records::sanitizedName(typed), stored);
}

QTEST_GUILESS_MAIN(TestRecordsFile)
#include "tst_records_file.moc"
