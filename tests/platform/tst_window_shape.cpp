// Window shapes cut from skins: exactly the pixels that are not pure white stay.
#include "platform/window_shape.h"
#include "resources/resources.h"

#include <QMouseEvent>
#include <QTest>
#include <QWidget>

namespace
{

// A skin drawn as text: 'W' pure white, '.' blue, 'o' off-white (254, 255, 255); rows by '/'.
QImage skinFromText(const QString &text, QImage::Format format = QImage::Format_RGB32)
{
    const QStringList rows = text.split(QLatin1Char('/'));
    QImage image(static_cast<int>(rows.first().size()), static_cast<int>(rows.size()), format);
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            const QChar c = rows[y][x];
            image.setPixelColor(x, y,
                                c == QLatin1Char('W')   ? QColor(255, 255, 255)
                                : c == QLatin1Char('o') ? QColor(254, 255, 255)
                                                        : QColor(20, 40, 160));
        }
    }
    return image;
}

// The pixel rule itself, checked pixel by pixel.
QString differences(const QRegion &region, const QImage &skin)
{
    QStringList wrong;
    for (int y = -1; y <= skin.height(); ++y) {
        for (int x = -1; x <= skin.width(); ++x) {
            const bool inside = skin.rect().contains(x, y);
            const bool kept = inside && (skin.pixel(x, y) & RGB_MASK) != 0xFFFFFFu;
            if (region.contains(QPoint(x, y)) != kept)
                wrong << QStringLiteral("(%1,%2)").arg(x).arg(y);
        }
    }
    return wrong.mid(0, 10).join(QLatin1Char(' '));
}

int keptRuns(const QImage &skin)
{
    int runs = 0;
    for (int y = 0; y < skin.height(); ++y) {
        bool inRun = false;
        for (int x = 0; x < skin.width(); ++x) {
            const bool kept = (skin.pixel(x, y) & RGB_MASK) != 0xFFFFFFu;
            runs += kept && !inRun;
            inRun = kept;
        }
    }
    return runs;
}

} // namespace

class TestWindowShape : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void regionIsTheNonWhitePixels_data();
    void regionIsTheNonWhitePixels();
    void realSkinsAreCutToTheirOutline_data();
    void realSkinsAreCutToTheirOutline();
    void shapeWindowSetsTheMaskAndNullSkinLeavesItRectangular();
    void brokenSkinsAreReported_data();
    void brokenSkinsAreReported();
    void waylandPlatformsDrawTheShapeThemselves_data();
    void waylandPlatformsDrawTheShapeThemselves();
    void cutToAlphaClearsExactlyTheWhitePixels_data();
    void cutToAlphaClearsExactlyTheWhitePixels();
    void translucentWindowsClipTheirChildrenToTheShape_data();
    void translucentWindowsClipTheirChildrenToTheShape();
    void skinPixmapIsClearExactlyWhereTheWindowIsCut_data();
    void skinPixmapIsClearExactlyWhereTheWindowIsCut();
    void dragMovesOnlyWithTheLeftButtonAlone_data();
    void dragMovesOnlyWithTheLeftButtonAlone();
};

void TestWindowShape::regionIsTheNonWhitePixels_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<int>("format");
    QTest::addColumn<int>("expectedPixels");
    const int rgb = QImage::Format_RGB32;
    QTest::newRow("all white is cut away entirely") << "WWW/WWW" << rgb << 0;
    QTest::newRow("no white gives the full rectangle") << "...../...../....." << rgb << 15;
    QTest::newRow("one white pixel is a one-pixel hole") << ".../.W./..." << rgb << 8;
    QTest::newRow("off-white stays part of the window") << "ooo/oWo/ooo" << rgb << 8;
    QTest::newRow("runs at both edges of a row") << "W..W/WWW./.WW." << rgb << 5;
    QTest::newRow("repeated rows stay exact") << "W..W/W..W/W..W/...." << rgb << 10;
    QTest::newRow("picture with an alpha channel") << "W.W/.W." << int(QImage::Format_ARGB32) << 3;
    QTest::newRow("premultiplied picture")
        << "WW./..W" << int(QImage::Format_ARGB32_Premultiplied) << 3;
    QTest::newRow("one-pixel picture, white") << "W" << rgb << 0;
}

