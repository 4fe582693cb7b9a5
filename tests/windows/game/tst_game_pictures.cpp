// The pictures of a game: read from the data tree as Play reads them, cut into the board's
// cells, and shown by the game window's tiles, each its own cell, the blank tile the last.
#include "tests/support/doubles.h"
#include "tests/support/program_tree.h"
#include "windows/game/game_pictures.h"
#include "windows/game/game_window.h"

#include "platform/elements.h"

#include <QDir>
#include <QImage>
#include <QPainter>
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

bool writePicture(const QString &root, const QString &levelWord, const QString &kind, int n,
                  const QImage &image)
{
    const QString dir = root + QStringLiteral("/Data/Images/All/Level/") + levelWord +
                        QStringLiteral("/Pic/") + kind;
    // PNG data under the game's own extension: the loader goes by content.
    return QDir().mkpath(dir) &&
           image.save(dir + u'/' + QString::number(n) + QStringLiteral(".pic"), "PNG");
}

QColor centreColour(QWidget *w)
{
    const QImage shot = w->grab().toImage();
    return shot.pixelColor(shot.width() / 2, shot.height() / 2);
}

} // namespace

class TestGamePictures : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    testing::FakeClock m_clock;
    testing::ScriptedRandom m_random;
    testing::RecordingMusic m_music;
    testing::FakeDesktop m_desktop;
    testing::HeldSolver m_solver;

