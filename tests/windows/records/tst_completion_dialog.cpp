// The completion dialog: the won game's time and clicks, the name prompt exactly when "Close"
// will save, and what "Close" leaves in the records file.
#include "core/numeric_text.h"
#include "platform/elements.h"
#include "records/records_file.h"
#include "records/records_store.h"
#include "tests/records/file_helpers.h"
#include "tests/support/doubles.h"
#include "windows/records/completion_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <future>
#include <thread>

using session::GameResult;
Q_DECLARE_METATYPE(core::Level)

namespace
{

// What the player sees in the open dialog.
struct Seen {
    bool shown = false;
    QString count;
    QString clicks;
    bool prompt = false;
    bool entry = false;
};

// Runs the dialog; while it is open, looks at it and lets `act` play the player, then
// presses "Close". A dialog that is still open after that is closed by force.
Seen runDialog(const GameResult &result, records::RecordsFile &file, testing::FakeDesktop &desktop,
               const std::function<void(QWidget *dialog)> &act)
{
    Seen seen;
    windows::CompletionDialog dialog(result, file, desktop);
    QTimer::singleShot(0, [&] {
        QWidget *open = QApplication::activeModalWidget();
        if (open != &dialog)
            return;
        seen.shown = dialog.isVisible();
        seen.count = dialog.findChild<platform::Label *>(QStringLiteral("LbCount"))->caption();
        seen.clicks = dialog.findChild<platform::Label *>(QStringLiteral("LbClicks"))->caption();
        seen.prompt = !dialog.findChild<QWidget *>(QStringLiteral("Label2"))->isHidden();
        seen.entry = !dialog.findChild<QWidget *>(QStringLiteral("Text1"))->isHidden();
        if (act)
            act(&dialog);
        QTest::mouseClick(dialog.findChild<QWidget *>(QStringLiteral("Label3")), Qt::LeftButton);
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] { dialog.done(0); });
    watchdog.start(5000);
    dialog.exec();
    return seen;
}

QLineEdit *entryOf(QWidget *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("Text1"));
}

} // namespace

class TestCompletionDialog : public QObject
{
    Q_OBJECT

    testing::FakeDesktop m_desktop;

private Q_SLOTS:
    void init() { m_desktop = testing::FakeDesktop(); }