// Clicks and the desktop must pass exactly where the skin is pure white, nowhere else.
void TestWindowShape::regionIsTheNonWhitePixels()
{
    QFETCH(QString, skin);
    QFETCH(int, format);
    QFETCH(int, expectedPixels);
    const QImage image = skinFromText(skin, static_cast<QImage::Format>(format));
    const QImage before = image.copy();

    const QRegion region = platform::RegionFromPicture(image, qRgb(255, 255, 255));

    QVERIFY2(differences(region, image).isEmpty(), qPrintable(differences(region, image)));
    int pixels = 0;
    for (const QRect &r : region)
        pixels += r.width() * r.height();
    QCOMPARE(pixels, expectedPixels);
    QVERIFY2(region.rectCount() <= keptRuns(image), "more than one rectangle per run");
    QCOMPARE(image, before);
}

void TestWindowShape::realSkinsAreCutToTheirOutline_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::newRow("menu") << resources::name::menuSkin << QSize(364, 272);
    QTest::newRow("help") << resources::name::helpSkin << QSize(536, 349);
    QTest::newRow("records") << resources::name::recordsSkin << QSize(401, 304);
}

// The skins we draw must give each shaped window an outline, with white all around it.
void TestWindowShape::realSkinsAreCutToTheirOutline()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QImage skin = resources::image(name);
    QVERIFY2(!skin.isNull(), qPrintable(name + QStringLiteral(" is not built in")));
    QCOMPARE(skin.size(), size);

    const QRegion region = platform::RegionFromPicture(skin, qRgb(255, 255, 255));

    QVERIFY2(differences(region, skin).isEmpty(), qPrintable(differences(region, skin)));
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(0, size.height() - 1),
          QPoint(size.width() - 1, size.height() - 1)})
        QVERIFY2(!region.contains(corner), "a skin's corners are white, cut away");
    QVERIFY(region.contains(QPoint(size.width() / 2, size.height() / 2)));
}

// The window's mask is the skin's region, set before the window is first shown.
void TestWindowShape::shapeWindowSetsTheMaskAndNullSkinLeavesItRectangular()
{
    QWidget window;
    window.resize(4, 3);
    const QImage skin = skinFromText(QStringLiteral("W..W/..../W..W"));
    platform::WindowShape shape(&window);
    shape.apply(skin);
    QVERIFY(!window.isVisible());
    QVERIFY((window.mask() ^ platform::RegionFromPicture(skin, qRgb(255, 255, 255))).isEmpty());

    shape.apply(QImage());
    QVERIFY2(window.mask().isEmpty(), "no skin: the window stays rectangular");
}

// A skin that cannot shape its window (missing, or every pixel white, which would leave the
// window rectangular with a mask that means "no mask") is reported by name like a missing
// picture; the game's own skins and one white pixel short of all white are fine.
void TestWindowShape::brokenSkinsAreReported_data()
{
    QTest::addColumn<QImage>("skin");
    QTest::addColumn<QString>("problem"); // empty: none
    QImage white(40, 30, QImage::Format_RGB32);
    white.fill(Qt::white);
    QImage almost = white;
    almost.setPixel(39, 29, qRgb(254, 255, 255));
    QTest::newRow("all white") << white << "every pixel of it is white";
    QTest::newRow("missing") << QImage() << "is missing";
    QTest::newRow("one pixel off-white") << almost << "";
    QTest::newRow("the menu's skin") << resources::image(resources::name::menuSkin) << "";
    QTest::newRow("the help window's skin") << resources::image(resources::name::helpSkin) << "";
    QTest::newRow("the records window's skin")
        << resources::image(resources::name::recordsSkin) << "";
}

void TestWindowShape::brokenSkinsAreReported()
{
    QFETCH(QImage, skin);
    QFETCH(QString, problem);
    const QString got = platform::skinProblem(skin, QStringLiteral("menu_skin"));
    if (problem.isEmpty()) {
        QVERIFY2(got.isEmpty(), qPrintable(got));
        return;
    }
    QVERIFY2(got.contains(problem) && got.contains(QLatin1String("\"menu_skin\"")),
             qPrintable(got));
}

