// The menu window: picture choice with its level, hover colours, the stacking of its
// elements, the links, and what it asks the flow for.
#include "platform/elements.h"
#include "platform/web_link.h"
#include "resources/resources.h"
#include "tests/support/doubles.h"
#include "tests/support/program_tree.h"
#include "windows/menu/menu_window.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using platform::Label;
using platform::Picture;
using windows::MenuWindow;

namespace
{

void hover(QWidget *element)
{
    const QPointF at(element->width() / 2.0, element->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, element->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(element, &move);
}

template <class T = QWidget> T *element(QWidget *window, const char *name)
{
    T *e = window->findChild<T *>(QLatin1String(name));
    if (!e)
        qWarning("no element %s", name);
    return e;
}

void click(QWidget *window, const char *name)
{
    QTest::mouseClick(element(window, name), Qt::LeftButton);
}

// '<' previous, '>' next
void step(QWidget *window, const QString &clicks)
{
    for (const QChar c : clicks)
        click(window, c == QLatin1Char('<') ? "Image5" : "Image6");
}

} // namespace

class TestMenuWindow : public QObject
{
    Q_OBJECT

    testing::ProgramTree *m_tree = nullptr;
    platform::DataTree *m_data = nullptr;
    testing::FakeDesktop m_desktop;

private Q_SLOTS:
    void init()
    {
        m_tree = new testing::ProgramTree;
        m_data = new platform::DataTree(m_tree->dir());
        m_desktop = testing::FakeDesktop();
    }
    void cleanup()
    {
        testing::closeAllWindows();
        delete m_data;
        delete m_tree;
    }

    // The first sight of the game: picture 1, "Normal", the landscape frame, the captions
    // in their colours.
    void startsAtPictureOneNormal()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QCOMPARE(menu.picture(), 1);
        QCOMPARE(element<Label>(&menu, "LbDificultad")->caption(), QStringLiteral("Normal"));
        auto *landscape = element<Picture>(&menu, "ImgHorizontal");
        auto *portrait = element<Picture>(&menu, "ImgVertical");
        QVERIFY(!landscape->isHidden());
        QCOMPARE(testing::centreColour(landscape->picture()), testing::previewColour(1));
        QVERIFY2(!portrait->isHidden() && portrait->picture().isNull(),
                 "the portrait frame is visible and empty at first");
        for (const char *name : {"LbPlay", "LbHelp", "LbExit"})
            QCOMPARE(element<Label>(&menu, name)->foreColor(), MenuWindow::actionColour());
        QCOMPARE(element<Label>(&menu, "Label3")->caption(), QStringLiteral("Select a picture :"));
        QCOMPARE(element<Label>(&menu, "Label6")->caption(), QStringLiteral("Difficulty :   "));
        QCOMPARE(element<Label>(&menu, "Label3")->foreColor(), QColor(255, 255, 0));
        QCOMPARE(element<Label>(&menu, "LbDificultad")->foreColor(), QColor(0, 255, 0));
        QVERIFY(element<Label>(&menu, "LbPlay")->font().bold());
        QCOMPARE(element<Label>(&menu, "LbPlay")->font().pointSizeF(), 8.25);
    }

    // The menu has no frame: it must be the skin's size, centred, and cut to the skin.
    void windowIsBorderlessCentredAndShaped()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        menu.show();
        QVERIFY(menu.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(menu.size(), QSize(364, 271));
        QCOMPARE(menu.windowTitle(), QStringLiteral("Zantho Games - Puzzle +1"));
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2((menu.frameGeometry().center() - screen.center()).manhattanLength() <= 2,
                 "the menu opens centred");
        QVERIFY2(!menu.mask().isEmpty(), "the menu is shaped to its skin");
        QVERIFY(!menu.mask().contains(QPoint(0, 0)));
    }

