#include "records/records_file.h"

#include <QTest>

using namespace records;

using Settings = QList<Setting>;
Q_DECLARE_METATYPE(Settings)
Q_DECLARE_METATYPE(records::Beaten)

class TestRecordCheck : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void beatenAndWritten_data();
    void beatenAndWritten();
};

void TestRecordCheck::beatenAndWritten_data()
{
    QTest::addColumn<QString>("storedClicks"); // CLI1 of the level
    QTest::addColumn<QString>("storedTime");   // TIE2 of the level
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<Beaten>("beaten");
    QTest::addColumn<Settings>("settings");

    const auto clicksRecord = [](int c, int s) {
        return Settings{
            {"NAMCL", "Ann"}, {"CLI1", QString::number(c)}, {"TIE1", QString::number(s)}};
    };
    const auto timeRecord = [](int c, int s) {
        return Settings{
            {"NAMTI", "Ann"}, {"CLI2", QString::number(c)}, {"TIE2", QString::number(s)}};
    };
    QTest::newRow("equal is not beaten") << "50"
                                         << "200" << 50 << 200 << Beaten{} << Settings{};
    QTest::newRow("worse beats nothing") << "50"
                                         << "200" << 51 << 201 << Beaten{} << Settings{};
    QTest::newRow("only the time beaten writes its three keys")
        << "50"
        << "200" << 60 << 199 << Beaten{false, true} << timeRecord(60, 199);
    QTest::newRow("only the clicks beaten writes its three keys")
        << "50"
        << "200" << 49 << 300 << Beaten{true, false} << clicksRecord(49, 300);
    QTest::newRow("both beaten writes six, the clicks record first")
        << "50"
        << "200" << 49 << 150 << Beaten{true, true} << clicksRecord(49, 150) + timeRecord(49, 150);
    QTest::newRow("stored 0 is no record yet")
        << "0"
        << "0" << 9999 << 36000 << Beaten{true, true}
        << clicksRecord(9999, 36000) + timeRecord(9999, 36000);
    QTest::newRow("missing values are no record yet")
        << ""
        << "" << 1 << 1 << Beaten{true, true} << clicksRecord(1, 1) + timeRecord(1, 1);
    QTest::newRow("a text that is no number is no record yet")
        << "x9"
        << "soon" << 500 << 500 << Beaten{true, true}
        << clicksRecord(500, 500) + timeRecord(500, 500);
    QTest::newRow("a negative stored count is no record yet")
        << "-5"
        << "-5" << 500 << 500 << Beaten{true, true}
        << clicksRecord(500, 500) + timeRecord(500, 500);
    QTest::newRow("a stored text counts as the number it begins with")
        << " 50 clicks"
        << "200.5s" << 50 << 200 << Beaten{false, true} << timeRecord(50, 200);
}

// A game takes a record exactly when it is strictly better than the stored one or none is
// stored; what it writes comes in the fixed key order with the counters as plain decimals.
void TestRecordCheck::beatenAndWritten()
{
    QFETCH(QString, storedClicks);
    QFETCH(QString, storedTime);
    QFETCH(int, clicks);
    QFETCH(int, seconds);
    QFETCH(Beaten, beaten);
    QFETCH(Settings, settings);
    // The other measure of each stored record must not take part in the decision.
    const LevelRecords stored{{"Bo", storedClicks, "1"}, {"Cy", "1", storedTime}};
    for (const core::Level level : {core::Level::Normal, core::Level::Hard}) {
        const session::GameResult game{level, seconds, clicks};
        QCOMPARE(records::beaten(game, stored), beaten);
        QCOMPARE(recordSettings(game, records::beaten(game, stored), "Ann"), settings);
    }
    QCOMPARE(sectionOf(core::Level::Normal), QByteArray("EA"));
    QCOMPARE(sectionOf(core::Level::Hard), QByteArray("HA"));
}

QTEST_GUILESS_MAIN(TestRecordCheck)
#include "tst_record_check.moc"