void TestWindowShape::waylandPlatformsDrawTheShapeThemselves_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<bool>("translucent");
    QTest::newRow("X11") << "xcb" << false;
    QTest::newRow("Wayland") << "wayland" << true;
    QTest::newRow("Wayland through EGL") << "wayland-egl" << true;
    QTest::newRow("headless tests") << "offscreen" << false;
    QTest::newRow("unknown platform") << "" << false;
}

// On Wayland a mask only limits input: the window must draw its shape in alpha. Elsewhere
// nothing may change, so X11 keeps its opaque, window-system-cut windows.
void TestWindowShape::waylandPlatformsDrawTheShapeThemselves()
{
    QFETCH(QString, platform);
    QFETCH(bool, translucent);
    QCOMPARE(platform::shapingOf(platform) == platform::Shaping::Translucent, translucent);
}

void TestWindowShape::cutToAlphaClearsExactlyTheWhitePixels_data()
{
    QTest::addColumn<QString>("skin");
    QTest::addColumn<int>("format");
    const int rgb = QImage::Format_RGB32;
    QTest::newRow("corners cut") << "W..W/..../W..W" << rgb;
    QTest::newRow("off-white stays opaque") << "ooo/oWo/ooo" << rgb;
    QTest::newRow("all white") << "WW/WW" << rgb;
    QTest::newRow("picture with an alpha channel") << "W.W/.W." << int(QImage::Format_ARGB32);
    QTest::newRow("premultiplied picture") << "WW./..W" << int(QImage::Format_ARGB32_Premultiplied);
}

// What a Wayland window paints: the desktop must show through every pure white pixel and
// through nothing else, and the kept pixels keep their colours.
void TestWindowShape::cutToAlphaClearsExactlyTheWhitePixels()
{
    QFETCH(QString, skin);
    QFETCH(int, format);
    const QImage source = skinFromText(skin, static_cast<QImage::Format>(format));

    const QImage cut = platform::CutToAlpha(source, qRgb(255, 255, 255));

    QCOMPARE(cut.size(), source.size());
    for (int y = 0; y < source.height(); ++y) {
        for (int x = 0; x < source.width(); ++x) {
            const QRgb was = source.pixel(x, y), is = cut.pixel(x, y);
            const QString at = QStringLiteral("(%1,%2)").arg(x).arg(y);
            if ((was & RGB_MASK) == 0xFFFFFFu)
                QVERIFY2(qAlpha(is) == 0, qPrintable(at + QStringLiteral(" is white, not clear")));
            else
                QVERIFY2(is == was, qPrintable(at + QStringLiteral(" changed")));
        }
    }
}

void TestWindowShape::translucentWindowsClipTheirChildrenToTheShape_data()
{
    QTest::addColumn<int>("shaping");
    QTest::newRow("X11: the window system cuts, children stay as they are")
        << int(platform::Shaping::Mask);
    QTest::newRow("Wayland: translucent, every child clipped to the shape")
        << int(platform::Shaping::Translucent);
}