    // The number decides the level and the frame; the arrows wrap round in both directions.
    void arrowsStepThroughThePicturesAndLevels_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("level");
        QTest::newRow("previous from 1 wraps to 28, Hard, portrait") << "<" << 28 << "Hard";
        QTest::newRow("next from 28 wraps to 1, Normal, landscape") << "<>" << 1 << "Normal";
        QTest::newRow("next from 1 is 2") << ">" << 2 << "Normal";
        QTest::newRow("next from 9 to 10 switches to Hard") << ">>>>>>>>>" << 10 << "Hard";
        QTest::newRow("previous from 10 to 9 switches back") << ">>>>>>>>><" << 9 << "Normal";
        QTest::newRow("previous from 28 to 27") << "<<" << 27 << "Hard";
        QTest::newRow("round the whole ring") << QString(28, QLatin1Char('>')) << 1 << "Normal";
    }
    void arrowsStepThroughThePicturesAndLevels()
    {
        QFETCH(QString, clicks);
        QFETCH(int, picture);
        QFETCH(QString, level);
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QSignalSpy unreadable(&menu, &MenuWindow::pictureUnreadable);
        step(&menu, clicks);
        QCOMPARE(menu.picture(), picture);
        QCOMPARE(element<Label>(&menu, "LbDificultad")->caption(), level);
        const bool hard = level == QLatin1String("Hard");
        auto *shown = element<Picture>(&menu, hard ? "ImgVertical" : "ImgHorizontal");
        auto *other = element<Picture>(&menu, hard ? "ImgHorizontal" : "ImgVertical");
        QVERIFY(!shown->isHidden());
        QVERIFY(other->isHidden());
        QCOMPARE(testing::centreColour(shown->picture()), testing::previewColour(picture));
        if (hard)
            QVERIFY2(!other->picture().isNull(), "the hidden frame keeps its last picture");
        QCOMPARE(unreadable.count(), 0);
    }

    // Where elements overlap, the upper one takes the click, as the design stacks them.
    void upperElementTakesTheMouse_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("element");
        QTest::newRow("top of the word Play lies under the Play icon")
            << QPoint(302, 80) << "Image2";
        QTest::newRow("bottom of the word Play") << QPoint(302, 88) << "LbPlay";
        QTest::newRow("the word Help covers the bottom of its icon")
            << QPoint(304, 135) << "LbHelp";
        QTest::newRow("the Help icon above its word") << QPoint(304, 110) << "Image4";
        QTest::newRow("the word Exit") << QPoint(304, 192) << "LbExit";
        QTest::newRow("link strip over its bar") << QPoint(60, 260) << "Label1";
        QTest::newRow("second link strip") << QPoint(280, 260) << "Label2";
        QTest::newRow("bar outside its link strip") << QPoint(60, 252) << "Image8";
        QTest::newRow("the title strip") << QPoint(180, 10) << "Image3";
        QTest::newRow("the title over the panel") << QPoint(40, 28) << "Label3";
        QTest::newRow("the panel") << QPoint(250, 210) << "Image1";
    }
    void upperElementTakesTheMouse()
    {
        QFETCH(QPoint, point);
        QFETCH(QString, element);
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QWidget *hit = menu.childAt(point);
        QVERIFY(hit);
        QCOMPARE(hit->objectName(), element);
    }

    // A highlight stays until the mouse crosses the panel or another icon.
    void hoverHighlightsTheActionOfTheIcon_data()
    {
        QTest::addColumn<QStringList>("path");
        QTest::addColumn<QString>("highlighted"); // empty: none
        QTest::newRow("Play icon") << QStringList{"Image2"} << "LbPlay";
        QTest::newRow("Play icon, then down onto the word Play")
            << QStringList{"Image2", "LbPlay"} << "LbPlay";
        QTest::newRow("on over the panel resets")
            << QStringList{"Image2", "LbPlay", "Image1"} << "";
        QTest::newRow("Help icon") << QStringList{"Image4"} << "LbHelp";
        QTest::newRow("Exit icon, then the arrows and level keep it")
            << QStringList{"Image7", "Image5", "Image6", "LbDificultad", "Image3"} << "LbExit";
        QTest::newRow("from Exit to Play moves the highlight")
            << QStringList{"Image7", "Image2"} << "LbPlay";
        QTest::newRow("the bare preview frame keeps it")
            << QStringList{"Image4", "ImgHorizontal"} << "LbHelp";
    }
    void hoverHighlightsTheActionOfTheIcon()
    {
        QFETCH(QStringList, path);
        QFETCH(QString, highlighted);
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        for (const QString &name : path) {
            auto *w = menu.findChild<QWidget *>(name);
            QVERIFY2(w, qPrintable(name));
            hover(w);
        }
        for (const char *name : {"LbPlay", "LbHelp", "LbExit"}) {
            const QColor expected = QLatin1String(name) == highlighted ? MenuWindow::highlight()
                                                                       : MenuWindow::actionColour();
            QVERIFY2(element<Label>(&menu, name)->foreColor() == expected, name);
        }
    }

    // The icons ask for Play (with the picture on show), Help and Exit; the words beneath
    // them are only captions.
    void iconsAskTheWordsDoNot()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QSignalSpy play(&menu, &MenuWindow::playRequested);
        QSignalSpy help(&menu, &MenuWindow::helpRequested);
        QSignalSpy exit(&menu, &MenuWindow::exitRequested);
        for (const char *word : {"LbPlay", "LbHelp", "LbExit"})
            click(&menu, word);
        QCOMPARE(play.count() + help.count() + exit.count(), 0);
        step(&menu, QStringLiteral("<<"));
        click(&menu, "Image2");
        click(&menu, "Image4");
        click(&menu, "Image7");
        QCOMPARE(play.count(), 1);
        QCOMPARE(play.first().first().toInt(), 27);
        QCOMPARE(help.count(), 1);
        QCOMPARE(exit.count(), 1);
    }

    // A screen reader finds every control by role and name, and its press is the click: the
    // pictures and empty labels would otherwise read as nothing at all.
    void readerFindsTheControls_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("name");
        const int button = QAccessible::Button, link = QAccessible::Link;
        QTest::newRow("previous") << "Image5" << button << "Previous picture";
        QTest::newRow("next") << "Image6" << button << "Next picture";
        QTest::newRow("play") << "Image2" << button << "Play";
        QTest::newRow("help") << "Image4" << button << "Help";
        QTest::newRow("exit") << "Image7" << button << "Exit";
        QTest::newRow("first site") << "Label1" << link << platform::kFirstFanSite;
        QTest::newRow("second site") << "Label2" << link << platform::kSecondFanSite;
    }
    void readerFindsTheControls()
    {
        QFETCH(QString, element);
        QFETCH(int, role);
        QFETCH(QString, name);
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QSignalSpy play(&menu, &MenuWindow::playRequested);
        QAccessibleInterface *control =
            QAccessible::queryAccessibleInterface(menu.findChild<QWidget *>(element));
        QVERIFY(control);
        QCOMPARE(int(control->role()), role);
        QCOMPARE(control->text(QAccessible::Name), name);
        QAccessibleActionInterface *actions = control->actionInterface();
        QVERIFY(actions);
        QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        actions->doAction(QAccessibleActionInterface::pressAction());
        QCoreApplication::processEvents();
        if (element == QLatin1String("Image2"))
            QCOMPARE(play.count(), 1);
        else if (element.startsWith(u"Label"))
            QCOMPARE(m_desktop.opened, QStringList{name});
        else if (element == QLatin1String("Image6"))
            QCOMPARE(menu.picture(), 2);
    }

    // The keys of the menu: Left and Right choose, Enter plays, F1 is Help, Escape is Exit.
    void keys()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QSignalSpy play(&menu, &MenuWindow::playRequested);
        QSignalSpy help(&menu, &MenuWindow::helpRequested);
        QSignalSpy exit(&menu, &MenuWindow::exitRequested);
        QTest::keyClick(&menu, Qt::Key_Right);
        QCOMPARE(menu.picture(), 2);
        QTest::keyClick(&menu, Qt::Key_Left);
        QTest::keyClick(&menu, Qt::Key_Left);
        QCOMPARE(menu.picture(), 28);
        QCOMPARE(element<Label>(&menu, "LbDificultad")->caption(), QStringLiteral("Hard"));
        QTest::keyClick(&menu, Qt::Key_Return);
        QTest::keyClick(&menu, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(play.count(), 2);
        QCOMPARE(play.first().first().toInt(), 28);
        QTest::keyClick(&menu, Qt::Key_F1);
        QCOMPARE(help.count(), 1);
        QTest::keyClick(&menu, Qt::Key_Escape);
        QCOMPARE(exit.count(), 1);
    }

    // The window manager's close (Alt+F4) means Exit: the menu asks for the records window
    // and stays until the flow closes it; the program's own close closes it quietly.
    void windowManagerCloseMeansExit()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        menu.show();
        QSignalSpy exit(&menu, &MenuWindow::exitRequested);
        QVERIFY(!testing::closeAsTheWindowManagerDoes(&menu));
        QCOMPARE(exit.count(), 1);
        QVERIFY(menu.isVisible());
        menu.setAttribute(Qt::WA_DeleteOnClose, false);
        QVERIFY(menu.close());
        QCOMPARE(exit.count(), 1);
    }

    // Each strip hands its own site to the browser; the addresses belong to no real site.
    void linksOpenTheirFanSite_data()
    {
        QTest::addColumn<QString>("strip");
        QTest::addColumn<QString>("url");
        QTest::newRow("first link strip") << "Label1" << platform::kFirstFanSite;
        QTest::newRow("second link strip") << "Label2" << platform::kSecondFanSite;
    }
    void linksOpenTheirFanSite()
    {
        QFETCH(QString, strip);
        QFETCH(QString, url);
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        QTest::mouseClick(menu.findChild<QWidget *>(strip), Qt::LeftButton);
        QCOMPARE(m_desktop.opened, QStringList{url});
        QCOMPARE(m_desktop.openedFrom, QList<QWidget *>{&menu});
        const QString host = QUrl(url).host();
        QVERIFY2(host.endsWith(QLatin1String(".example.org")) ||
                     host.endsWith(QLatin1String(".example.net")),
                 qPrintable(host));
        QVERIFY(platform::kFirstFanSite != platform::kSecondFanSite);
    }

    // A missing preview is named: at load, the menu is not to be shown; while stepping, the
    // flow is told.
    void missingPreviewIsNamed_data()
    {
        QTest::addColumn<int>("missing");
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("file");
        QTest::newRow("first preview at load") << 1 << ""
                                               << "Easy/Pic/Prevw/1.pic";
        QTest::newRow("stepping to Hard picture 10") << 10 << ">>>>>>>>>"
                                                     << "Hard/Pic/Prevw/10.pic";
        QTest::newRow("stepping back to 28") << 28 << "<"
                                             << "Hard/Pic/Prevw/28.pic";
    }
    void missingPreviewIsNamed()
    {
        QFETCH(int, missing);
        QFETCH(QString, clicks);
        QFETCH(QString, file);
        m_tree->removePreview(missing);
        MenuWindow menu(*m_data, m_desktop);
        QSignalSpy unreadable(&menu, &MenuWindow::pictureUnreadable);
        const QString problem = menu.load();
        if (missing == 1) {
            QVERIFY2(problem.contains(file), qPrintable(problem));
            return;
        }
        QCOMPARE(problem, QString());
        step(&menu, clicks);
        QCOMPARE(unreadable.count(), 1);
        const QString reported = unreadable.first().first().toString();
        QVERIFY2(reported.contains(file), qPrintable(reported));
    }

    // The player's own pictures follow 28 in the order a file manager shows their names, on
    // the board of their shape; Ctrl+O and the control add copies (the original untouched),
    // and Delete asks before it removes a copy (a drop: the X11 end-to-end run).
    void ownPictures()
    {
        QTemporaryDir folder, elsewhere;
        const auto put = [](const QString &path, QSize size) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(Qt::darkGreen);
            return testing::writeFile(path, testing::encodedPicture(image, "PNG"));
        };
        for (const char *name : {"10.png", ".hidden.png", "notes.txt"})
            QVERIFY(put(folder.filePath(QLatin1String(name)), {40, 30}));
        QVERIFY(put(folder.filePath(QStringLiteral("2.png")), {30, 40}));
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder.png")));
        QVERIFY(QFile::link(QStringLiteral("/nowhere"), folder.filePath(QStringLiteral("x.png"))));
        MenuWindow menu(*m_data, m_desktop, platform::PlayerPictures(folder.path()));
        QCOMPARE(menu.load(), QString());
        const auto shown = [&menu] {
            auto *frame = element<Picture>(&menu, "ImgVertical");
            return QStringList{frame->accessibleName(),
                               element<Label>(&menu, "LbDificultad")->caption()};
        };
        step(&menu, QStringLiteral("<"));
        QCOMPARE(shown(), (QStringList{"Picture 30 of 30: 10.png", "Normal"}));
        step(&menu, QStringLiteral("<"));
        QCOMPARE(shown(), (QStringList{"Picture 29 of 30: 2.png", "Hard"}));
        step(&menu, QStringLiteral(">>"));
        QCOMPARE(menu.picture(), 1);

        const QString original = elsewhere.filePath(QStringLiteral("2.png"));
        QVERIFY(put(original, {50, 30}));
        m_desktop.chosen = {original};
        QTest::keyClick(&menu, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(shown(), (QStringList{"Picture 29 of 31: 2 (2).png", "Normal"}));
        click(&menu, "ImgAddPicture");
        QVERIFY2(shown().first().endsWith(u"of 32: 2 (3).png"), qPrintable(shown().first()));
        const int at = menu.picture();
        QAccessible::queryAccessibleInterface(element(&menu, "ImgVertical"))
            ->actionInterface()
            ->doAction(QStringLiteral("Remove picture"));
        QTRY_COMPARE(m_desktop.questions.size(), 1);
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("2 (3).png"))));
        QCOMPARE(menu.picture(), at); // the next now has its number
        QCOMPARE(menu.order().count(), 31);
        QVERIFY2(QFile::exists(original) && m_desktop.told.isEmpty(), "nothing else touched");
    }

    // The menu's pictures are compiled in a block of their own, so that starting the game
    // brings no other window's pictures into memory. Last of these tests, it also sees what
    // every test above made the menu read: hovering, stepping, the links.
    void readsOnlyItsOwnPictures()
    {
        MenuWindow menu(*m_data, m_desktop);
        QCOMPARE(menu.load(), QString());
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
        const QStringList own = QStringLiteral(PUZZLE_MENU_ART).split(QLatin1Char(','));
        const QStringList read = resources::picturesRead();
        QVERIFY(read.contains(resources::name::menuPanel));
        for (const QString &name : read)
            QVERIFY2(own.contains(name),
                     qPrintable(name + QStringLiteral(" is read by the menu but compiled apart")));
    }
};

QTEST_MAIN(TestMenuWindow)
#include "tst_menu_window.moc"
