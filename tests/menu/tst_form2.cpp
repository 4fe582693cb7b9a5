// The menu window: picture choice with its level, hover colours, the actions, the links.
#include "menu/data_tree.h"
#include "menu/form2.h"
#include "menu/menu_window.h"
#include "platform/elements.h"
#include "platform/help_window.h"
#include "platform/web_link.h"
#include "tests/menu/program_tree.h"
#include "tests/support/fake_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using menu::Form2;
using platform::Label;
using platform::Picture;

namespace
{

void hover(QWidget *element)
{
    const QPointF at(element->width() / 2.0, element->height() / 2.0);
    QMouseEvent move(QEvent::MouseMove, at, element->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(element, &move);
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void closeStrayWindows()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    flushDeletes();
    for (QWidget *w : QApplication::topLevelWidgets())
        delete w;
}

QList<Form2 *> openMenus()
{
    QList<Form2 *> menus;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<Form2 *>(w))
            menus << m;
    return menus;
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT
public Q_SLOTS:
    void openUrl(const QUrl &url) { m_opened << url.toString(); }

private Q_SLOTS:
    void init();
    void cleanup();
    void startsAtPictureOneNormalWithMenuMusic();
    void windowIsBorderlessCentredAndShaped();
    void arrowsStepThroughThePicturesAndLevels_data();
    void arrowsStepThroughThePicturesAndLevels();
    void upperElementTakesTheMouse_data();
    void upperElementTakesTheMouse();
    void hoverHighlightsTheActionOfTheIcon_data();
    void hoverHighlightsTheActionOfTheIcon();
    void clicksOnTheWordsDoNothing_data();
    void clicksOnTheWordsDoNothing();
    void playHandsThePictureToTheGame_data();
    void playHandsThePictureToTheGame();
    void helpOpensModallyAndCloses();
    void exitStopsTheMusicAndClosesTheMenu();
    void linksOpenTheirFanSite_data();
    void linksOpenTheirFanSite();
    void missingPreviewEndsWithTheReport_data();
    void missingPreviewEndsWithTheReport();
    void anewMenuStartsAtPictureOne();

private:
    testing::ProgramTree *m_tree = nullptr;
    testing::Fakes *m_fakes = nullptr;
    QStringList m_opened;
};

void TestForm2::init()
{
    m_tree = new testing::ProgramTree;
    m_fakes = &testing::installFakes(m_tree->dir());
    m_opened.clear();
}

void TestForm2::cleanup()
{
    closeStrayWindows();
    delete m_tree;
    m_tree = nullptr;
}

// The first sight of the game: picture 1, "Normal", the landscape frame, the menu music.
void TestForm2::startsAtPictureOneNormalWithMenuMusic()
{
    Form2 form;
    QVERIFY(form.load());
    QCOMPARE(form.LbCual->caption(), QStringLiteral("1"));
    QVERIFY(form.LbCual->isHidden());
    QCOMPARE(form.LbDificultad->caption(), QStringLiteral("Normal"));
    QVERIFY(!form.ImgHorizontal->isHidden());
    QCOMPARE(testing::centreColour(form.ImgHorizontal->picture()), testing::previewColour(1));
    QVERIFY2(!form.ImgVertical->isHidden() && form.ImgVertical->picture().isNull(),
             "the portrait frame is visible and empty at design");
    for (Label *l : {form.LbPlay, form.LbHelp, form.LbExit})
        QCOMPARE(l->foreColor(), Form2::actionColour());
    QCOMPARE(form.Label3->caption(), QStringLiteral("Select a picture :"));
    QCOMPARE(form.Label6->caption(), QStringLiteral("Difficulty :   "));
    QCOMPARE(form.Label3->foreColor(), QColor(255, 255, 0));
    QCOMPARE(form.LbDificultad->foreColor(), QColor(0, 255, 0));
    QVERIFY(form.LbPlay->font().bold());
    QCOMPARE(form.LbPlay->font().pointSizeF(), 8.25);
    QCOMPARE(m_fakes->music->commands,
             QStringList(
                 {platform::music::openCommand(data_tree::menuMusic()), platform::music::kPlay}));
}

// The menu has no frame: it must be the skin's size, centred, and cut to the skin.
void TestForm2::windowIsBorderlessCentredAndShaped()
{
    menu::showMenuWindow();
    const QList<Form2 *> menus = openMenus();
    QCOMPARE(menus.size(), 1);
    Form2 *form = menus.first();
    QVERIFY(!form->isHidden());
    QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(form->size(), QSize(364, 271));
    QCOMPARE(form->windowTitle(), QStringLiteral("Zantho Games - Puzzle +1"));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2((form->frameGeometry().center() - screen.center()).manhattanLength() <= 2,
             "the menu opens centred");
    QVERIFY2(!form->mask().isEmpty(), "the menu is shaped to its skin");
    QVERIFY(!form->mask().contains(QPoint(0, 0)));
}

void TestForm2::arrowsStepThroughThePicturesAndLevels_data()
{
    QTest::addColumn<QString>("clicks"); // '<' previous, '>' next
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

// The number decides the level and the frame; the arrows wrap round in both directions.
void TestForm2::arrowsStepThroughThePicturesAndLevels()
{
    QFETCH(QString, clicks);
    QFETCH(int, picture);
    QFETCH(QString, level);
    Form2 form;
    QVERIFY(form.load());
    for (const QChar c : clicks)
        QTest::mouseClick(c == QLatin1Char('<') ? form.Image5 : form.Image6, Qt::LeftButton);

    QCOMPARE(form.LbCual->caption(), QString::number(picture));
    QCOMPARE(form.LbDificultad->caption(), level);
    const bool hard = level == QLatin1String("Hard");
    Picture *shown = hard ? form.ImgVertical : form.ImgHorizontal;
    Picture *other = hard ? form.ImgHorizontal : form.ImgVertical;
    QVERIFY(!shown->isHidden());
    QVERIFY(other->isHidden());
    QCOMPARE(testing::centreColour(shown->picture()), testing::previewColour(picture));
    if (hard) {
        QVERIFY2(!other->picture().isNull(), "the hidden frame keeps its last picture");
    }
    QVERIFY(m_fakes->fatalErrors.isEmpty());
}

void TestForm2::upperElementTakesTheMouse_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("element");
    QTest::newRow("top of the word Play lies under the Play icon") << QPoint(302, 80) << "Image2";
    QTest::newRow("bottom of the word Play") << QPoint(302, 88) << "LbPlay";
    QTest::newRow("the word Help covers the bottom of its icon") << QPoint(304, 135) << "LbHelp";
    QTest::newRow("the Help icon above its word") << QPoint(304, 110) << "Image4";
    QTest::newRow("the word Exit") << QPoint(304, 192) << "LbExit";
    QTest::newRow("link strip over its bar") << QPoint(60, 260) << "Label1";
    QTest::newRow("second link strip") << QPoint(280, 260) << "Label2";
    QTest::newRow("bar outside its link strip") << QPoint(60, 252) << "Image8";
    QTest::newRow("the title strip") << QPoint(180, 10) << "Image3";
    QTest::newRow("the title over the panel") << QPoint(40, 28) << "Label3";
    QTest::newRow("the panel") << QPoint(250, 210) << "Image1";
}

// Where elements overlap, the upper one takes the click, as the design stacks them.
void TestForm2::upperElementTakesTheMouse()
{
    QFETCH(QPoint, point);
    QFETCH(QString, element);
    Form2 form;
    QVERIFY(form.load());
    QWidget *hit = form.childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), element);
}

