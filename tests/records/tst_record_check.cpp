#include "records/record_check.h"

#include "tests/records/file_helpers.h"

#include <QTemporaryDir>
#include <QTest>

using namespace records;

using Settings = QList<Setting>;
Q_DECLARE_METATYPE(Settings)

class TestRecordCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void writesWhatIsBeaten_data();
    void writesWhatIsBeaten();
    void noRecordYet_data();
    void noRecordYet();
    void readsTheFourComparedValues();
};

void TestRecordCheck::writesWhatIsBeaten_data()
{
    QTest::addColumn<bool>("hard");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("section");
    QTest::addColumn<Settings>("settings");

    // Stored: Normal clicks 50, time 200; Hard clicks 80, time 400.
    const auto both = [](const QString &name, const QString &c, const QString &s) {
        return Settings{{"NAMCL", name}, {"CLI1", c}, {"TIE1", s},
                        {"NAMTI", name}, {"CLI2", c}, {"TIE2", s}};
    };
    QTest::newRow("equal is not beaten") << false << 50 << 200 << "Ann"
                                         << "EA" << Settings{};
    QTest::newRow("worse beats nothing") << false << 51 << 201 << "Ann"
                                         << "EA" << Settings{};
    QTest::newRow("only the time beaten writes three keys")
        << false << 60 << 199 << "Ann"
        << "EA" << Settings{{"NAMTI", "Ann"}, {"CLI2", "60"}, {"TIE2", "199"}};
    QTest::newRow("only the clicks beaten writes three keys")
        << false << 49 << 300 << "Ann"
        << "EA" << Settings{{"NAMCL", "Ann"}, {"CLI1", "49"}, {"TIE1", "300"}};
    QTest::newRow("both beaten writes six in order") << false << 49 << 150 << "Ann"
                                                     << "EA" << both("Ann", "49", "150");
    QTest::newRow("Hard compares with and writes to HA only") << true << 60 << 300 << "Bo"
                                                              << "HA" << both("Bo", "60", "300");
    QTest::newRow("Hard equal to its records writes nothing") << true << 80 << 400 << "Bo"
                                                              << "HA" << Settings{};
    QTest::newRow("an empty name is stored as empty")
        << false << 49 << 300 << ""
        << "EA" << Settings{{"NAMCL", ""}, {"CLI1", "49"}, {"TIE1", "300"}};
    QTest::newRow("a game of no second beats any time")
        << false << 999 << 0 << "Ann"
        << "EA" << Settings{{"NAMTI", "Ann"}, {"CLI2", "999"}, {"TIE2", "0"}};
}

// A result is stored exactly when it beats a record of its own level, in the fixed order.
void TestRecordCheck::writesWhatIsBeaten()
{
    QFETCH(bool, hard);
    QFETCH(int, clicks);
    QFETCH(int, seconds);
    QFETCH(QString, name);
    QFETCH(QString, section);
    QFETCH(Settings, settings);
    const session::GameResult game{hard ? core::Level::Hard : core::Level::Normal, seconds, clicks};
    const StoredRecords stored{200, 50, 400, 80};
    const RecordWrites w = recordWrites(game, stored, name);
    QCOMPARE(w.settings, settings);
    QCOMPARE(w.section, section);
}

void TestRecordCheck::noRecordYet_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("stored 0") << QByteArray("[EA]\r\nTIE2=0\r\nCLI1=0\r\n");
    QTest::newRow("empty values") << QByteArray("[EA]\r\nTIE2=\r\nCLI1=\r\n");
    QTest::newRow("not numbers") << QByteArray("[EA]\r\nTIE2=abc\r\nCLI1=x9\r\n");
    QTest::newRow("only the other level") << QByteArray("[HA]\r\nTIE2=5\r\nCLI1=5\r\n");
}

// With no record yet (0, empty, not a number, missing) any finished game takes both records.
void TestRecordCheck::noRecordYet()
{
    QFETCH(QByteArray, file);
    QTemporaryDir dir;
    const QString path = testing::makeConfig(dir.path());
    if (!file.isEmpty())
        QVERIFY(testing::putFile(path, file));
    const StoredRecords stored = readStoredRecords(path);
    QCOMPARE(stored.normalClicks, 0.0);
    QCOMPARE(stored.normalTime, 0.0);
    const RecordWrites w = recordWrites({core::Level::Normal, 36000, 9999}, stored, "Slow");
    QCOMPARE(w.settings.size(), 6);
    QCOMPARE(w.section, QStringLiteral("EA"));
}

// The stored values are read as numbers from the right sections and keys.
void TestRecordCheck::readsTheFourComparedValues()
{
    QTemporaryDir dir;
    const QString path = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(path, "[HA]\r\nCLI1=80\r\nTIE2=400\r\nCLI2=1\r\nTIE1=2\r\n"
                                   "[EA]\r\nTIE2= 200 \r\nCLI1=50 clicks\r\n"));
    const StoredRecords s = readStoredRecords(path);
    QCOMPARE(s.normalTime, 200.0);
    QCOMPARE(s.normalClicks, 50.0);
    QCOMPARE(s.hardTime, 400.0);
    QCOMPARE(s.hardClicks, 80.0);
}

QTEST_GUILESS_MAIN(TestRecordCheck)
#include "tst_record_check.moc"
