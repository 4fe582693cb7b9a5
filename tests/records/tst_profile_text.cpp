#include "records/profile_text.h"

#include <QTest>

using records::profile::valueIn;
using records::profile::withValue;

class TestProfileText : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readsLikeTheClassicReader_data();
    void readsLikeTheClassicReader();
    void writesOneValueAndKeepsEveryOtherByte_data();
    void writesOneValueAndKeepsEveryOtherByte();
    void writtenValuesReadBack_data();
    void writtenValuesReadBack();
    void hugeHandEditedFile();
};

void TestProfileText::readsLikeTheClassicReader_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("value");

    const QByteArray records = "[HA]\r\nCLI1=9\r\n[EA]\r\nCLI1=57\r\nTIE1=212\r\n";
    QTest::newRow("plain key") << records << QByteArray("EA") << QByteArray("CLI1") << true << "57";
    QTest::newRow("the same key of the other section")
        << records << QByteArray("HA") << QByteArray("CLI1") << true << "9";
    QTest::newRow("section and key ignore case")
        << QByteArray("[ea]\r\ncLi1=57\r\n") << QByteArray("EA") << QByteArray("CLI1") << true
        << "57";
    QTest::newRow("blanks around key and value dropped")
        << QByteArray("[EA]\r\n  CLI1 \t=   57 \t\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << true << "57";
    QTest::newRow("blanks inside the header dropped")
        << QByteArray("[ EA ]\r\nCLI1=57\r\n") << QByteArray("EA") << QByteArray("CLI1") << true
        << "57";
    QTest::newRow("one pair of double quotes dropped")
        << QByteArray("[EA]\r\nNAMCL=\"  Bob  \"\r\n") << QByteArray("EA") << QByteArray("NAMCL")
        << true << "  Bob  ";
    QTest::newRow("one pair of single quotes dropped")
        << QByteArray("[EA]\r\nNAMCL='Bob'\r\n") << QByteArray("EA") << QByteArray("NAMCL") << true
        << "Bob";
    QTest::newRow("only one pair of quotes dropped")
        << QByteArray("[EA]\r\nNAMCL=\"\"Bob\"\"\r\n") << QByteArray("EA") << QByteArray("NAMCL")
        << true << "\"Bob\"";
    QTest::newRow("unmatched quote kept")
        << QByteArray("[EA]\r\nNAMCL=\"Bob'\r\n") << QByteArray("EA") << QByteArray("NAMCL") << true
        << "\"Bob'";
    QTest::newRow("equals sign inside the value kept")
        << QByteArray("[EA]\r\nNAMCL=a=b\r\n") << QByteArray("EA") << QByteArray("NAMCL") << true
        << "a=b";
    QTest::newRow("empty value is found and empty")
        << QByteArray("[EA]\r\nNAMCL=\r\n") << QByteArray("EA") << QByteArray("NAMCL") << true
        << "";
    QTest::newRow("missing key") << records << QByteArray("EA") << QByteArray("NAMCL") << false
                                 << "";
    QTest::newRow("missing section") << QByteArray("[HA]\r\nCLI1=9\r\n") << QByteArray("EA")
                                     << QByteArray("CLI1") << false << "";
    QTest::newRow("empty text") << QByteArray() << QByteArray("EA") << QByteArray("CLI1") << false
                                << "";
    QTest::newRow("key before any section is nobody's")
        << QByteArray("CLI1=3\r\n[EA]\r\nTIE1=4\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << false << "";
    QTest::newRow("a key of the next section is not the section's")
        << QByteArray("[EA]\r\nTIE1=4\r\n[HA]\r\nCLI1=3\r\n") << QByteArray("EA")
        << QByteArray("CLI1") << false << "";
    QTest::newRow("junk lines skipped")
        << QByteArray("garbage\x01\xFF\r\n[EA\r\nnonsense\r\n=5\r\n[EA]\r\n]]]\r\nCLI1=57\r\n")
        << QByteArray("EA") << QByteArray("CLI1") << true << "57";
    QTest::newRow("comment is no key") << QByteArray("[EA]\r\n;CLI1=3\r\nCLI1=4\r\n")
                                       << QByteArray("EA") << QByteArray("CLI1") << true << "4";
    QTest::newRow("duplicate key: the first counts")
        << QByteArray("[EA]\r\nCLI1=4\r\ncli1=5\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << true << "4";
    QTest::newRow("duplicate section: the first counts")
        << QByteArray("[EA]\r\nCLI1=4\r\n[EA]\r\nCLI1=5\r\nTIE1=6\r\n") << QByteArray("EA")
        << QByteArray("TIE1") << false << "";
    QTest::newRow("UTF-8 byte-order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[EA]\r\nCLI1=57\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << true << "57";
    QTest::newRow("no final line end")
        << QByteArray("[EA]\r\nCLI1=57") << QByteArray("EA") << QByteArray("CLI1") << true << "57";
    QTest::newRow("line feeds only")
        << QByteArray("[EA]\nCLI1=57\n") << QByteArray("EA") << QByteArray("CLI1") << true << "57";
    QTest::newRow("UTF-8 name") << QByteArray("[EA]\r\nNAMCL=J\xC3\xB6rg\r\n") << QByteArray("EA")
                                << QByteArray("NAMCL") << true << QStringLiteral("J\u00F6rg");
    QTest::newRow("older Latin-1 name")
        << QByteArray("[EA]\r\nNAMCL=J\xF6rg\r\n") << QByteArray("EA") << QByteArray("NAMCL")
        << true << QStringLiteral("J\u00F6rg");
}

// Records written by older versions and by hand come back as the classic reader gave them.
void TestProfileText::readsLikeTheClassicReader()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(bool, found);
    QFETCH(QString, value);
    const std::optional<QString> got = valueIn(text, section, key);
    QCOMPARE(got.has_value(), found);
    if (found)
        QCOMPARE(*got, value);
}

void TestProfileText::writesOneValueAndKeepsEveryOtherByte_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place keeps CRLF, comments, blank lines and unknown keys")
        << QByteArray("; my records\r\n[EA]\r\nCLI1=57\r\nOWN=x\r\n\r\n[HA]\r\nCLI1=9\r\n")
        << QByteArray("EA") << QByteArray("CLI1") << QByteArray("40")
        << QByteArray("; my records\r\n[EA]\r\nCLI1=40\r\nOWN=x\r\n\r\n[HA]\r\nCLI1=9\r\n");
    QTest::newRow("replace keeps the key's spelling and indent")
        << QByteArray("[ea]\r\n  cli1 = 57 \r\n") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("40") << QByteArray("[ea]\r\n  cli1 =40\r\n");
    QTest::newRow("replace in a line-feed file")
        << QByteArray("[EA]\nCLI1=57\nTIE1=3\n") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("40") << QByteArray("[EA]\nCLI1=40\nTIE1=3\n");
    QTest::newRow("replace the last line without a line end")
        << QByteArray("[EA]\r\nCLI1=57") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("40") << QByteArray("[EA]\r\nCLI1=40");
    QTest::newRow("only the first of duplicate keys is replaced")
        << QByteArray("[EA]\r\nCLI1=4\r\nCLI1=5\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("3") << QByteArray("[EA]\r\nCLI1=3\r\nCLI1=5\r\n");
    QTest::newRow("byte-order mark stays")
        << QByteArray("\xEF\xBB\xBF[EA]\r\nCLI1=5\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("4") << QByteArray("\xEF\xBB\xBF[EA]\r\nCLI1=4\r\n");
    QTest::newRow("new key after the section's last line, before its blank lines")
        << QByteArray("[EA]\r\nCLI1=5\r\n\r\n[HA]\r\nCLI1=9\r\n") << QByteArray("EA")
        << QByteArray("TIE1") << QByteArray("61")
        << QByteArray("[EA]\r\nCLI1=5\r\nTIE1=61\r\n\r\n[HA]\r\nCLI1=9\r\n");
    QTest::newRow("new key under a bare header")
        << QByteArray("[EA]\r\n[HA]\r\n") << QByteArray("EA") << QByteArray("CLI1")
        << QByteArray("5") << QByteArray("[EA]\r\nCLI1=5\r\n[HA]\r\n");
    QTest::newRow("new key into a last line without a line end")
        << QByteArray("[EA]\r\nCLI1=5") << QByteArray("EA") << QByteArray("TIE1")
        << QByteArray("61") << QByteArray("[EA]\r\nCLI1=5\r\nTIE1=61\r\n");
    QTest::newRow("new section at the end, the other left alone")
        << QByteArray("[HA]\r\nCLI1=9\r\n") << QByteArray("EA") << QByteArray("NAMCL")
        << QByteArray("Bob") << QByteArray("[HA]\r\nCLI1=9\r\n\r\n[EA]\r\nNAMCL=Bob\r\n");
    QTest::newRow("new section after a file without final line end")
        << QByteArray("[HA]\nCLI1=9") << QByteArray("EA") << QByteArray("NAMCL")
        << QByteArray("Bob") << QByteArray("[HA]\nCLI1=9\n\n[EA]\nNAMCL=Bob\n");
    QTest::newRow("first write into an empty file")
        << QByteArray() << QByteArray("EA") << QByteArray("NAMCL") << QByteArray("Bob")
        << QByteArray("[EA]\r\nNAMCL=Bob\r\n");
    QTest::newRow("empty value") << QByteArray("[EA]\r\nNAMCL=Bob\r\n") << QByteArray("EA")
                                 << QByteArray("NAMCL") << QByteArray()
                                 << QByteArray("[EA]\r\nNAMCL=\r\n");
    QTest::newRow("line breaks in a value cannot add lines")
        << QByteArray("[EA]\r\nCLI1=57\r\n") << QByteArray("EA") << QByteArray("NAMCL")
        << QByteArray("a\r\n[EA]\r\nCLI1=1\x7F\t")
        << QByteArray("[EA]\r\nCLI1=57\r\nNAMCL=a[EA]CLI1=1\r\n");
}

// Other programs share the file: a write changes one value and nothing else.
void TestProfileText::writesOneValueAndKeepsEveryOtherByte()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, after);
    QCOMPARE(withValue(before, section, key, value), after);
}

void TestProfileText::writtenValuesReadBack_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("value");
    QTest::newRow("number into an empty file") << QByteArray() << "57";
    QTest::newRow("name over an old one") << QByteArray("[EA]\r\nNAMCL=Old\r\n") << "Ann Lee";
    QTest::newRow("non-ASCII name") << QByteArray("[EA]\r\n") << QStringLiteral("Zo\u00EB \u6771");
    QTest::newRow("into a hand-edited file")
        << QByteArray("\xEF\xBB\xBFjunk\n[HA]\nNAMCL=x\n[EA]") << "Bob";
}