void TestForm2::hoverHighlightsTheActionOfTheIcon_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("highlighted"); // empty: none
    QTest::newRow("Play icon") << QStringList{"Image2"} << "LbPlay";
    QTest::newRow("Play icon, then down onto the word Play")
        << QStringList{"Image2", "LbPlay"} << "LbPlay";
    QTest::newRow("on over the panel resets") << QStringList{"Image2", "LbPlay", "Image1"} << "";
    QTest::newRow("Help icon") << QStringList{"Image4"} << "LbHelp";
    QTest::newRow("Exit icon, then the arrows and level keep it")
        << QStringList{"Image7", "Image5", "Image6", "LbDificultad", "Image3"} << "LbExit";
    QTest::newRow("from Exit to Play moves the highlight")
        << QStringList{"Image7", "Image2"} << "LbPlay";
    QTest::newRow("the bare preview frame keeps it")
        << QStringList{"Image4", "ImgHorizontal"} << "LbHelp";
}

// A highlight stays until the mouse crosses the panel or another icon.
void TestForm2::hoverHighlightsTheActionOfTheIcon()
{
    QFETCH(QStringList, path);
    QFETCH(QString, highlighted);
    Form2 form;
    QVERIFY(form.load());
    for (const QString &name : path) {
        auto *w = form.findChild<QWidget *>(name);
        QVERIFY2(w, qPrintable(name));
        hover(w);
    }
    for (Label *l : {form.LbPlay, form.LbHelp, form.LbExit}) {
        const QColor expected =
            l->objectName() == highlighted ? Form2::highlight() : Form2::actionColour();
        QVERIFY2(l->foreColor() == expected, qPrintable(l->objectName()));
    }
}