// The menu's title strip and link bars reach into its cut corners: on Wayland they would
// paint over pixels that must show the desktop, whether they were there before the window
// was shaped, came later, or moved. Children wholly inside the shape stay unclipped.
void TestWindowShape::translucentWindowsClipTheirChildrenToTheShape()
{
    QFETCH(int, shaping);
    const auto how = static_cast<platform::Shaping>(shaping);
    const bool translucent = how == platform::Shaping::Translucent;
    const QImage skin = skinFromText(QStringLiteral("W..W/..../W..W"));
    const QRegion shape = platform::RegionFromPicture(skin, qRgb(255, 255, 255));
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setFixedSize(4, 3);
    window.setAutoFillBackground(true);
    auto *strip = new QWidget(&window); // the whole window, corners too
    strip->setGeometry(0, 0, 4, 3);
    auto *inside = new QWidget(&window);
    inside->setGeometry(1, 1, 2, 1);

    platform::WindowShape shaped(&window);
    shaped.apply(skin, how);
    auto *later = new QWidget(&window); // made after the shape, like the help window's
    later->setGeometry(2, 1, 2, 2);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const auto clippedTo = [&](const QWidget *child) {
        return (child->mask() ^ shape.translated(-child->pos()).intersected(child->rect()))
            .isEmpty();
    };
    QVERIFY((window.mask() ^ shape).isEmpty());
    QCOMPARE(window.testAttribute(Qt::WA_TranslucentBackground), translucent);
    QCOMPARE(window.autoFillBackground(), !translucent);
    QVERIFY(inside->mask().isEmpty());
    if (translucent) {
        QVERIFY2(clippedTo(strip), "a child over the cut corners is not clipped");
        QVERIFY2(clippedTo(later), "a child made after the shape is not clipped");
        later->move(1, 1); // now wholly inside
        QVERIFY(later->mask().isEmpty());
        later->move(0, 1);
        QVERIFY2(clippedTo(later), "a child moved onto a cut corner is not clipped");
        shaped.apply(QImage(), how);
        QVERIFY2(strip->mask().isEmpty() && later->mask().isEmpty(),
                 "no skin: the children are whole again");
    } else {
        QVERIFY(strip->mask().isEmpty());
        QVERIFY(later->mask().isEmpty());
    }
}

void TestWindowShape::skinPixmapIsClearExactlyWhereTheWindowIsCut_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("menu") << resources::name::menuSkin;
    QTest::newRow("help") << resources::name::helpSkin;
    QTest::newRow("records") << resources::name::recordsSkin;
}

// The skin a window paints on Wayland is clear exactly outside the window's input shape,
// so what the player sees and where clicks land agree; on X11 it is the picture itself.
void TestWindowShape::skinPixmapIsClearExactlyWhereTheWindowIsCut()
{
    QFETCH(QString, name);
    const QRegion shape = platform::RegionFromPicture(resources::image(name), qRgb(255, 255, 255));

    QCOMPARE(platform::SkinPixmap(name, platform::Shaping::Mask).cacheKey(),
             resources::pixmap(name).cacheKey());

    const QPixmap painted = platform::SkinPixmap(name, platform::Shaping::Translucent);
    QCOMPARE(painted.devicePixelRatio(), 1.0);
    const QImage image = painted.toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(image.size(), resources::image(name).size());
    int wrong = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            wrong += (qAlpha(image.pixel(x, y)) == 0) == shape.contains(QPoint(x, y));
    QCOMPARE(wrong, 0);
}

void TestWindowShape::dragMovesOnlyWithTheLeftButtonAlone_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<bool>("moves");
    QTest::newRow("left button") << int(Qt::LeftButton) << true;
    QTest::newRow("right button") << int(Qt::RightButton) << false;
    QTest::newRow("left and right buttons") << int(Qt::LeftButton | Qt::RightButton) << false;
    QTest::newRow("middle button") << int(Qt::MiddleButton) << false;
}

// The menu has no title bar: its strip must move it, but only as a title bar would.
void TestWindowShape::dragMovesOnlyWithTheLeftButtonAlone()
{
    QFETCH(int, buttons);
    QFETCH(bool, moves);
    QWidget window(nullptr, Qt::FramelessWindowHint);
    window.setGeometry(100, 100, 200, 100);
    auto *strip = new QWidget(&window);
    strip->setGeometry(0, 0, 200, 20);
    new platform::WindowDragHandle(strip, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint start = window.pos();

    const auto held = static_cast<Qt::MouseButtons>(buttons);
    const Qt::MouseButton button =
        held & Qt::LeftButton ? Qt::LeftButton : static_cast<Qt::MouseButton>(buttons);
    const QPointF local(10, 10);
    QMouseEvent press(QEvent::MouseButtonPress, local, strip->mapToGlobal(local), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &press);
    const QPointF to(40, 30);
    QMouseEvent move(QEvent::MouseMove, to, strip->mapToGlobal(QPointF(10, 10)) + QPointF(30, 20),
                     Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, move.globalPosition(), button, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(strip, &release);

    QCOMPARE(window.pos(), moves ? start + QPoint(30, 20) : start);
}

QTEST_MAIN(TestWindowShape)
#include "tst_window_shape.moc"
