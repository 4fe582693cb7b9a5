// The help window: the page of the data tree, shaped, at its place, "Close" the only way out.
#include "platform/data_tree.h"
#include "platform/elements.h"
#include "platform/window_shape.h"
#include "resources/resources.h"
#include "tests/support/doubles.h"
#include "tests/support/program_tree.h"
#include "windows/menu/help_window.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

using windows::HelpWindow;

class TestHelpWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void standsAtItsPlaceShapedToItsSkin();
    void showsThePageAnewAtEveryOpening();
    void missingPageShowsAnEmptyPage();
    void escapeAndWindowManagerCloseClose_data();
    void escapeAndWindowManagerCloseClose();

private:
    // Opens the help window over owner; `whileOpen` runs inside it, then "Close" is clicked.
    void openAndClose(QWidget *owner, const std::function<void(HelpWindow *)> &whileOpen);
    testing::ProgramTree *m_tree = nullptr;
};

void TestHelpWindow::init()
{
    m_tree = new testing::ProgramTree;
}

void TestHelpWindow::cleanup()
{
    delete m_tree;
    m_tree = nullptr;
}

void TestHelpWindow::openAndClose(QWidget *owner,
                                  const std::function<void(HelpWindow *)> &whileOpen)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *help = qobject_cast<HelpWindow *>(QApplication::activeModalWidget());
        if (!help)
            return;
        seen = true;
        whileOpen(help);
        QTest::mouseClick(help->findChild<QWidget *>(QStringLiteral("Label1")), Qt::LeftButton);
    });
    QTimer::singleShot(3000, [] { // never hang
        if (auto *help = qobject_cast<HelpWindow *>(QApplication::activeModalWidget()))
            help->accept();
    });
    auto *help = new HelpWindow(owner, platform::DataTree(m_tree->dir()).helpPage());
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY2(seen, "the help window was shown modally");
}

// The help window opens at 25, 25 pixels from the screen's corner, cut to its skin.
void TestHelpWindow::standsAtItsPlaceShapedToItsSkin()
{
    QWidget owner;
    owner.show();
    QPoint at;
    QSize size;
    QRegion mask;
    bool frameless = false;
    QRect browser;
    openAndClose(&owner, [&](HelpWindow *help) {
        at = help->pos();
        size = help->size();
        mask = help->mask();
        frameless = help->windowFlags() & Qt::FramelessWindowHint;
        browser = help->page()->geometry();
    });
    QCOMPARE(at, owner.screen()->geometry().topLeft() + QPoint(25, 25));
    QCOMPARE(size, QSize(536, 349));
    QVERIFY(frameless);
    QCOMPARE(browser, QRect(24, 24, 489, 249));
    const QImage skin = resources::image(resources::name::helpSkin);
    QVERIFY2(!skin.isNull(), "the help skin is built in");
    QVERIFY((mask ^ platform::RegionFromPicture(skin, qRgb(255, 255, 255))).isEmpty());
}

// Each opening reads the page again, so the player always sees it from its top.
void TestHelpWindow::showsThePageAnewAtEveryOpening()
{
    QWidget owner;
    QString first, second;
    QPointer<HelpWindow> firstWindow;
    m_tree->writeHelpPage(QStringLiteral("<p>First edition</p>"));
    openAndClose(&owner, [&](HelpWindow *help) {
        firstWindow = help;
        first = help->page()->toPlainText();
    });
    QVERIFY2(!firstWindow, "Close destroys the help window");
    m_tree->writeHelpPage(QStringLiteral("<p>Second edition</p>"));
    openAndClose(&owner, [&](HelpWindow *help) { second = help->page()->toPlainText(); });
    QVERIFY2(first.contains(QStringLiteral("First edition")), qPrintable(first));
    QVERIFY2(second.contains(QStringLiteral("Second edition")), qPrintable(second));
}

// Without its page the help window still opens, with an empty page, and closes.
void TestHelpWindow::missingPageShowsAnEmptyPage()
{
    m_tree->removeHelpPage();
    QWidget owner;
    QString text = QStringLiteral("unset");
    openAndClose(&owner, [&](HelpWindow *help) { text = help->page()->toPlainText(); });
    QVERIFY2(text.trimmed().isEmpty(), qPrintable(text));
}

// Escape and the window manager's close (Alt+F4) close the help window, as "Close" does,
// and the menu beneath takes input again.
void TestHelpWindow::escapeAndWindowManagerCloseClose_data()
{
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("the window manager's close") << false;
}
void TestHelpWindow::escapeAndWindowManagerCloseClose()
{
    QFETCH(bool, escape);
    QWidget owner;
    owner.show();
    bool closed = false;
    QPointer<HelpWindow> window;
    QTimer::singleShot(0, [&] {
        window = qobject_cast<HelpWindow *>(QApplication::activeModalWidget());
        if (!window)
            return;
        if (escape)
            QTest::keyClick(window, Qt::Key_Escape);
        else
            testing::closeAsTheWindowManagerDoes(window);
        closed = !window || !window->isVisible();
        if (window && window->isVisible())
            window->accept(); // never hang
    });
    auto *help = new HelpWindow(&owner, platform::DataTree(m_tree->dir()).helpPage());
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->exec();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed);
    QVERIFY(!QApplication::activeModalWidget());
}

QTEST_MAIN(TestHelpWindow)
#include "tst_help_window.moc"