void TestForm2::clicksOnTheWordsDoNothing_data()
{
    QTest::addColumn<QString>("word");
    QTest::newRow("Play") << "LbPlay";
    QTest::newRow("Help") << "LbHelp";
    QTest::newRow("Exit") << "LbExit";
}

// Only the icons act; the words beneath them are captions.
void TestForm2::clicksOnTheWordsDoNothing()
{
    QFETCH(QString, word);
    menu::showMenuWindow();
    QPointer<Form2> form = openMenus().value(0);
    QVERIFY(form);
    const QStringList music = m_fakes->music->commands;
    // A modal window that should not have opened is closed again, so the test cannot hang.
    QTimer::singleShot(50, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    QTest::mouseClick(form->findChild<QWidget *>(word), Qt::LeftButton);
    flushDeletes();

    QVERIFY(form);
    QVERIFY(!form->isHidden());
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    QCOMPARE(m_fakes->music->commands, music);
}

void TestForm2::playHandsThePictureToTheGame_data()
{
    QTest::addColumn<int>("previousClicks");
    QTest::addColumn<QString>("previewShown");
    QTest::newRow("picture 1, Normal") << 0 << QStringLiteral("ImEPrev");
    QTest::newRow("picture 28, Hard") << 1 << QStringLiteral("ImGPrev");
}

// Play takes the chosen picture and its level into a game window and closes the menu.
void TestForm2::playHandsThePictureToTheGame()
{
    QFETCH(int, previousClicks);
    QFETCH(QString, previewShown);
    m_fakes = &testing::installFakes(); // the game needs the whole built data tree
    menu::showMenuWindow();
    QPointer<Form2> form = openMenus().value(0);
    QVERIFY(form);
    for (int i = 0; i < previousClicks; ++i)
        QTest::mouseClick(form->Image5, Qt::LeftButton);
    QTest::mouseClick(form->Image2, Qt::LeftButton);
    flushDeletes();

    QVERIFY2(!form, "Play closes the menu window");
    QWidget *game = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form1") && !w->isHidden())
            game = w;
    QVERIFY2(game, "a game window is shown");
    auto *preview = game->findChild<QWidget *>(previewShown);
    QVERIFY(preview && !preview->isHidden());
    QVERIFY(m_fakes->fatalErrors.isEmpty());
    QCOMPARE(m_fakes->music->commands.last(), platform::music::kPlay);
    QVERIFY(
        m_fakes->music->commands.contains(platform::music::openCommand(data_tree::gameMusic())));
}

// The help window opens over the menu, which waits beneath it until "Close".
void TestForm2::helpOpensModallyAndCloses()
{
    m_tree->writeHelpPage(QStringLiteral("<p>Slide the tiles home.</p>"));
    menu::showMenuWindow();
    QPointer<Form2> form = openMenus().value(0);
    QVERIFY(form);
    QPointer<platform::Form3> help;
    QString page;
    bool menuBlocked = false;
    QTimer::singleShot(0, [&] {
        help = qobject_cast<platform::Form3 *>(QApplication::activeModalWidget());
        if (!help)
            return;
        page = help->WebBrowser1->toPlainText();
        menuBlocked = QApplication::activeModalWidget() != form && help->isModal();
        QTest::mouseClick(help->Label1, Qt::LeftButton);
    });
    QTimer::singleShot(2000, [] { // never hang: only reached when the help did not close
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    });
    QTest::mouseClick(form->Image4, Qt::LeftButton);
    flushDeletes();

    QVERIFY2(page.contains(QStringLiteral("Slide the tiles home.")), qPrintable(page));
    QVERIFY(menuBlocked);
    QVERIFY2(!help, "Close destroys the help window");
    QVERIFY(form && !form->isHidden());
    QCOMPARE(form->LbCual->caption(), QStringLiteral("1"));
}

// Exit: the music goes off and the menu is gone before the records window.
void TestForm2::exitStopsTheMusicAndClosesTheMenu()
{
    menu::showMenuWindow();
    QPointer<Form2> form = openMenus().value(0);
    QVERIFY(form);
    m_fakes->music->commands.clear();
    QTimer::singleShot(0, [] { // a records window shown modally is closed at once
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->hide();
    });
    QTest::mouseClick(form->Image7, Qt::LeftButton);
    flushDeletes();

    QVERIFY2(!form, "the menu window is destroyed");
    QCOMPARE(m_fakes->music->commands.mid(0, 2),
             QStringList({platform::music::kStop, platform::music::kClose}));
}

void TestForm2::linksOpenTheirFanSite_data()
{
    QTest::addColumn<QString>("strip");
    QTest::addColumn<QString>("url");
    QTest::newRow("first link strip") << "Label1" << platform::kFirstFanSite;
    QTest::newRow("second link strip") << "Label2" << platform::kSecondFanSite;
}

// Each strip hands its own site to the browser; the addresses belong to no real site.
void TestForm2::linksOpenTheirFanSite()
{
    QFETCH(QString, strip);
    QFETCH(QString, url);
    QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "openUrl");
    Form2 form;
    QVERIFY(form.load());
    QTest::mouseClick(form.findChild<QWidget *>(strip), Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));

    QCOMPARE(m_opened, QStringList{url});
    const QString host = QUrl(url).host();
    QVERIFY2(host.endsWith(QLatin1String(".example.org")) ||
                 host.endsWith(QLatin1String(".example.net")) ||
                 host.endsWith(QLatin1String(".example.com")),
             qPrintable(host));
    QCOMPARE(platform::kFirstFanSite == platform::kSecondFanSite, false);
}

