#include "core/numeric_text.h"

#include <QTest>

class TestNumericText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Captions and stored texts count by the number they begin with.
    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("design caption") << "LbSecs" << 0.0;
        QTest::newRow("plain") << "57" << 57.0;
        QTest::newRow("leading blanks") << "  212" << 212.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("bare exponent letter") << "12e" << 12.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("time text") << "12:34:56" << 12.0;
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(core::numericValue(text.toStdString()), value);
    }
    void minutesSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00:00";
        QTest::newRow("59") << 59 << "00:59";
        QTest::newRow("61") << 61 << "01:01";
        QTest::newRow("599") << 599 << "09:59";
        QTest::newRow("3600") << 3600 << "60:00";
        QTest::newRow("6000") << 6000 << "100:00";
        QTest::newRow("32768") << 32768 << "546:08";
        QTest::newRow("36000") << 36000 << "600:00";
    }
    void minutesSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(core::minutesSeconds(seconds)), text);
    }
    void plainDecimal()
    {
        QCOMPARE(core::plainDecimal(10), std::string("10"));
        QCOMPARE(core::plainDecimal(100), std::string("100"));
    }
};

QTEST_GUILESS_MAIN(TestNumericText)
#include "tst_numeric_text.moc"