private Q_SLOTS:
    void initTestCase()
    {
        QImage preview(120, 90, QImage::Format_RGB32);
        preview.fill(kPreviewColour);
        const QImage normal = bigPicture(4, 3, QSize(100, 100), QSize());
        // Sides that are not multiples of the counts: the leftover edge goes unused.
        const QImage hard = bigPicture(3, 5, QSize(103, 81), QSize(2, 4));
        for (int n : {1, 5, 6})
            QVERIFY(writePicture(m_dir.path(), QStringLiteral("Easy"), QStringLiteral("Shw"), n,
                                 preview));
        QVERIFY(
            writePicture(m_dir.path(), QStringLiteral("Easy"), QStringLiteral("Big"), 1, normal));
        // Twice the board's size, as the game's own pictures are: read at the tiles' size.
        const QImage large = bigPicture(4, 3, QSize(200, 200), QSize());
        QVERIFY(
            writePicture(m_dir.path(), QStringLiteral("Easy"), QStringLiteral("Big"), 6, large));
        QVERIFY(
            writePicture(m_dir.path(), QStringLiteral("Hard"), QStringLiteral("Shw"), 28, preview));
        QVERIFY(
            writePicture(m_dir.path(), QStringLiteral("Hard"), QStringLiteral("Big"), 28, hard));
    }

    // Either level: every tile shows its own cell of the big picture (corners too: no tile
    // shows the unused edge), the blank tile the last one, and the preview the whole picture.
    void tilesShowTheirCells_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("prefix");
        QTest::addColumn<int>("cells");
        QTest::newRow("picture 1, Normal") << 1 << "ImE" << 12;
        QTest::newRow("picture 6, Normal, larger than shown") << 6 << "ImE" << 12;
        QTest::newRow("picture 28, Hard") << 28 << "ImG" << 15;
    }
    void tilesShowTheirCells()
    {
        QFETCH(int, picture);
        QFETCH(QString, prefix);
        QFETCH(int, cells);
        const platform::DataTree tree(m_dir.path());
        const windows::GamePictures pictures = windows::loadGamePictures(tree, picture);
        QVERIFY2(pictures.ok(), qPrintable(pictures.problem));
        QCOMPARE(pictures.cells.size(), cells);
        windows::GameWindow window(picture, pictures,
                                   {m_clock, m_random, m_music, m_desktop, m_solver});
        for (int k = 1; k <= cells; ++k) {
            const QString name = prefix + (k == cells ? QStringLiteral("No") : QString::number(k));
            auto *tile = window.findChild<platform::Picture *>(name);
            QVERIFY2(tile, qPrintable(name));
            QVERIFY2(centreColour(tile) == cellColour(k - 1),
                     qPrintable(name + " shows " + centreColour(tile).name() + " instead of " +
                                cellColour(k - 1).name()));
            const QImage shot = tile->grab().toImage();
            QCOMPARE(shot.pixelColor(shot.width() - 1, shot.height() - 1), cellColour(k - 1));
        }
        auto *preview = window.findChild<platform::Picture *>(prefix + QStringLiteral("Prev"));
        QVERIFY(preview);
        QCOMPARE(centreColour(preview), kPreviewColour);
    }

    // A picture of the player's own, whatever its shape or size: upright as the camera meant
    // it, its centre at the board's proportions, scaled to fill the preview and every tile
    // exactly, transparency over white; its shape as it stands decides the board.
    void ownPictureIsPrepared_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("hard");
        QTest::addColumn<QPointF>("at"); // where in the whole picture, as fractions
        QTest::addColumn<QColor>("colour");
        QImage upright(300, 400, QImage::Format_RGB32); // red above, blue below
        upright.fill(Qt::blue);
        QPainter(&upright).fillRect(0, 0, 300, 200, Qt::red);
        const QImage sideways = upright.transformed(QTransform().rotate(-90));
        QTest::newRow("a phone's photo stored sideways (EXIF 6) stands upright on Hard")
            << testing::encodedPicture(sideways, "JPEG", 6) << true << QPointF(0.5, 0.2)
            << QColor(Qt::red);
        QImage wide(900, 300, QImage::Format_RGB32); // thirds: red, green, blue
        wide.fill(Qt::green);
        QPainter(&wide).fillRect(0, 0, 300, 300, Qt::red);
        QPainter(&wide).fillRect(600, 0, 300, 300, Qt::blue);
        QTest::newRow("a panorama shows its centre, not squashed")
            << testing::encodedPicture(wide, "PNG") << false << QPointF(0.2, 0.5)
            << QColor(Qt::green);
        QImage clear(200, 200, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QTest::newRow("transparent over white, a square on Normal")
            << testing::encodedPicture(clear, "PNG") << false << QPointF(0.5, 0.5)
            << QColor(Qt::white);
    }
    void ownPictureIsPrepared()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, hard);
        QFETCH(QPointF, at);
        QFETCH(QColor, colour);
        const QString file = m_dir.filePath(QStringLiteral("own/photo"));
        QVERIFY(testing::writeFile(file, bytes));
        const windows::GamePictures pictures = windows::loadGamePictures(file);
        QVERIFY2(pictures.ok(), qPrintable(pictures.problem));
        QCOMPARE(pictures.level, hard ? core::Level::Hard : core::Level::Normal);
        const QImage whole = pictures.whole.toImage();
        QCOMPARE(whole.size(), hard ? QSize(188, 252) : QSize(244, 180));
        const QColor seen =
            whole.pixelColor(int(at.x() * whole.width()), int(at.y() * whole.height()));
        QCOMPARE(QColor(seen.red() & 0x80 ? 255 : 0, seen.green() & 0x80 ? 255 : 0,
                        seen.blue() & 0x80 ? 255 : 0),
                 colour);
        QCOMPARE(pictures.cells.size(), hard ? 15 : 12);
        QCOMPARE(pictures.cells.first().size(), hard ? QSize(103, 81) : QSize(97, 97));
    }

    // A picture that cannot be read stops the loading and is named in the problem: the
    // whole picture first, then the big one.
    void unreadablePictureIsNamed_data()
    {
        QTest::addColumn<int>("picture");
        QTest::addColumn<QString>("named");
        QTest::newRow("big picture missing") << 5 << "Easy/Pic/Big/5.pic";
        QTest::newRow("whole picture missing") << 9 << "Easy/Pic/Shw/9.pic";
    }
    void unreadablePictureIsNamed()
    {
        QFETCH(int, picture);
        QFETCH(QString, named);
        const windows::GamePictures pictures =
            windows::loadGamePictures(platform::DataTree(m_dir.path()), picture);
        QVERIFY(!pictures.ok());
        QVERIFY2(pictures.problem.contains(named), qPrintable(pictures.problem));
        QVERIFY(pictures.cells.isEmpty());
    }
};

QTEST_MAIN(TestGamePictures)
#include "tst_game_pictures.moc"