void TestForm2::missingPreviewEndsWithTheReport_data()
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

// A missing picture is reported by name, and the menu music has not started at load.
void TestForm2::missingPreviewEndsWithTheReport()
{
    QFETCH(int, missing);
    QFETCH(QString, clicks);
    QFETCH(QString, file);
    m_tree->removePreview(missing);
    menu::showMenuWindow();
    if (missing == 1) {
        QVERIFY2(openMenus().isEmpty(), "no window stays open");
        QVERIFY(m_fakes->music->commands.isEmpty());
    } else {
        Form2 *form = openMenus().value(0);
        QVERIFY(form);
        for (const QChar c : clicks)
            QTest::mouseClick(c == QLatin1Char('<') ? form->Image5 : form->Image6, Qt::LeftButton);
    }
    QCOMPARE(m_fakes->fatalErrors.size(), 1);
    QVERIFY2(m_fakes->fatalErrors.first().contains(file), qPrintable(m_fakes->fatalErrors.first()));
}

// Back from a game the player always finds a new menu at picture 1, "Normal".
void TestForm2::anewMenuStartsAtPictureOne()
{
    menu::showMenuWindow();
    Form2 *first = openMenus().value(0);
    QVERIFY(first);
    QTest::mouseClick(first->Image5, Qt::LeftButton);
    QCOMPARE(first->LbCual->caption(), QStringLiteral("28"));
    first->close();
    flushDeletes();

    menu::showMenuWindow();
    const QList<Form2 *> menus = openMenus();
    QCOMPARE(menus.size(), 1);
    QCOMPARE(menus.first()->LbCual->caption(), QStringLiteral("1"));
    QCOMPARE(menus.first()->LbDificultad->caption(), QStringLiteral("Normal"));
    QVERIFY(!menus.first()->ImgHorizontal->isHidden());
}

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
