// The menu's order of pictures, the board a picture's shape plays on and the part of it a
// frame shows: what a player sees when stepping through their own pictures and playing one.
#include "core/picture_order.h"

#include <QTest>

class TestPictureOrder : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The player's pictures follow 28 and the ring closes after the last of them.
    void stepsRoundAndRound_data()
    {
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("by");
        QTest::addColumn<int>("to");
        QTest::newRow("none of the player's: 28 to 1") << 0 << 28 << 1 << 1;
        QTest::newRow("28 on to the first of the player's") << 2 << 28 << 1 << 29;
        QTest::newRow("the player's last back to 1") << 2 << 30 << 1 << 1;
        QTest::newRow("1 back to the player's last") << 2 << 1 << -1 << 30;
    }
    void stepsRoundAndRound()
    {
        QFETCH(int, own);
        QFETCH(int, from);
        QFETCH(int, by);
        QFETCH(int, to);
        QCOMPARE(core::PictureOrder{own}.step(from, by), to);
    }

    // A square plays Normal; a frame never squashes a picture more than 1 %.
    void cropsAroundTheCentre_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QRect>("shown");
        QTest::addColumn<bool>("normal");
        QTest::newRow("3:2 photo on the 4:3 board: the sides go")
            << QSize(6000, 4000) << QSize(388, 291) << QRect(333, 0, 5333, 4000) << true;
        QTest::newRow("portrait photo in a wider frame: top and bottom go")
            << QSize(3000, 6000) << QSize(309, 405) << QRect(0, 1034, 3000, 3932) << false;
        QTest::newRow("within 1 %: shown whole")
            << QSize(630, 825) << QSize(309, 405) << QRect(0, 0, 630, 825) << false;
        QTest::newRow("square") << QSize(500, 500) << QSize(400, 300) << QRect(0, 62, 500, 375)
                                << true;
    }
    void cropsAroundTheCentre()
    {
        QFETCH(QSize, picture);
        QFETCH(QSize, frame);
        QFETCH(QRect, shown);
        QFETCH(bool, normal);
        const core::Area a =
            core::centredCrop(picture.width(), picture.height(), frame.width(), frame.height());
        QCOMPARE(QRect(a.left, a.top, a.width, a.height), shown);
        QCOMPARE(core::levelOfShape(picture.width(), picture.height()) == core::Level::Normal,
                 normal);
    }
};

QTEST_GUILESS_MAIN(TestPictureOrder)
#include "tst_picture_order.moc"
