#include "core/numeric_text.h"

#include <QTest>

class TestNumericText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Captions and stored texts count by the number they begin with, 0 when there is none:
    // a hand-edited records file or a design caption never stops the game.
    void numericValue_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("blanks only") << "   " << 0.0;
        QTest::newRow("design caption") << "LbSecs" << 0.0;
        QTest::newRow("plain") << "57" << 57.0;
        QTest::newRow("leading zeros") << "007" << 7.0;
        QTest::newRow("leading blanks") << "  212" << 212.0;
        QTest::newRow("leading tab") << "\t9" << 9.0;
        QTest::newRow("trailing blank") << "212 " << 212.0;
        QTest::newRow("trailing text") << "12abc" << 12.0;
        QTest::newRow("text first") << "abc12" << 0.0;
        QTest::newRow("negative") << "-3" << -3.0;
        QTest::newRow("plus sign") << "+4" << 4.0;
        QTest::newRow("sign alone") << "-" << 0.0;
        QTest::newRow("sign then text") << "-x" << 0.0;
        QTest::newRow("fraction") << "1.5" << 1.5;
        QTest::newRow("fraction without whole part") << ".5" << 0.5;
        QTest::newRow("point alone") << "." << 0.0;
        QTest::newRow("trailing point") << "5." << 5.0;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("signed exponent") << "25E-1" << 2.5;
        QTest::newRow("bare exponent letter") << "12e" << 12.0;
        QTest::newRow("exponent sign without digits") << "12e+" << 12.0;
        QTest::newRow("time text") << "12:34:56" << 12.0;
        QTest::newRow("MM:SS text") << "01:01" << 1.0;
        QTest::newRow("thousands separator ends it") << "1,000" << 1.0;
        QTest::newRow("beyond 16 bits") << "70000" << 70000.0;
        QTest::newRow("beyond double range") << "1e999" << 0.0;
    }
    void numericValue()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(core::numericValue(text.toStdString()), value);
    }

    // Counters are written back as plain digits, and read back to the same number.
    void plainDecimal_data()
    {
        QTest::addColumn<qlonglong>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0LL << "0";
        QTest::newRow("9") << 9LL << "9";
        QTest::newRow("10") << 10LL << "10";
        QTest::newRow("100") << 100LL << "100";
        QTest::newRow("1000, no separator") << 1000LL << "1000";
        QTest::newRow("32768, past 16 bits") << 32768LL << "32768";
    }
    void plainDecimal()
    {
        QFETCH(qlonglong, value);
        QFETCH(QString, text);
        const std::string written = core::plainDecimal(value);
        QCOMPARE(QString::fromStdString(written), text);
        QCOMPARE(core::numericValue(written), static_cast<double>(value));
    }

    // The click counter's way from 9 to 10 and 99 to 100: read, add one, write plain digits.
    void counterCarries_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::newRow("design caption counts as 0") << "LbClicks"
                                                    << "1";
        QTest::newRow("0 to 1") << "0"
                                << "1";
        QTest::newRow("9 to 10") << "9"
                                 << "10";
        QTest::newRow("99 to 100") << "99"
                                   << "100";
        QTest::newRow("999 to 1000") << "999"
                                     << "1000";
    }
    void counterCarries()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        const auto value = static_cast<long long>(core::numericValue(before.toStdString()));
        QCOMPARE(QString::fromStdString(core::plainDecimal(value + 1)), after);
    }

    // Elapsed time: minutes widen past two digits and are never wrapped into hours.
    void minutesSeconds_data()
    {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << "00:00";
        QTest::newRow("59") << 59 << "00:59";
        QTest::newRow("61") << 61 << "01:01";
        QTest::newRow("599") << 599 << "09:59";
        QTest::newRow("600") << 600 << "10:00";
        QTest::newRow("3600") << 3600 << "60:00";
        QTest::newRow("5999") << 5999 << "99:59";
        QTest::newRow("6000") << 6000 << "100:00";
        QTest::newRow("32767") << 32767 << "546:07";
        QTest::newRow("36000") << 36000 << "600:00";
        QTest::newRow("-1, from a hand-edited file") << -1 << "-01:59";
        QTest::newRow("-61") << -61 << "-02:59";
    }
    void minutesSeconds()
    {
        QFETCH(int, seconds);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(core::minutesSeconds(seconds)), text);
    }
};

QTEST_GUILESS_MAIN(TestNumericText)
#include "tst_numeric_text.moc"
