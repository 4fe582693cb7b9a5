// The records window: the twelve values as the file holds them, the about text, and "Close".
#include "platform/elements.h"
#include "platform/web_link.h"
#include "tests/records/file_helpers.h"
#include "tests/support/doubles.h"
#include "windows/records/records_window.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestRecordsWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void showsWhatTheFileHolds_data();
    void showsWhatTheFileHolds();
    void aboutText();
    void saysWhereRecordsAreKeptWhenNotAsPlanned_data();
    void saysWhereRecordsAreKeptWhenNotAsPlanned();
    void isTheLastWindow();
    void closeAsksToEndTheRun();
};

namespace
{

windows::RecordsWindow *
openRecordsWindow(const QString &file = QStringLiteral("/nonexistent/Kelset.dll"))
{
    auto *window = new windows::RecordsWindow(records::RecordsFile(file).read());
    window->show();
    return window;
}

const char *const kFields[] = {"EName1", "EClicks1", "ETime1", "EName2", "EClicks2", "ETime2",
                               "HName1", "HClicks1", "HTime1", "HName2", "HClicks2", "HTime2"};

QString shownFields(QWidget *window)
{
    QStringList shown;
    for (const char *name : kFields)
        shown << window->findChild<platform::Label *>(QLatin1String(name))->caption();
    return shown.join(u'|');
}

} // namespace

void TestRecordsWindow::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form4"))
            delete w;
}

void TestRecordsWindow::showsWhatTheFileHolds_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file
    // EName1|EClicks1|ETime1|EName2|EClicks2|ETime2|HName1|...|HTime2
    QTest::addColumn<QString>("shown");

    QTest::newRow("no file: empty names and clicks, 00:00 times")
        << QByteArray() << "||00:00|||00:00|||00:00|||00:00";
    QTest::newRow("every record")
        << QByteArray("[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=61\r\nNAMTI=Bo\r\nCLI2=90\r\n"
                      "TIE2=6000\r\n[HA]\r\nNAMCL=Cy\r\nCLI1=120\r\nTIE1=599\r\nNAMTI=Di\r\n"
                      "CLI2=150\r\nTIE2=600\r\n")
        << "Ann|57|01:01|Bo|90|100:00|Cy|120|09:59|Di|150|10:00";
    QTest::newRow("non-numeric clicks shown unchanged, its time through its value")
        << QByteArray("[EA]\r\nCLI1=lots\r\nTIE1=61 s\r\n")
        << "|lots|01:01|||00:00|||00:00|||00:00";
    QTest::newRow("only the fewest-clicks keys of a level")
        << QByteArray("[HA]\r\nNAMCL=Cy\r\nCLI1=120\r\nTIE1=599\r\n")
        << "||00:00|||00:00|Cy|120|09:59|||00:00";
    QTest::newRow("negative or absurd counts shown as missing ones")
        << QByteArray("[EA]\r\nNAMCL=Ann\r\nCLI1=-5\r\nTIE1=-5\r\nCLI2=1e300\r\nTIE2=99999\r\n")
        << "Ann||00:00|||00:00|||00:00|||00:00";
    QTest::newRow("hand-edited: case, blanks, quotes, BOM")
        << QByteArray("\xEF\xBB\xBF[ea]\nnamcl = \" Ann \"\ncli1= 57 \n")
        << " Ann |57|00:00|||00:00|||00:00|||00:00";
}

// The records window shows the twelve values the file holds at that moment, times as MM:SS.
void TestRecordsWindow::showsWhatTheFileHolds()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, shown);
    QTemporaryDir dir;
    const QString path = testing::makeConfig(dir.path());
    if (!file.isEmpty())
        QVERIFY(testing::putFile(path, file));
    QWidget *window = openRecordsWindow(path);
    QVERIFY(window);
    QCOMPARE(shownFields(window), shown);
    QCOMPARE(QFileInfo::exists(path), !file.isEmpty()); // reading creates nothing
}

void TestRecordsWindow::saysWhereRecordsAreKeptWhenNotAsPlanned_data()
{
    QTest::addColumn<QString>("made");      // in the program folder
    QTest::addColumn<bool>("playerFolder"); // one could be found
    QTest::addColumn<QString>("said");      // the line, its path's folder as "<dir>"
    QTest::newRow("a build tree keeping them in Config") << "Config" << true << "";
    QTest::newRow("an install without Config, in the player's folder") << "." << true << "";
    QTest::newRow("Kelset.dll a folder")
        << "Config/Kelset.dll" << true
        << "The records of this run (Config/Kelset.dll is a folder):\n<dir>/own/Kelset.dll";
    QTest::newRow("and no folder of the player's")
        << "Config/Kelset.dll" << false
        << "The records of this run cannot be saved:\nConfig/Kelset.dll is a folder; HOME is unset";
}

