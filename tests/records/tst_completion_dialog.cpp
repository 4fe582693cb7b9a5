#include "records/completion_dialog.h"
#include "records/form5.h"
#include "tests/records/file_helpers.h"
#include "tests/records/game_stand_in.h"
#include "tests/support/fake_services.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using testing::GameStandIn;
using Level = GameStandIn::Level;
Q_DECLARE_METATYPE(GameStandIn::Level)

class TestCompletionDialog : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void loadStopsMusicAndBothClocks();
    void looksAsDesigned();
    void handOff_data();
    void handOff();
    void pastedNameChangesNoOtherKey();
    void failedWriteIsToldAndTheGameGoesOn();
    void escapeDoesNotLoseTheRecord();
};

namespace
{

// What the player sees in the open dialog, and what they do there.
struct Seen {
    bool shown = false;
    QString count;
    QString clicks;
    bool prompt = false;
    bool entry = false;
};

// Runs the hand-off; while the dialog is open, looks at it and lets `act` play the player,
// then presses "Close". A dialog that is still open after that is closed by force.
Seen runHandOff(QWidget *game, const std::function<void(QWidget *dialog)> &act)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog || dialog->objectName() != QLatin1String("Form5"))
            return;
        seen.shown = dialog->isVisible();
        seen.count = dialog->findChild<platform::Label *>(QStringLiteral("LbCount"))->caption();
        seen.clicks = dialog->findChild<platform::Label *>(QStringLiteral("LbClicks"))->caption();
        seen.prompt = !dialog->findChild<QWidget *>(QStringLiteral("Label2"))->isHidden();
        seen.entry = !dialog->findChild<QWidget *>(QStringLiteral("Text1"))->isHidden();
        if (act)
            act(dialog);
        QTest::mouseClick(dialog->findChild<QWidget *>(QStringLiteral("Label3")), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
            d->done(0);
    });
    watchdog.start(5000);
    records::showCompletionDialog(game);
    return seen;
}

QLineEdit *entryOf(QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

} // namespace

// The result is final the moment the dialog exists: music and both clocks are stopped.
void TestCompletionDialog::loadStopsMusicAndBothClocks()
{
    testing::Fakes &fakes = testing::installFakes();
    GameStandIn game(Level::Normal);
    records::Form5 dialog(&game.window);
    QCOMPARE(fakes.music->commands,
             (QStringList{QStringLiteral("STOP INTRO"), QStringLiteral("CLOSE INTRO")}));
    QCOMPARE(game.TimSmus->interval(), 0);
    QCOMPARE(game.TmHour->interval(), 0);
}

// A small fixed dialog without a caption; prompt and entry box start hidden and empty.
void TestCompletionDialog::looksAsDesigned()
{
    testing::installFakes();
    GameStandIn game(Level::Normal);
    records::Form5 dialog(&game.window);
    QCOMPARE(dialog.size(), QSize(358, 89));
    QVERIFY(!(dialog.windowFlags() & Qt::WindowTitleHint));
    QLineEdit *entry = entryOf(&dialog);
    QVERIFY(entry->isHidden());
    QVERIFY(entry->text().isEmpty());
    QCOMPARE(entry->maxLength(), 13);
    QVERIFY(dialog.findChild<QWidget *>(QStringLiteral("Label2"))->isHidden());
    QCOMPARE(dialog.findChild<platform::Label *>(QStringLiteral("Label1"))->caption(),
             QStringLiteral("Puzzle completed, congratulations!!!"));
}

void TestCompletionDialog::handOff_data()
{
    QTest::addColumn<QByteArray>("before"); // empty: no file
    QTest::addColumn<GameStandIn::Level>("level");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("prompt");
    QTest::addColumn<QByteArray>("after"); // empty: no file

    const QByteArray normal = "[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\nNAMTI=Bo\r\nCLI2=90\r\n"
                              "TIE2=212\r\n";
    QTest::newRow("first game creates the file with both records")
        << QByteArray() << Level::Normal << "57"
        << "212"
        << "Cy" << true
        << QByteArray("[EA]\r\nNAMCL=Cy\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=Cy\r\nCLI2=57\r\n"
                      "TIE2=212\r\n");
    QTest::newRow("equal to both records: no prompt, nothing written")
        << normal << Level::Normal << "57"
        << "212"
        << "" << false << normal;
    QTest::newRow("only the time beaten writes its three keys")
        << normal << Level::Normal << "60"
        << "211"
        << "Cy" << true
        << QByteArray("[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\nNAMTI=Cy\r\nCLI2=60\r\n"
                      "TIE2=211\r\n");
    QTest::newRow("a Hard game touches only HA")
        << normal << Level::Hard << "999"
        << "999"
        << "Cy" << true
        << normal + "\r\n[HA]\r\nNAMCL=Cy\r\nCLI1=999\r\nTIE1=999\r\nNAMTI=Cy\r\nCLI2=999\r\n"
                    "TIE2=999\r\n";
    QTest::newRow("a stored 0 is no record")
        << QByteArray("[EA]\r\nCLI1=10\r\nTIE2=0\r\n") << Level::Normal << "57"
        << "3000"
        << "Cy" << true << QByteArray("[EA]\r\nCLI1=10\r\nTIE2=3000\r\nNAMTI=Cy\r\nCLI2=57\r\n");
    QTest::newRow("an empty entry stores an empty name")
        << QByteArray() << Level::Normal << "57"
        << "212"
        << "" << true
        << QByteArray("[EA]\r\nNAMCL=\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=\r\nCLI2=57\r\n"
                      "TIE2=212\r\n");
    QTest::newRow("no level: no prompt, no file") << QByteArray() << Level::None << "57"
                                                  << "212"
                                                  << "" << false << QByteArray();
}

