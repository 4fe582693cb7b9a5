#include "platform/data_tree.h"
#include "platform/pictures.h"
#include "tests/support/doubles.h"

#include <QFileInfo>
#include <QImageReader>
#include <QStringList>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{

// Tiles and pictures are compared as small thumbnails: at this size JPEG noise and the
// painter's grain average out, while the shapes and colours a player steers by remain.
constexpr int tileThumb = 24;
constexpr int pictureThumb = 16;

// Mean absolute difference per colour channel, 0 ..= 255, of two images of one size.
double meanDifference(const QImage &a, const QImage &b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *la = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *lb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qRed(la[x]) - qRed(lb[x])) + std::abs(qGreen(la[x]) - qGreen(lb[x])) +
                   std::abs(qBlue(la[x]) - qBlue(lb[x]));
    }
    return sum / (3.0 * a.width() * a.height());
}

// Luminance on 0 ..= 255 with the broadcast weights, the brightness a player sees.
double luminance(QRgb c)
{
    return 0.299 * qRed(c) + 0.587 * qGreen(c) + 0.114 * qBlue(c);
}

// Standard deviation of the luminance over every pixel: how much is going on inside a tile.
double luminanceSpread(const QImage &image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    double sum = 0, squares = 0;
    const double n = double(rgb.width()) * rgb.height();
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            const double v = luminance(line[x]);
            sum += v;
            squares += v * v;
        }
    }
    const double mean = sum / n;
    return std::sqrt(std::max(0.0, squares / n - mean * mean));
}