// A run whose records are not where this kind of copy keeps them says where they are, on a
// line that moves no element of the window; one whose records are where planned says nothing.
void TestRecordsWindow::saysWhereRecordsAreKeptWhenNotAsPlanned()
{
    QFETCH(QString, made);
    QFETCH(bool, playerFolder);
    QFETCH(QString, said);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(made);
    const records::RecordsFile file = records::RecordsFile::forInstalled(
        dir.path() + QStringLiteral("/Config/Kelset.dll"),
        {playerFolder ? dir.path() + QStringLiteral("/own") : QString(),
         QStringLiteral("HOME is unset")});
    windows::RecordsWindow plain(records::RecordsTable{});
    windows::RecordsWindow window(file.read(), file.place());
    auto *line = window.findChild<platform::Label *>(QStringLiteral("LbRecordsPlace"));
    QCOMPARE(line ? line->caption() : QString(), QString(said).replace("<dir>", dir.path()));
    // A save with nowhere to go tells where the game looked.
    QVERIFY(playerFolder ||
            records::RecordsFile(file).save({}, {}).message.contains("HOME is unset"));
    for (const auto *element : plain.findChildren<QWidget *>())
        QCOMPARE(window.findChild<QWidget *>(element->objectName())->geometry(),
                 element->geometry());
}

// The about text: the maker, the two fan sites of the menu's links and the contacts.
void TestRecordsWindow::aboutText()
{
    QWidget *window = openRecordsWindow();
    QVERIFY(window);
    const QString text = window->findChild<platform::Label *>(QStringLiteral("Label2"))->caption();
    QCOMPARE(text, windows::aboutText());
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QStringLiteral("-Created by Zantho Games\u00AE for:"));
    QCOMPARE(lines[3], QStringLiteral("fans-one.example.org"));
    QVERIFY(platform::kFirstFanSite.contains(lines[3]));
    QCOMPARE(lines[4], QStringLiteral("fans-two.example.net"));
    QVERIFY(platform::kSecondFanSite.contains(lines[4]));
    QCOMPARE(lines[5], QStringLiteral("webmaster@fans-two.example.net"));
    QCOMPARE(lines[6], QString());
    QCOMPARE(lines[7], QStringLiteral("www.zantho-games.example.com"));
    QCOMPARE(lines[8], QStringLiteral("info@zantho-games.example.com"));
}

// Borderless, modal over everything, centred, destroyed when closed.
void TestRecordsWindow::isTheLastWindow()
{
    QWidget *window = openRecordsWindow();
    QVERIFY(window);
    QVERIFY(window->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(window->windowModality(), Qt::ApplicationModal);
    QVERIFY(window->testAttribute(Qt::WA_DeleteOnClose));
    QCOMPARE(window->size(), QSize(401, 303));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(window->geometry().center().x() - screen.center().x()) <= 1);
    QVERIFY(qAbs(window->geometry().center().y() - screen.center().y()) <= 1);
    QPointer<QWidget> alive(window);
    window->close();
    QTRY_VERIFY(!alive);
}

// "Close", the window manager's close (Alt+F4), Enter and Escape alike ask the flow to end
// the run.
void TestRecordsWindow::closeAsksToEndTheRun()
{
    windows::RecordsWindow *window = openRecordsWindow();
    QSignalSpy close(window, &windows::RecordsWindow::closeRequested);
    QTest::mouseClick(window->findChild<QWidget *>(QStringLiteral("Label1")), Qt::LeftButton);
    QCOMPARE(close.count(), 1);
    QVERIFY(!testing::closeAsTheWindowManagerDoes(window));
    QCOMPARE(close.count(), 2);
    QVERIFY(window->isVisible()); // until the run ends
    QVERIFY(window->problem().isEmpty());
    QTest::keyClick(window, Qt::Key_Return);
    QTest::keyClick(window, Qt::Key_Escape);
    QCOMPARE(close.count(), 4);
}

QTEST_MAIN(TestRecordsWindow)
#include "tst_records_window.moc"
