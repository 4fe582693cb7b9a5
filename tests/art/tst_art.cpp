#include "generators/art/art_painter.h"
#include "platform/data_tree.h"
#include "resources/resources.h"
#include "tests/support/doubles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using resources::CursorKind;

namespace
{

bool isWhite(QRgb c)
{
    return (c & RGB_MASK) == 0xffffff;
}

QImage builtIn(const QString &name, bool twice)
{
    return QImage(QStringLiteral(":/puzzle/") + name + (twice ? QStringLiteral("@2x") : QString()) +
                  QStringLiteral(".png"))
        .convertToFormat(QImage::Format_ARGB32);
}

// The first kept pixel that would show as a pale halo: near white and next to a cut pixel.
QString firstFringe(const QImage &skin)
{
    for (int y = 0; y < skin.height(); ++y)
        for (int x = 0; x < skin.width(); ++x) {
            const QRgb c = skin.pixel(x, y);
            if (isWhite(c) || qRed(c) <= 200 || qGreen(c) <= 200 || qBlue(c) <= 200)
                continue;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const QPoint n(x + dx, y + dy);
                    if (skin.rect().contains(n) && isWhite(skin.pixel(n)))
                        return QStringLiteral("pale pixel at %1,%2").arg(x).arg(y);
                }
        }
    return {};
}

} // namespace

