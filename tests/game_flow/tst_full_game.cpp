// A whole run in one process, as a player goes through it: the menu, Play, the shuffle,
// the winning click, the name typed into the completion dialog, back to a new menu, Exit,
// the records window showing the new record, and its "Close" ending the run. Under the
// sanitizers this is the run that must report nothing.

#include "menu/menu_window.h"
#include "platform/elements.h"
#include "tests/support/fake_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using platform::Label;
using platform::Picture;
using platform::Timer;

namespace
{

QWidget *topLevel(const QString &name)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == name && !w->isHidden())
            return w;
    }
    return nullptr;
}

template <class T> T *element(QWidget *window, const char *name)
{
    T *e = window ? window->findChild<T *>(QLatin1String(name)) : nullptr;
    if (!e)
        qWarning("no element %s", name);
    return e;
}

} // namespace

class TestFullGame : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Menu -> Play -> shuffle -> win -> record saved -> new menu -> Exit -> records -> Close.
    void playOneWholeRun()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        // The built data tree, with a records folder of the test's own.
        QVERIFY(QFile::link(testing::builtProgramDir() + QStringLiteral("/Data"),
                            dir.filePath(QStringLiteral("Data"))));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Config")));
        testing::Fakes &fakes = testing::installFakes(dir.path());
        // One shuffle step walks the blank up; ImE8 then stands below it.
        fakes.random->values = {0.9};

        menu::showMenuWindow();
        QPointer<QWidget> menu = topLevel(QStringLiteral("Form2"));
        QVERIFY(menu);
        QTest::mouseClick(element<Picture>(menu, "Image2"), Qt::LeftButton); // Play
        QTRY_VERIFY(menu.isNull());

        QPointer<QWidget> game = topLevel(QStringLiteral("Form1"));
        QVERIFY(game);
        auto *timer2 = element<Timer>(game, "Timer2");
        auto *timer1 = element<Timer>(game, "Timer1");
        QVERIFY(timer2 && timer1);
        QCOMPARE(timer2->interval(), 1000);
        timer2->fire(); // the shuffle starts
        timer1->fire(); // one step: the blank goes up
        timer1->setInterval(0);
        for (int tick = 2; tick <= 15; ++tick)
            timer2->fire();
        QCOMPARE(element<Label>(game, "Label1")->caption(), QStringLiteral("Done"));

        fakes.clock->advance();
        element<Timer>(game, "TimSmus")->fire(); // one second of play

        QString shownClicks;
        QTimer::singleShot(0, this, [&] {
            QWidget *dialog = QApplication::activeModalWidget();
            QVERIFY(dialog && dialog->objectName() == QStringLiteral("Form5"));
            shownClicks = element<Label>(dialog, "LbClicks")->caption();
            auto *name = element<QLineEdit>(dialog, "Text1");
            QVERIFY(name && !name->isHidden());
            QTest::keyClicks(name, QStringLiteral("Ada"));
            QTest::mouseClick(element<QWidget>(dialog, "Label3"), Qt::LeftButton);
        });
        QTest::mouseClick(element<Picture>(game, "ImE8"), Qt::LeftButton); // the winning slide
        QCOMPARE(shownClicks, QStringLiteral("1"));
        QTRY_VERIFY(game.isNull());

        // The record is in the file, key by key.
        QFile records(dir.filePath(QStringLiteral("Config/Kelset.dll")));
        QVERIFY(records.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(records.readAll());
        QVERIFY2(
            text.contains(QStringLiteral("[EA]")) && text.contains(QStringLiteral("NAMCL=Ada")) &&
                text.contains(QStringLiteral("CLI1=1")) && text.contains(QStringLiteral("TIE2=1")),
            qPrintable(text));

        menu = topLevel(QStringLiteral("Form2"));
        QVERIFY2(menu, "the won game goes back to a new menu");
        QTest::mouseClick(element<Picture>(menu, "Image7"), Qt::LeftButton); // Exit
        QTRY_VERIFY(menu.isNull());

        QPointer<QWidget> recordsWindow = topLevel(QStringLiteral("Form4"));
        QVERIFY(recordsWindow);
        QCOMPARE(element<Label>(recordsWindow, "EName1")->caption(), QStringLiteral("Ada"));
        QCOMPARE(element<Label>(recordsWindow, "EClicks1")->caption(), QStringLiteral("1"));
        QCOMPARE(element<Label>(recordsWindow, "ETime2")->caption(), QStringLiteral("00:01"));
        QTest::mouseClick(element<QWidget>(recordsWindow, "Label1"), Qt::LeftButton); // Close
        QCOMPARE(fakes.endedWith, QList<int>{0});
        QVERIFY(fakes.fatalErrors.isEmpty());
        delete recordsWindow;
    }
};

QTEST_MAIN(TestFullGame)
#include "tst_full_game.moc"
