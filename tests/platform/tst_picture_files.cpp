// Picture files as the game reads them: by content, whatever the extension, and a damaged
// file (one that ends before its picture does) refused with a message naming it, instead of
// a picture half grey.
#include "platform/pictures.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace
{

QByteArray encoded(const char *format)
{
    QImage image(120, 90, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(image.rect(), QColor(30, 90, 160));
    p.fillRect(QRect(10, 10, 50, 40), QColor(220, 180, 40));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestPictureFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void readsWholeAndRefusesDamaged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("problem"); // empty: read
        const QByteArray jpeg = encoded("JPEG");
        const QByteArray bmp = encoded("BMP");
        const QByteArray png = encoded("PNG");
        QTest::newRow("whole JPEG") << jpeg << "";
        QTest::newRow("JPEG cut in the middle") << jpeg.left(jpeg.size() / 2) << "damaged";
        QTest::newRow("JPEG without its last two bytes") << jpeg.chopped(2) << "damaged";
        QTest::newRow("JPEG with bytes after its end") << jpeg + QByteArray(16, 'x') << "";
        QTest::newRow("whole BMP") << bmp << "";
        QTest::newRow("BMP cut in the middle") << bmp.left(bmp.size() / 2) << "damaged";
        QTest::newRow("BMP short of one row") << bmp.chopped(120 * 3) << "damaged";
        QTest::newRow("whole PNG") << png << "";
        QTest::newRow("PNG cut in the middle") << png.left(png.size() / 2) << "could not be read";
        QTest::newRow("not a picture")
            << QByteArray("these are not pixels\n") << "could not be read";
        QTest::newRow("empty file") << QByteArray() << "could not be read";
    }
    void readsWholeAndRefusesDamaged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, problem);
        const QString path = m_dir.filePath(QStringLiteral("3.pic"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        const platform::LoadedPicture loaded = platform::loadPicture(path);
        if (problem.isEmpty()) {
            QVERIFY2(loaded.ok(), qPrintable(loaded.problem));
            QCOMPARE(loaded.pixmap.size(), QSize(120, 90));
            return;
        }
        QVERIFY(!loaded.ok());
        QVERIFY(loaded.pixmap.isNull());
        QVERIFY2(loaded.problem.contains(problem), qPrintable(loaded.problem));
        QVERIFY2(loaded.problem.contains(QLatin1Char('"') + path + QLatin1Char('"')),
                 qPrintable(loaded.problem));
    }

    void missingFileIsNamed()
    {
        const QString path = m_dir.filePath(QStringLiteral("nowhere/7.pic"));
        const platform::LoadedPicture loaded = platform::loadPicture(path);
        QVERIFY(!loaded.ok());
        QVERIFY2(loaded.problem.contains(path) && loaded.problem.contains(u"does not exist"),
                 qPrintable(loaded.problem));
    }
};

QTEST_MAIN(TestPictureFiles)
#include "tst_picture_files.moc"