class TestArt : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { resources::init(); }

    // Every picture the windows ask for is built in at its design size and at twice that size.
    void sizes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        namespace n = resources::name;
        const QList<std::pair<QString, QSize>> rows = {
            {n::menuSkin, {364, 272}},
            {n::helpSkin, {536, 349}},
            {n::recordsSkin, {401, 304}},
            {n::menuTitle, {364, 22}},
            {n::menuPanel, {340, 227}},
            {n::linkBar1, {175, 21}},
            {n::linkBar2, {175, 21}},
            {n::gameBackground, {712, 475}},
            {n::banner, {102, 37}},
            {n::ind1, {100, 35}},
            {n::ind2, {102, 37}},
            {n::ind3, {100, 35}},
            {n::ind4, {102, 37}},
            {n::completionBackground, {372, 136}},
            {n::recordsBackground, {404, 306}},
            {n::helpStrip, {521, 97}},
            {n::iconPrevious, {34, 34}},
            {n::iconNext, {34, 34}},
            {n::iconPlay, {32, 32}},
            {n::iconHelp, {48, 48}},
            {n::iconExit, {32, 32}},
            {n::iconAddPicture, {16, 16}},
            {n::iconStop, {32, 32}},
            {n::iconBack, {32, 32}},
            {n::iconRestart, {32, 32}},
            {n::windowIcon, {64, 64}},
            {n::cursorButton, {32, 32}},
            {n::cursorBanner, {32, 32}},
            {n::cursorMenuPointer, {32, 32}},
            {n::cursorClose, {32, 32}},
        };
        for (const auto &[name, size] : rows)
            QTest::newRow(qPrintable(name)) << name << size;
    }
    void sizes()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QCOMPARE(resources::image(name).size(), size);
        QCOMPARE(builtIn(name, true).size(), size * 2);
        const QPixmap plain = resources::pixmap(name, 1.0);
        QCOMPARE(plain.size(), size);
        QCOMPARE(plain.devicePixelRatio(), 1.0);
        // On a double-density screen the sharp picture takes the same logical room.
        const QPixmap sharp = resources::pixmap(name, 2.0);
        QCOMPARE(sharp.size(), size * 2);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize(), QSizeF(size));
    }

    // Nothing is built in that the program has no name for, and nothing named is missing.
    void noStrayPictures()
    {
        const QStringList files = QDir(QStringLiteral(":/puzzle")).entryList(QDir::Files);
        QCOMPARE(files.size(), 2 * art::names().size());
        for (const QString &name : art::names()) {
            QVERIFY2(files.contains(name + QStringLiteral(".png")), qPrintable(name));
            QVERIFY2(files.contains(name + QStringLiteral("@2x.png")), qPrintable(name));
        }
    }

    // The built-in pictures are exactly what the drawing code makes, every time it runs.
    void builtPicturesAreTheDrawings()
    {
        for (const QString &name : art::names()) {
            const QImage drawn = art::render(name, 1).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(drawn == builtIn(name, false), qPrintable(name));
            QVERIFY2(drawn == art::render(name, 1).convertToFormat(QImage::Format_ARGB32),
                     qPrintable(name));
        }
    }

    void skins_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<bool>("whiteAllRound"); // the menu's bars run to the picture's edges
        for (const bool twice : {false, true}) {
            const char *suffix = twice ? " @2x" : "";
            QTest::addRow("menu%s", suffix) << resources::name::menuSkin << twice << false;
            QTest::addRow("help%s", suffix) << resources::name::helpSkin << twice << true;
            QTest::addRow("records%s", suffix) << resources::name::recordsSkin << twice << true;
        }
    }
    // Only pure white is cut away, so a pale edge would stay as a halo round the window.
    void skins()
    {
        QFETCH(QString, name);
        QFETCH(bool, twice);
        QFETCH(bool, whiteAllRound);
        const QImage skin = builtIn(name, twice);
        QVERIFY(!skin.isNull());
        const int w = skin.width(), h = skin.height();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            QVERIFY2(isWhite(skin.pixel(corner)), "corner not cut away");
        QVERIFY2(!isWhite(skin.pixel(w / 2, h / 2)), "the middle is cut away");
        if (whiteAllRound) {
            for (int x = 0; x < w; ++x)
                QVERIFY(isWhite(skin.pixel(x, 0)) && isWhite(skin.pixel(x, h - 1)));
            for (int y = 0; y < h; ++y)
                QVERIFY(isWhite(skin.pixel(0, y)) && isWhite(skin.pixel(w - 1, y)));
        }
        const QString fringe = firstFringe(skin);
        QVERIFY2(fringe.isEmpty(), qPrintable(fringe));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                QVERIFY(qAlpha(skin.pixel(x, y)) == 255);
    }

    void doubledShape_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("menu") << resources::name::menuSkin;
        QTest::newRow("help") << resources::name::helpSkin;
        QTest::newRow("records") << resources::name::recordsSkin;
    }
    // The window's shape is cut from the 1x skin; the 2x drawing must fill exactly that shape.
    void doubledShape()
    {
        QFETCH(QString, name);
        const QImage one = builtIn(name, false);
        const QImage two = builtIn(name, true);
        for (int y = 0; y < two.height(); ++y)
            for (int x = 0; x < two.width(); ++x)
                if (isWhite(two.pixel(x, y)) != isWhite(one.pixel(x / 2, y / 2)))
                    QFAIL(qPrintable(
                        QStringLiteral("2x pixel %1,%2 differs from its 1x pixel").arg(x).arg(y)));
        QCOMPARE(art::skinShape(name).size(), one.size());
    }

    // The banner's own picture looks like the second fan site's first picture.
    void bannerLooksLikeInd2()
    {
        QCOMPARE(resources::image(resources::name::banner),
                 resources::image(resources::name::ind2));
        QVERIFY(resources::image(resources::name::ind1) != resources::image(resources::name::ind3));
        QVERIFY(resources::image(resources::name::ind2) != resources::image(resources::name::ind4));
    }

    // A picture a window still shows stays the same picture object; one that nothing shows
    // any more is let go, and read anew when asked again.
    void unusedPicturesAreLetGo()
    {
        const qint64 shownKey = resources::pixmap(resources::name::banner, 1).cacheKey();
        const QPixmap shown = resources::pixmap(resources::name::banner, 1);
        QCOMPARE(shown.cacheKey(), shownKey);
        const qint64 goneKey = resources::pixmap(resources::name::gameBackground, 1).cacheKey();
        const QImage shape = resources::image(resources::name::menuSkin);
        const qint64 shapeKey = shape.cacheKey();
        const qint64 goneShapeKey = resources::image(resources::name::helpSkin).cacheKey();

        resources::releaseUnused();
        QCOMPARE(resources::pixmap(resources::name::banner, 1).cacheKey(), shownKey);
        QCOMPARE(resources::image(resources::name::menuSkin).cacheKey(), shapeKey);
        const QPixmap again = resources::pixmap(resources::name::gameBackground, 1);
        QVERIFY(!again.isNull());
        QVERIFY(again.cacheKey() != goneKey);
        QVERIFY(resources::image(resources::name::helpSkin).cacheKey() != goneShapeKey);
    }

    void cursors_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("Button") << int(CursorKind::Button);
        QTest::newRow("Banner") << int(CursorKind::Banner);
        QTest::newRow("MenuPointer") << int(CursorKind::MenuPointer);
        QTest::newRow("Close") << int(CursorKind::Close);
    }
    // Each custom cursor is a picture of its own whose hot spot lies on what it points with.
    void cursors()
    {
        QFETCH(int, kind);
        const auto k = CursorKind(kind);
        const QCursor c = resources::cursor(k);
        QCOMPARE(c.shape(), Qt::BitmapCursor);
        QVERIFY(!c.pixmap().isNull());
        QCOMPARE(c.hotSpot(), resources::cursorHotSpot(k));
        const QImage picture = resources::image(resources::cursorName(k));
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY2(qAlpha(picture.pixel(31, 0)) == 0, "the background is not transparent");
        const QPoint hot = resources::cursorHotSpot(k);
        int opaqueNear = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (picture.rect().contains(hot + QPoint(dx, dy)) &&
                    qAlpha(picture.pixel(hot + QPoint(dx, dy))) > 128)
                    ++opaqueNear;
        QVERIFY2(opaqueNear > 0, "the hot spot is off the pointer");
        QVERIFY(resources::cursor(k).pixmap().cacheKey() == c.pixmap().cacheKey());
    }
    void cursorsDiffer()
    {
        QSet<QString> seen;
        for (const CursorKind k :
             {CursorKind::Button, CursorKind::Banner, CursorKind::MenuPointer, CursorKind::Close}) {
            const QImage picture = resources::image(resources::cursorName(k));
            QByteArray bytes(reinterpret_cast<const char *>(picture.constBits()),
                             picture.sizeInBytes());
            seen.insert(QString::fromLatin1(bytes.toBase64()));
        }
        QCOMPARE(seen.size(), 4);
    }

    // The help page lies where the game looks for it, with every picture it shows.
    void helpPage()
    {
        const QString page = platform::DataTree(testing::builtProgramDir()).helpPage();
        QVERIFY2(QFileInfo(page).isFile(), qPrintable(page));
        QVERIFY(page.startsWith(testing::builtProgramDir()));
        QFile file(page);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(file.readAll());
        const QDir dir = QFileInfo(page).dir();
        const QRegularExpression src(QStringLiteral("src=\"([^\"]+)\""));
        int images = 0;
        for (auto it = src.globalMatch(html); it.hasNext();) {
            const QString ref = it.next().captured(1);
            QVERIFY2(!QImage(dir.filePath(ref)).isNull(), qPrintable(ref));
            QString sharp = ref;
            sharp.insert(sharp.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
            QVERIFY2(QFileInfo(dir.filePath(sharp)).isFile(), qPrintable(sharp));
            ++images;
        }
        QVERIFY(images >= 9);
        // Every link on the page is an anchor on the page itself.
        const QRegularExpression href(QStringLiteral("href=\"#([^\"]+)\""));
        for (auto it = href.globalMatch(html); it.hasNext();) {
            const QString anchor = it.next().captured(1);
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(anchor)), qPrintable(anchor));
        }
        // The page tells every key the game takes, each in a cell of its own.
        for (const char *key : {"Left, Right", "Enter", "F1", "Escape", "Up, Down, Left, Right",
                                "Ctrl+R", "Backspace"}) {
            const QRegularExpression cell(QStringLiteral("<td class=\"key\"[^>]*>") +
                                          QRegularExpression::escape(QLatin1String(key)) +
                                          QStringLiteral("</td>"));
            QVERIFY2(html.contains(cell), key);
        }
    }

    // The records file is written into a folder the game never creates itself.
    void configFolder()
    {
        QVERIFY(QFileInfo(testing::builtProgramDir() + QStringLiteral("/Config")).isDir());
    }
};

QTEST_MAIN(TestArt)
#include "tst_art.moc"
