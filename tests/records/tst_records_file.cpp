#include "records/records_file.h"
#include "tests/records/file_helpers.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

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
    void formatSeconds_data();
    void formatSeconds();
    void storedTimeAsShown_data();
    void storedTimeAsShown();
    void sanitizedName_data();
    void sanitizedName();
};

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

// A read-only Config folder is a failed write, and the old file stays.
void TestRecordsFile::readOnlyFolderIsAFailedWrite()
{
    if (::geteuid() == 0)
        QSKIP("root writes into read-only folders");
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(file, "[EA]\r\nCLI1=57\r\n"));
    const QString config = dir.path() + QStringLiteral("/Config");
    QFile::setPermissions(config, QFile::ReadOwner | QFile::ExeOwner);
    const bool written =
        WriteSetting(file, QStringLiteral("EA"), QStringLiteral("CLI1"), QStringLiteral("5"));
    QFile::setPermissions(config, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!written);
    QCOMPARE(testing::fileBytes(file), QByteArray("[EA]\r\nCLI1=57\r\n"));
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
    QTest::newRow("absurd hand edit held") << "1e300"
                                           << "35791394:07";
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
    QTest::newRow("cut never halves a character")
        << QStringLiteral("abcdefghijkl\U0001F600") << "abcdefghijkl";
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
