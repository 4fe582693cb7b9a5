#include "records/profile_document.h"
#include "records/profile_text.h"

#include <QStringEncoder>
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
    void readsEveryEncodingAndLineEnd_data();
    void readsEveryEncodingAndLineEnd();
    void writesInTheFileOwnEncodingAndLineEnd_data();
    void writesInTheFileOwnEncodingAndLineEnd();
    void brokenUtf16IsNotWrittenBack_data();
    void brokenUtf16IsNotWrittenBack();
};

namespace
{

// A text as a UTF-16 file stores it: the byte-order mark, then the text.
QByteArray utf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE);
    return QByteArray(littleEndian ? "\xFF\xFE" : "\xFE\xFF") + QByteArray(encoder(text));
}

} // namespace

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

void TestProfileText::readsEveryEncodingAndLineEnd_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");

    const QString records = QStringLiteral("[EA]\r\nNAMCL=J\u00F6rg \u20AC\r\nCLI1=57\r\n");
    QTest::newRow("UTF-16 little-endian")
        << utf16(records, true) << QByteArray("NAMCL") << QStringLiteral("J\u00F6rg \u20AC");
    QTest::newRow("UTF-16 big-endian") << utf16(records, false) << QByteArray("CLI1") << "57";
    QTest::newRow("UTF-16 without a final line end")
        << utf16(QStringLiteral("[EA]\r\nCLI1=57"), true) << QByteArray("CLI1") << "57";
    QTest::newRow("CR line ends") << QByteArray("[EA]\rNAMCL=Ann\rCLI1=57\r") << QByteArray("CLI1")
                                  << "57";
    QTest::newRow("CR CR LF line ends leave no CR in a value")
        << QByteArray("[EA]\r\r\nNAMCL=Ann\r\r\nCLI1=57\r\r\n") << QByteArray("NAMCL") << "Ann";
    QTest::newRow("mixed line ends")
        << QByteArray("[EA]\nNAMCL=Ann\rCLI1=57\r\n") << QByteArray("CLI1") << "57";
    QTest::newRow("Windows-1252 punctuation")
        << QByteArray("[EA]\r\nNAMCL=\x80\x96\x92\x85\x93\x94\r\n") << QByteArray("NAMCL")
        << QStringLiteral("\u20AC\u2013\u2019\u2026\u201C\u201D");
    QTest::newRow("Windows-1252 name after UTF-8 lines")
        << QByteArray("[EA]\r\nNAMTI=J\xC3\xB6rg\r\nNAMCL=Ren\xE9 \x80\r\n") << QByteArray("NAMCL")
        << QStringLiteral("Ren\u00E9 \u20AC");
    QTest::newRow("UTF-8 name after a Windows-1252 line")
        << QByteArray("[EA]\r\nNAMCL=Ren\xE9\r\nNAMTI=J\xC3\xB6rg\r\n") << QByteArray("NAMTI")
        << QStringLiteral("J\u00F6rg");
}

// Records files written on other systems and by other programs read as the classic reader
// reads them: UTF-16 with its mark, any line end, names in the old Windows code page.
void TestProfileText::readsEveryEncodingAndLineEnd()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    const records::profile::Document document(file);
    QCOMPARE(document.value("EA", key).value_or(QStringLiteral("<missing>")), value);
}

void TestProfileText::writesInTheFileOwnEncodingAndLineEnd_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("UTF-16 little-endian value replaced")
        << utf16(QStringLiteral("[EA]\r\nCLI1=57\r\n"), true) << QByteArray("EA")
        << QByteArray("CLI1") << "40" << utf16(QStringLiteral("[EA]\r\nCLI1=40\r\n"), true);
    QTest::newRow("UTF-16 big-endian new key")
        << utf16(QStringLiteral("[EA]\r\nCLI1=57\r\n"), false) << QByteArray("EA")
        << QByteArray("NAMCL") << QStringLiteral("Zo\u00EB")
        << utf16(QStringLiteral("[EA]\r\nCLI1=57\r\nNAMCL=Zo\u00EB\r\n"), false);
    QTest::newRow("UTF-16 new section, other characters kept")
        << utf16(QStringLiteral("; \u6771\U0001F600\r\n[EA]\r\nCLI1=57\r\n"), true)
        << QByteArray("HA") << QByteArray("TIE2") << "61"
        << utf16(QStringLiteral("; \u6771\U0001F600\r\n[EA]\r\nCLI1=57\r\n\r\n[HA]\r\nTIE2=61\r\n"),
                 true);
    QTest::newRow("CR file: new lines end with CR")
        << QByteArray("[EA]\rCLI1=57\r") << QByteArray("EA") << QByteArray("TIE1") << "61"
        << QByteArray("[EA]\rCLI1=57\rTIE1=61\r");
    QTest::newRow("CR file: new section")
        << QByteArray("[EA]\rCLI1=57") << QByteArray("HA") << QByteArray("TIE1") << "61"
        << QByteArray("[EA]\rCLI1=57\r\r[HA]\rTIE1=61\r");
    QTest::newRow("CR CR LF file: value replaced, the line end kept")
        << QByteArray("[EA]\r\r\nCLI1=57\r\r\nTIE1=3\r\r\n") << QByteArray("EA")
        << QByteArray("CLI1") << "40" << QByteArray("[EA]\r\r\nCLI1=40\r\r\nTIE1=3\r\r\n");
    QTest::newRow("CR CR LF file: new key with the same line end")
        << QByteArray("[EA]\r\r\nCLI1=57\r\r\n") << QByteArray("EA") << QByteArray("TIE1") << "61"
        << QByteArray("[EA]\r\r\nCLI1=57\r\r\nTIE1=61\r\r\n");
    QTest::newRow("Windows-1252 line kept byte for byte beside a new name")
        << QByteArray("[EA]\r\nNAMCL=Ren\xE9 \x80\r\n") << QByteArray("EA") << QByteArray("NAMTI")
        << QStringLiteral("Zo\u00EB")
        << QByteArray("[EA]\r\nNAMCL=Ren\xE9 \x80\r\nNAMTI=Zo\xC3\xAB\r\n");
}

// A save changes one value in the file's own encoding and line ends and leaves every other
// byte as it was, so other programs go on reading the file as before.
void TestProfileText::writesInTheFileOwnEncodingAndLineEnd()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, section);
    QFETCH(QByteArray, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    records::profile::Document document(before);
    QVERIFY(document.keepsEveryByte());
    QCOMPARE(document.fileBytes(), before); // nothing set: the file as it came
    document.setValue(section, key, value);
    QCOMPARE(document.fileBytes(), after);
    QCOMPARE(records::profile::Document(after).value(section, key).value_or(QString()), value);
}

void TestProfileText::brokenUtf16IsNotWrittenBack_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray records = utf16(QStringLiteral("[EA]\r\nCLI1=57\r\n"), true);
    QTest::newRow("an odd byte at the end") << records + 'x';
    QTest::newRow("half a surrogate pair") << records + QByteArray("\x3D\xD8", 2);
}

// A UTF-16 file whose bytes are no whole text cannot be written back unchanged, and says so;
// what it holds clearly is still read.
void TestProfileText::brokenUtf16IsNotWrittenBack()
{
    QFETCH(QByteArray, file);
    const records::profile::Document document(file);
    QVERIFY(!document.keepsEveryByte());
    QCOMPARE(document.value("EA", "CLI1").value_or(QString()), QStringLiteral("57"));
}

QTEST_GUILESS_MAIN(TestProfileText)
#include "tst_profile_text.moc"