    // A small fixed dialog without a caption; prompt and entry box start hidden and empty.
    void looksAsDesigned()
    {
        records::RecordsFile file(QStringLiteral("/nonexistent/Kelset.dll"));
        windows::CompletionDialog dialog({core::Level::Normal, 0, 0}, file, m_desktop);
        QCOMPARE(dialog.size(), QSize(358, 89));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowTitleHint));
        QLineEdit *entry = entryOf(&dialog);
        QVERIFY(entry->text().isEmpty());
        QCOMPARE(dialog.findChild<platform::Label *>(QStringLiteral("Label1"))->caption(),
                 QStringLiteral("Puzzle completed, congratulations!!!"));
        // A game without a single counted second shows the time as the game window did.
        QCOMPARE(dialog.findChild<platform::Label *>(QStringLiteral("LbCount"))->caption(),
                 QStringLiteral("0"));
    }

    // The fewest clicks, when known, on a line of their own below, the number under the
    // clicks; every other element stays where it was. A game with a hint that would have set
    // a record says so in the prompt's place.
    void fewestClicksLine_data()
    {
        QTest::addColumn<int>("shortest");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("note");
        QTest::newRow("one") << 1 << false << "Shortest possible: 1 click"
                             << "";
        QTest::newRow("38, a hint") << 38 << true << "Shortest possible: 38 clicks"
                                    << "A hint was used, so this game sets no record; it "
                                       "would have beaten both records.";
    }
    void fewestClicksLine()
    {
        QFETCH(int, shortest);
        QFETCH(bool, hint);
        QFETCH(QString, line);
        QFETCH(QString, note);
        records::RecordsFile file(QStringLiteral("/nonexistent/Kelset.dll"));
        windows::CompletionDialog plain({core::Level::Normal, 70, 40}, file, m_desktop);
        windows::CompletionDialog told({core::Level::Normal, 70, 40, hint, shortest}, file,
                                       m_desktop);
        QCOMPARE(told.size(), QSize(358, 113));
        QStringList words;
        for (const char *name : {"Label6", "LbShortest", "Label7"})
            words << told.findChild<platform::Label *>(QLatin1String(name))->caption();
        QCOMPARE(words.join(u' '), line);
        QCOMPARE(told.findChild<QWidget *>(QStringLiteral("LbShortest"))->x(),
                 told.findChild<QWidget *>(QStringLiteral("LbClicks"))->x());
        for (const QWidget *w : plain.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            QCOMPARE(told.findChild<QWidget *>(w->objectName())->geometry(), w->geometry());
        QCOMPARE(told.findChild<platform::Label *>(QStringLiteral("LbNote"))->caption(), note);
        QCOMPARE(told.findChild<QWidget *>(QStringLiteral("Text1"))->isHidden(), hint);
    }

    // A game with a hint is saved nowhere, even when the records file was removed while its
    // dialog stood open, so that "Close" would find the game beating it.
    void hintedGameSetsNoRecord()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        QVERIFY(testing::putFile(path, "[EA]\r\nCLI1=57\r\nTIE2=212\r\n"));
        records::RecordsFile file(path);
        runDialog({core::Level::Normal, 400, 60, true, 60}, file, m_desktop,
                  [&](QWidget *) { QFile::remove(path); });
        QVERIFY(!QFileInfo::exists(path));
    }

    void handOff_data()
    {
        QTest::addColumn<QByteArray>("before"); // empty: no file
        QTest::addColumn<core::Level>("level");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("prompt");
        QTest::addColumn<QByteArray>("after"); // empty: no file

        const QByteArray normal =
            "[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\nNAMTI=Bo\r\nCLI2=90\r\n"
            "TIE2=212\r\n";
        QTest::newRow("first game creates the file with both records")
            << QByteArray() << core::Level::Normal << 57 << 212 << "Cy" << true
            << QByteArray("[EA]\r\nNAMCL=Cy\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=Cy\r\nCLI2=57\r\n"
                          "TIE2=212\r\n");
        QTest::newRow("equal to both records: no prompt, nothing written")
            << normal << core::Level::Normal << 57 << 212 << "" << false << normal;
        QTest::newRow("only the time beaten writes its three keys")
            << normal << core::Level::Normal << 60 << 211 << "Cy" << true
            << QByteArray("[EA]\r\nNAMCL=Ann\r\nCLI1=57\r\nTIE1=300\r\nNAMTI=Cy\r\nCLI2=60\r\n"
                          "TIE2=211\r\n");
        QTest::newRow("a Hard game touches only HA")
            << normal << core::Level::Hard << 999 << 999 << "Cy" << true
            << normal + "\r\n[HA]\r\nNAMCL=Cy\r\nCLI1=999\r\nTIE1=999\r\nNAMTI=Cy\r\nCLI2=999\r\n"
                        "TIE2=999\r\n";
        QTest::newRow("a stored 0 is no record")
            << QByteArray("[EA]\r\nCLI1=10\r\nTIE2=0\r\n") << core::Level::Normal << 57 << 3000
            << "Cy" << true
            << QByteArray("[EA]\r\nCLI1=10\r\nTIE2=3000\r\nNAMTI=Cy\r\nCLI2=57\r\n");
        QTest::newRow("an empty entry stores an empty name")
            << QByteArray() << core::Level::Normal << 57 << 212 << "" << true
            << QByteArray("[EA]\r\nNAMCL=\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=\r\nCLI2=57\r\n"
                          "TIE2=212\r\n");
    }

    // The won game's time and clicks are shown; the prompt appears exactly when "Close"
    // writes, and "Close" writes the beaten records with the typed name.
    void handOff()
    {
        QFETCH(QByteArray, before);
        QFETCH(core::Level, level);
        QFETCH(int, clicks);
        QFETCH(int, seconds);
        QFETCH(QString, typed);
        QFETCH(bool, prompt);
        QFETCH(QByteArray, after);

        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        if (!before.isEmpty())
            QVERIFY(testing::putFile(path, before));
        records::RecordsFile file(path);
        const Seen seen =
            runDialog({level, seconds, clicks}, file, m_desktop, [&](QWidget *dialog) {
                if (!entryOf(dialog)->isHidden())
                    QTest::keyClicks(entryOf(dialog), typed);
            });
        QVERIFY(seen.shown);
        QCOMPARE(seen.count, QString::fromStdString(core::minutesSeconds(seconds)));
        QCOMPARE(seen.clicks, QString::number(clicks));
        QCOMPARE(seen.prompt, prompt);
        QCOMPARE(seen.entry, prompt);
        QCOMPARE(QFileInfo::exists(path), !after.isEmpty());
        QCOMPARE(testing::fileBytes(path), after);
        QVERIFY(m_desktop.told.isEmpty());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A name pasted with line breaks cannot add lines, sections or keys to the file.
    void pastedNameChangesNoOtherKey()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        QVERIFY(testing::putFile(path, "[EA]\r\nCLI1=80\r\nTIE2=900\r\n"));
        records::RecordsFile file(path);
        QString shownName;
        runDialog({core::Level::Normal, 212, 57}, file, m_desktop, [&](QWidget *dialog) {
            QApplication::clipboard()->setText(QStringLiteral("a\r\n[EA]\r\nCLI1=1"));
            entryOf(dialog)->paste();
            shownName = entryOf(dialog)->text();
        });
        QCOMPARE(shownName, QStringLiteral("a[EA]CLI1=1"));
        QCOMPARE(testing::fileBytes(path),
                 QByteArray("[EA]\r\nCLI1=57\r\nTIE2=212\r\nNAMCL=a[EA]CLI1=1\r\nTIE1=212\r\n"
                            "NAMTI=a[EA]CLI1=1\r\nCLI2=57\r\n"));
    }

    void namesAsThePlayerSeesThem_data()
    {
        QTest::addColumn<QString>("entered"); // typed one character at a time, or pasted
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("kept"); // in the box and in the file
        const QString emoji =
            QStringLiteral("😀😁😂🤣😃😄😅😆😇😈😉😊😋😌");
        QTest::newRow("emoji at the limit: the 14th is left out")
            << emoji << false << emoji.left(26);
        QTest::newRow("combining accents count with their letter")
            << QStringLiteral("e\u0301").repeated(14) << true
            << QStringLiteral("e\u0301").repeated(13);
        QTest::newRow("a pasted line: its control characters do not count")
            << QStringLiteral("Li\nne\tTab[x]=;\r\nZ") << true << QStringLiteral("LineTab[x]=;Z");
        QTest::newRow("right-to-left text without its override and isolates")
            << QStringLiteral("\u202E\u05E9\u05DC\u05D5\u05DD \u2067\u05D0\u2069") << false
            << QStringLiteral("\u05E9\u05DC\u05D5\u05DD \u05D0");
    }

    // A name is kept as the player sees it: whole characters up to the limit, none dropped
    // for characters the player never saw, nothing in the file the box did not show.
    void namesAsThePlayerSeesThem()
    {
        QFETCH(QString, entered);
        QFETCH(bool, pasted);
        QFETCH(QString, kept);
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path);
        QString shown;
        runDialog({core::Level::Normal, 212, 57}, file, m_desktop, [&](QWidget *dialog) {
            QApplication::clipboard()->setText(entered);
            if (pasted)
                entryOf(dialog)->paste();
            // One key event per code point, as the X server sends what a player types.
            for (const uint c : pasted ? QList<uint>() : entered.toUcs4()) {
                QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                                QString::fromUcs4(reinterpret_cast<const char32_t *>(&c), 1));
                QApplication::sendEvent(entryOf(dialog), &press);
            }
            shown = entryOf(dialog)->text();
        });
        QCOMPARE(shown, kept);
        QCOMPARE(records::ReadSetting(path, QStringLiteral("EA"), QStringLiteral("NAMCL")), kept);
    }

    // An input method's composition in a full box is left whole while it lasts (cutting it
    // would end it); the composed text then keeps to the limit like anything typed.
    void composingIsNotCutShort()
    {
        QTemporaryDir dir;
        records::RecordsFile file(testing::makeConfig(dir.path()));
        QString seen;
        runDialog({core::Level::Normal, 212, 57}, file, m_desktop, [&](QWidget *dialog) {
            QTest::keyClicks(entryOf(dialog), QStringLiteral("abcdefghijklm"));
            for (const auto &[preedit, commit] :
                 {std::pair{u"\u314E", u""}, {u"\u3131", u"\uD55C"}, {u"", u"\uAE00"}}) {
                QInputMethodEvent event(QString::fromUtf16(preedit), {});
                event.setCommitString(QString::fromUtf16(commit));
                QApplication::sendEvent(entryOf(dialog), &event);
                seen += u'|' + entryOf(dialog)->text().mid(13);
            }
        });
        QCOMPARE(seen, QStringLiteral("||\uD55C|"));
    }

    void recordTakenMeanwhileIsTold_data()
    {
        QTest::addColumn<int>("otherSeconds"); // the other copy's game: 50 clicks and this
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("holders"); // NAMCL and NAMTI afterwards
        QTest::newRow("a tie: both records go to the first to save")
            << 200 << "Both records went to another game meanwhile: Alpha holds them."
            << "Alpha Alpha";
        QTest::newRow("the other game took the clicks record; the time is still beaten")
            << 300 << "The clicks record went to another game meanwhile: Alpha holds it."
            << "Alpha Beta";
    }

    // A record the player was asked a name for, that another copy of the game saved first as
    // good a result for: the dialog says so in the prompt's place and closes at the next
    // "Close"; what the game still beats is saved.
    void recordTakenMeanwhileIsTold()
    {
        QFETCH(int, otherSeconds);
        QFETCH(QString, note);
        QFETCH(QString, holders);
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path), other(path);
        QString told;
        runDialog({core::Level::Normal, 200, 50}, file, m_desktop, [&](QWidget *dialog) {
            QVERIFY(other.save({core::Level::Normal, otherSeconds, 50}, "Alpha").saved);
            QTest::keyClicks(entryOf(dialog), QStringLiteral("Beta"));
            QTest::keyClick(entryOf(dialog), Qt::Key_Return);
            auto *shown = dialog->findChild<platform::Label *>(QStringLiteral("LbNote"));
            if (dialog->isVisible() && entryOf(dialog)->isHidden() && shown->isVisible())
                told = shown->caption();
        });
        QCOMPARE(told, note);
        const records::LevelRecords now = file.read().normal;
        QCOMPARE(now.fewestClicks.name + u' ' + now.shortestTime.name, holders);
    }

    // While another copy of the game holds the records, the dialog stays alive, says that it
    // waits, and closes once the save is made.
    void waitForAnotherCopyKeepsTheDialogAlive()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path);
        std::promise<void> locked, release;
        std::thread holder([&] {
            records::store::edit({path, {}, false}, [&](records::profile::Document &) {
                locked.set_value();
                release.get_future().wait();
                return false;
            });
        });
        locked.get_future().wait();
        QString waiting;
        runDialog({core::Level::Hard, 30, 40}, file, m_desktop, [&](QWidget *dialog) {
            QTest::keyClick(dialog, Qt::Key_Return);
            auto *note = dialog->findChild<platform::Label *>(QStringLiteral("LbNote"));
            QTRY_VERIFY(note->isVisible());
            waiting = note->caption();
            release.set_value();
            QTRY_VERIFY(!dialog->isVisible());
        });
        holder.join();
        QCOMPARE(waiting,
                 QStringLiteral("Waiting for another copy of the game to save its record..."));
        QCOMPARE(records::ReadSetting(path, "HA", "CLI1"), QStringLiteral("40"));
    }

    // A record that cannot be saved is not lost in silence: the player is told where, and
    // the dialog closes as usual.
    void failedWriteIsToldAndTheGameGoesOn()
    {
        QTemporaryDir dir; // no Config folder
        records::RecordsFile file(dir.path() + QStringLiteral("/Config/Kelset.dll"));
        const Seen seen = runDialog({core::Level::Hard, 212, 57}, file, m_desktop, {});
        QVERIFY(seen.prompt);
        QCOMPARE(m_desktop.told.size(), 1);
        QVERIFY2(m_desktop.told.first().contains(dir.path() + QStringLiteral("/Config/Kelset.dll")),
                 qPrintable(m_desktop.told.first()));
        QVERIFY(!QDir(dir.path()).exists(QStringLiteral("Config")));
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The window manager's close (Alt+F4) is "Close": the name typed so far goes with the
    // record.
    void windowManagerCloseSavesTheTypedName()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path);
        bool closed = false;
        runDialog({core::Level::Normal, 212, 57}, file, m_desktop, [&](QWidget *dialog) {
            QTest::keyClicks(entryOf(dialog), QStringLiteral("Ad"));
            testing::closeAsTheWindowManagerDoes(dialog);
            closed = !dialog->isVisible();
        });
        QVERIFY(closed);
        QCOMPARE(testing::fileBytes(path),
                 QByteArray("[EA]\r\nNAMCL=Ad\r\nCLI1=57\r\nTIE1=212\r\nNAMTI=Ad\r\nCLI2=57\r\n"
                            "TIE2=212\r\n"));
    }

    // Enter is "Close", with the name as typed.
    void enterSavesAndCloses()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path);
        bool closed = false;
        runDialog({core::Level::Hard, 30, 40}, file, m_desktop, [&](QWidget *dialog) {
            QTest::keyClicks(entryOf(dialog), QStringLiteral("Kay"));
            QTest::keyClick(entryOf(dialog), Qt::Key_Return);
            closed = !dialog->isVisible();
        });
        QVERIFY(closed);
        QVERIFY2(testing::fileBytes(path).startsWith("[HA]\r\nNAMCL=Kay\r\nCLI1=40\r\n"),
                 testing::fileBytes(path).constData());
    }

    // Escape does not close the dialog behind "Close"'s back, so the record is still written.
    void escapeDoesNotLoseTheRecord()
    {
        QTemporaryDir dir;
        const QString path = testing::makeConfig(dir.path());
        records::RecordsFile file(path);
        bool openAfterEscape = false;
        runDialog({core::Level::Normal, 212, 57}, file, m_desktop, [&](QWidget *dialog) {
            QTest::keyClick(entryOf(dialog), Qt::Key_Escape);
            openAfterEscape = dialog->isVisible();
        });
        QVERIFY(openAfterEscape);
        QVERIFY(testing::fileBytes(path).contains("CLI1=57"));
    }
};

QTEST_MAIN(TestCompletionDialog)
#include "tst_completion_dialog.moc"