// A plain name or number reads back exactly as it was written, whatever the file held.
void TestProfileText::writtenValuesReadBack()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, value);
    const QByteArray text = withValue(before, "EA", "NAMCL", value.toUtf8());
    QCOMPARE(valueIn(text, "EA", "NAMCL").value_or(QStringLiteral("<missing>")), value);
    QCOMPARE(valueIn(text, "HA", "NAMCL"), valueIn(before, "HA", "NAMCL"));
}

// A 10 MB file of junk is read and written without a crash, and its record still found.
void TestProfileText::hugeHandEditedFile()
{
    QByteArray text = "[EA]\r\nCLI1=57\r\n";
    const QByteArray junk(99, 'x');
    text.reserve(10 * 1024 * 1024 + 100);
    while (text.size() < 10 * 1024 * 1024)
        text += junk + "\r\n";
    text += "[HA]\r\nTIE2=300"; // after the junk, without a final line end

    QCOMPARE(valueIn(text, "EA", "CLI1").value_or(QString()), QStringLiteral("57"));
    QCOMPARE(valueIn(text, "HA", "TIE2").value_or(QString()), QStringLiteral("300"));
    const QByteArray written = withValue(text, "HA", "TIE2", "299");
    QCOMPARE(written.size(), text.size());
    QCOMPARE(valueIn(written, "HA", "TIE2").value_or(QString()), QStringLiteral("299"));
    QVERIFY(written.startsWith(text.chopped(3)));
}

QTEST_GUILESS_MAIN(TestProfileText)
#include "tst_profile_text.moc"