QImage thumbnail(const QImage &image, int size)
{
    return image.convertToFormat(QImage::Format_RGB32)
        .scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

class TestPictures : public QObject
{
    Q_OBJECT
    const platform::DataTree m_tree{testing::builtProgramDir()};

private Q_SLOTS:

    // Every picture file the menu and the game can ask for exists, reads whatever its
    // extension says, has its level's orientation and is large enough to stay sharp on a
    // screen with twice the pixels.
    void everyFileReads_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<QSize>("element"); // the element's size in pixels (twips / 15)
        for (int n = 1; n <= 28; ++n) {
            const bool normal = n <= 9;
            QTest::addRow("menu preview %d", n)
                << m_tree.menuPreview(n) << normal
                << (normal ? QSize(3015 / 15, 2235 / 15) : QSize(1965 / 15, 2595 / 15));
            QTest::addRow("game preview %d", n)
                << m_tree.gamePreview(n) << normal
                << (normal ? QSize(3660 / 15, 2700 / 15) : QSize(2820 / 15, 3780 / 15));
            // The big picture's cells each fill a tile: 97 x 97 on the 4 x 3 board, 103 x 81
            // on the 3 x 5 board.
            QTest::addRow("big picture %d", n)
                << m_tree.bigPicture(n) << normal
                << (normal ? QSize(4 * 97, 3 * 97) : QSize(3 * 103, 5 * 81));
        }
    }
    void everyFileReads()
    {
        QFETCH(QString, path);
        QFETCH(bool, normal);
        QFETCH(QSize, element);
        QString why;
        const QImage image = platform::readPicture(path, &why);
        QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(": ") + why));
        const QByteArray format = QImageReader::imageFormat(path);
        QVERIFY2(format == "jpeg" || format == "png", format.constData());
        const double aspect = double(image.width()) / image.height();
        if (normal)
            QVERIFY2(aspect > 1.25 && aspect < 1.45, qPrintable(QString::number(aspect)));
        else
            QVERIFY2(aspect > 0.7 && aspect < 0.82, qPrintable(QString::number(aspect)));
        QVERIFY2(image.width() >= 2 * element.width() && image.height() >= 2 * element.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(image.width()).arg(image.height())));
    }

    // The help page spells its folder "data", every other path "Data": both must reach the
    // one folder on a file system that tells letter cases apart.
    void bothSpellingsReachOneFile_data()
    {
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("respelled");
        QTest::newRow("Data and data")
            << QStringLiteral("\\Data\\Images\\All\\Level\\Easy\\Pic\\Shw\\1.pic")
            << QStringLiteral("\\data\\Images\\All\\Level\\Easy\\Pic\\Shw\\1.pic");
        QTest::newRow("every folder in another case")
            << QStringLiteral("\\Data\\Images\\All\\Level\\Hard\\Pic\\Big\\28.pic")
            << QStringLiteral("\\DATA\\images\\ALL\\level\\hard\\PIC\\big\\28.PIC");
        QTest::newRow("menu preview in lower case")
            << QStringLiteral("\\Data\\Images\\All\\Level\\Hard\\Pic\\Prevw\\10.pic")
            << QStringLiteral("\\data\\images\\all\\level\\hard\\pic\\prevw\\10.pic");
    }
    void bothSpellingsReachOneFile()
    {
        QFETCH(QString, written);
        QFETCH(QString, respelled);
        const QFileInfo a(m_tree.path(written));
        const QFileInfo b(m_tree.path(respelled));
        QVERIFY2(a.isFile(), qPrintable(a.filePath()));
        QVERIFY2(b.isFile(), qPrintable(b.filePath()));
        QCOMPARE(b.canonicalFilePath(), a.canonicalFilePath());
    }

    // A player can only solve a picture whose pieces tell apart: cut like the game cuts it
    // (the blank's cell too, since the won board shows it), no tile may be nearly flat and
    // no two tiles may look alike. Every failing tile of the picture is named at once, so
    // the painter sees the whole list in one run.
    void tilesDiffer_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= 28; ++n)
            QTest::addRow("picture %d", n) << n;
    }
    void tilesDiffer()
    {
        QFETCH(int, n);
        const bool normal = n <= 9;
        const int columns = normal ? 4 : 3;
        const platform::LoadedPicture big = platform::loadPicture(m_tree.bigPicture(n));
        QVERIFY2(big.ok(), qPrintable(big.problem));
        const QList<QPixmap> cells = platform::cutIntoCells(big.pixmap, columns, normal ? 3 : 5);
        QCOMPARE(int(cells.size()), normal ? 12 : 15);
        const auto where = [columns](int k) {
            return QStringLiteral("(%1, %2)").arg(k % columns).arg(k / columns);
        };
        QStringList failures;
        std::vector<QImage> thumbs;
        for (int k = 0; k < int(cells.size()); ++k) {
            const QImage tile = cells[k].toImage();
            // The plainest tiles the painter ever made (open sky with a wisp of cloud, a bare
            // night hillside, plain sand) spread 9 to 12 levels and left the player guessing;
            // 12 asks for a shape, an edge or shading to steer by.
            const double spread = luminanceSpread(tile);
            if (spread < 12.0)
                failures << QStringLiteral("tile %1 is nearly flat: luminance spread %2 < 12")
                                .arg(where(k))
                                .arg(spread, 0, 'f', 2);
            thumbs.push_back(thumbnail(tile, tileThumb));
        }
        // The same content read twice differs by 1 or 2 levels (JPEG, grain), and two tiles of
        // one smooth sky gradient, side by side, by 3 to 8; 10 levels on average (4 % of the
        // range) asks for shapes or colours of each tile's own.
        for (size_t a = 0; a < thumbs.size(); ++a)
            for (size_t b = a + 1; b < thumbs.size(); ++b) {
                const double d = meanDifference(thumbs[a], thumbs[b]);
                if (d < 10.0)
                    failures << QStringLiteral(
                                    "tiles %1 and %2 look alike: mean channel difference %3 < 10")
                                    .arg(where(int(a)), where(int(b)))
                                    .arg(d, 0, 'f', 2);
            }
        QVERIFY2(failures.isEmpty(), qPrintable(QStringLiteral("picture %1: ").arg(n) +
                                                failures.join(QStringLiteral("; "))));
    }

    // The 28 pictures are told apart at a glance in the menu: no picture may look like
    // another even as a tiny thumbnail.
    void picturesDiffer_data()
    {
        QTest::addColumn<int>("n");
        for (int n = 1; n <= 28; ++n)
            QTest::addRow("picture %d", n) << n;
    }
    void picturesDiffer()
    {
        QFETCH(int, n);
        const auto thumbOf = [this](int k) {
            return thumbnail(platform::readPicture(m_tree.gamePreview(k)), pictureThumb);
        };
        const QImage mine = thumbOf(n);
        for (int other = 1; other <= 28; ++other) {
            if (other == n)
                continue;
            const double d = meanDifference(mine, thumbOf(other));
            QVERIFY2(d >= 20.0,
                     qPrintable(QStringLiteral("looks like picture %1 (%2)").arg(other).arg(d)));
        }
    }
};

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