// The won game's time and clicks are shown; the prompt appears exactly when "Close" writes,
// and "Close" writes the beaten records with the typed name.
void TestCompletionDialog::handOff()
{
    QFETCH(QByteArray, before);
    QFETCH(GameStandIn::Level, level);
    QFETCH(QString, clicks);
    QFETCH(QString, seconds);
    QFETCH(QString, typed);
    QFETCH(bool, prompt);
    QFETCH(QByteArray, after);

    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    if (!before.isEmpty())
        QVERIFY(testing::putFile(file, before));
    testing::Fakes &fakes = testing::installFakes(dir.path());
    GameStandIn game(level, clicks, seconds);

    const Seen seen = runHandOff(&game.window, [&](QWidget *dialog) {
        if (!entryOf(dialog)->isHidden())
            QTest::keyClicks(entryOf(dialog), typed);
    });
    QVERIFY(seen.shown);
    QCOMPARE(seen.count, QStringLiteral("03:32"));
    QCOMPARE(seen.clicks, clicks);
    QCOMPARE(seen.prompt, prompt);
    QCOMPARE(seen.entry, prompt);
    QCOMPARE(QFileInfo::exists(file), !after.isEmpty());
    QCOMPARE(testing::fileBytes(file), after);
    QVERIFY(fakes.told.isEmpty());
    QVERIFY(!QApplication::activeModalWidget());
}

// A name pasted with line breaks cannot add lines, sections or keys to the file.
void TestCompletionDialog::pastedNameChangesNoOtherKey()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    QVERIFY(testing::putFile(file, "[EA]\r\nCLI1=80\r\nTIE2=900\r\n"));
    testing::installFakes(dir.path());
    GameStandIn game(Level::Normal, QStringLiteral("57"), QStringLiteral("212"));

    QString shownName;
    runHandOff(&game.window, [&](QWidget *dialog) {
        QApplication::clipboard()->setText(QStringLiteral("a\r\n[EA]\r\nCLI1=1"));
        entryOf(dialog)->paste();
        shownName = entryOf(dialog)->text();
    });
    QCOMPARE(shownName, QStringLiteral("a[EA]CLI1"));
    QCOMPARE(testing::fileBytes(file),
             QByteArray("[EA]\r\nCLI1=57\r\nTIE2=212\r\nNAMCL=a[EA]CLI1\r\nTIE1=212\r\n"
                        "NAMTI=a[EA]CLI1\r\nCLI2=57\r\n"));
}

// A record that cannot be saved is not lost in silence: the player is told where, and the
// dialog closes as usual.
void TestCompletionDialog::failedWriteIsToldAndTheGameGoesOn()
{
    QTemporaryDir dir; // no Config folder
    testing::Fakes &fakes = testing::installFakes(dir.path());
    GameStandIn game(Level::Hard);
    const Seen seen = runHandOff(&game.window, {});
    QVERIFY(seen.prompt);
    QCOMPARE(fakes.told.size(), 1);
    QVERIFY2(fakes.told.first().contains(dir.path() + QStringLiteral("/Config/Kelset.dll")),
             qPrintable(fakes.told.first()));
    QVERIFY(!QDir(dir.path()).exists(QStringLiteral("Config")));
    QVERIFY(!QApplication::activeModalWidget());
}

// Escape does not close the dialog behind "Close"'s back, so the record is still written.
void TestCompletionDialog::escapeDoesNotLoseTheRecord()
{
    QTemporaryDir dir;
    const QString file = testing::makeConfig(dir.path());
    testing::installFakes(dir.path());
    GameStandIn game(Level::Normal);
    bool openAfterEscape = false;
    runHandOff(&game.window, [&](QWidget *dialog) {
        QTest::keyClick(entryOf(dialog), Qt::Key_Escape);
        openAfterEscape = dialog->isVisible();
    });
    QVERIFY(openAfterEscape);
    QVERIFY(testing::fileBytes(file).contains("CLI1=57"));
}

QTEST_MAIN(TestCompletionDialog)
#include "tst_completion_dialog.moc"
