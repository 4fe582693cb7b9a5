#include "game_window/form1.h"
#include "menu/game_setup.h"
#include "tests/support/fake_services.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

namespace
{

// Each cell of a big picture has a colour of its own, so a tile tells which cell it got.
QColor cellColour(int k)
{
    return QColor(QColor::fromHsv(k * 23, 200, 230).rgb());
}
const QColor kPreviewColour(200, 30, 160);
const QColor kNoCell(0, 0, 0);

// columns x rows cells of cellSize, plus a margin of pixels that belongs to no cell.
QImage bigPicture(int columns, int rows, QSize cellSize, QSize margin)
{
    QImage image(columns * cellSize.width() + margin.width(),
                 rows * cellSize.height() + margin.height(), QImage::Format_RGB32);
    image.fill(kNoCell);
    QPainter p(&image);
    for (int k = 0; k < columns * rows; ++k) {
        p.fillRect(
            QRect(QPoint((k % columns) * cellSize.width(), (k / columns) * cellSize.height()),
                  cellSize),
            cellColour(k));
    }
    return image;
}

bool writePicture(const QString &root, const QString &levelWord, const QString &kind,
                  const QString &n, const QImage &image)
{
    const QString dir = root + QStringLiteral("/Data/Images/All/Level/") + levelWord +
                        QStringLiteral("/Pic/") + kind;
    // PNG data under the game's own extension: the loader goes by content.
    return QDir().mkpath(dir) && image.save(dir + u'/' + n + QStringLiteral(".pic"), "PNG");
}

QColor centreColour(QWidget *w)
{
    const QImage shot = w->grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

Form1 *shownGameWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *f = qobject_cast<Form1 *>(w))
            return f;
    }
    return nullptr;
}

} // namespace

class TestGameSetup : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    testing::Fakes *m_fakes = nullptr;

private Q_SLOTS:
    void initTestCase()
    {
        QImage preview(120, 90, QImage::Format_RGB32);
        preview.fill(kPreviewColour);
        const QImage normal = bigPicture(4, 3, QSize(100, 100), QSize());
        // Sides that are not multiples of the counts: the leftover edge goes unused.
        const QImage hard = bigPicture(3, 5, QSize(103, 81), QSize(2, 4));
        for (const QString &n : {QStringLiteral("1"), QStringLiteral("5")})
            QVERIFY(writePicture(m_dir.path(), QStringLiteral("Easy"), QStringLiteral("Shw"), n,
                                 preview));
        QVERIFY(writePicture(m_dir.path(), QStringLiteral("Easy"), QStringLiteral("Big"),
                             QStringLiteral("1"), normal));
        for (const QString &n : {QStringLiteral("10"), QStringLiteral("28")}) {
            QVERIFY(writePicture(m_dir.path(), QStringLiteral("Hard"), QStringLiteral("Shw"), n,
                                 preview));
            QVERIFY(
                writePicture(m_dir.path(), QStringLiteral("Hard"), QStringLiteral("Big"), n, hard));
        }
    }

    void init() { m_fakes = &testing::installFakes(m_dir.path()); }

    void cleanup()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            delete w;
    }

    // "Play" on either level: the game music, the menu closed, and a shown window whose
    // tiles each show their own cell of the big picture, the blank tile the last one; the
    // other level stays hidden and no tile answers a click before play opens.
    void setupShowsTheSolvedPicture_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("level");
        QTest::addColumn<bool>("normal");
        QTest::newRow("picture 1, Normal") << "1"
                                           << "Normal" << true;
        QTest::newRow("picture 28, Hard") << "28"
                                          << "Hard" << false;
        QTest::newRow("a level that is not exactly Normal") << "10"
                                                            << "normal" << false;
    }
    void setupShowsTheSolvedPicture()
    {
        QFETCH(QString, number);
        QFETCH(QString, level);
        QFETCH(bool, normal);
        QPointer<QWidget> menuWindow = new QWidget;
        menuWindow->show();

        menu::setupGame(menuWindow, number, level);
        QVERIFY(m_fakes->fatalErrors.isEmpty());
        QVERIFY(menuWindow->isHidden());
        const QStringList &c = m_fakes->music->commands;
        QCOMPARE(c.size(), 4);
        QCOMPARE(c[0], QStringLiteral("STOP INTRO"));
        QCOMPARE(c[1], QStringLiteral("CLOSE INTRO"));
        QVERIFY2(c[2].startsWith(QLatin1String("OPEN ")) &&
                     c[2].endsWith(QLatin1String("ZnGame.mus TYPE SEQUENCER ALIAS INTRO")),
                 qPrintable(c[2]));
        QCOMPARE(c[3], QStringLiteral("PLAY INTRO FROM 0"));

        Form1 *f = shownGameWindow();
        QVERIFY(f);
        QVERIFY(f->isVisible());
        QCOMPARE(f->Timer2->interval(), 1000);
        QCOMPARE(f->normalActive(), normal);
        QCOMPARE(f->hardActive(), !normal);

        const QList<platform::Picture *> active = normal ? f->normalSet() : f->hardSet();
        const QList<platform::Picture *> other = normal ? f->hardSet() : f->normalSet();
        for (int k = 0; k < active.size(); ++k) {
            platform::Picture *tile = active[k];
            QVERIFY(!tile->isHidden());
            QVERIFY2(centreColour(tile) == cellColour(k),
                     qPrintable(tile->objectName() + " shows " + centreColour(tile).name() +
                                " instead of " + cellColour(k).name()));
            // Corners too: no tile shows the unused edge of the big picture.
            const QImage shot = tile->grab().toImage();
            QCOMPARE(shot.pixelColor(shot.width() - 1, shot.height() - 1), cellColour(k));
        }
        for (platform::Picture *tile : other)
            QVERIFY(tile->isHidden());
        QVERIFY((normal ? f->ImGPrev : f->ImEPrev)->isHidden());
        QCOMPARE(centreColour(normal ? f->ImEPrev : f->ImGPrev), kPreviewColour);

        // The tile beside the blank does not move before "Done".
        platform::Picture *neighbour = active[active.size() - 2];
        const float left = neighbour->left();
        QTest::mouseClick(neighbour, Qt::LeftButton);
        QCOMPARE(neighbour->left(), left);
        QCOMPARE(f->LbClicks->caption(), QStringLiteral("0"));
    }

    // A big picture that cannot be read ends the setup after the preview: the game music
    // already plays, the menu stays open and no game window is left behind.
    void missingBigPictureStopsTheSetup()
    {
        QPointer<QWidget> menuWindow = new QWidget;
        menuWindow->show();
        menu::setupGame(menuWindow, QStringLiteral("5"), QStringLiteral("Normal"));
        QCOMPARE(m_fakes->fatalErrors.size(), 1);
        QVERIFY2(m_fakes->fatalErrors[0].contains(QLatin1String("Big")),
                 qPrintable(m_fakes->fatalErrors[0]));
        QCOMPARE(m_fakes->music->commands.size(), 4);
        QVERIFY(!menuWindow->isHidden());
        QVERIFY(!shownGameWindow());
    }
};

QTEST_MAIN(TestGameSetup)
#include "tst_game_setup.moc"
