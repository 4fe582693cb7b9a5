// Paints the game's 28 pictures and writes each in the three sizes of its level into the
// data tree below the program folder given as the first argument:
//   Data/Images/All/Level/{Easy,Hard}/Pic/{Prevw,Shw,Big}/<n>.pic
// With "--contact-sheet <file>" it also writes one sheet showing all 28 side by side.
//
// Every file is twice the size of the element that shows it, so the pictures stay sharp
// on a HiDPI screen; each scene is painted once, larger still, and scaled down smoothly.

#include "generators/pictures/scenes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

namespace
{

struct Sizes {
    QSize canvas;  // where the scene is painted
    QSize big;     // cut into the tiles: whole cells of at least twice the tile size
    QSize shown;   // the game window's preview
    QSize preview; // the menu's preview frame
};

// Normal: 4 x 3 cells of 200 x 200 for tiles of 97 x 97; previews of 244 x 180 and 201 x 149.
const Sizes normalSizes{{1200, 900}, {800, 600}, {488, 360}, {402, 298}};
// Hard: 3 x 5 cells of 210 x 165 for tiles of 103 x 81; previews of 188 x 252 and 131 x 173.
const Sizes hardSizes{{960, 1257}, {630, 825}, {376, 504}, {262, 346}};

bool writePicture(const QImage &image, const QString &path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    writer.setOptimizedWrite(true);
    if (writer.write(image))
        return true;
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

QImage scaled(const QImage &canvas, QSize size)
{
    return canvas.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// All pictures, numbered as the menu numbers them: the landscapes five to a row, then the
// portraits seven to a row.
QImage contactSheet(const QList<QImage> &pictures)
{
    const int width = 1750, caption = 24, margin = 8;
    struct Section {
        int first, count, columns, cellH;
    };
    const Section sections[] = {{0, 9, 5, 270}, {9, int(pictures.size()) - 9, 7, 320}};
    int height = 0;
    for (const Section &s : sections)
        height += (s.count + s.columns - 1) / s.columns * (s.cellH + caption);
    QImage sheet(width, height, QImage::Format_RGB32);
    sheet.fill(QColor(40, 40, 44));
    QPainter p(&sheet);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(QColor(230, 230, 230));
    int top = 0;
    for (const Section &s : sections) {
        const int cellW = width / s.columns;
        for (int i = 0; i < s.count; ++i) {
            const QImage &picture = pictures[s.first + i];
            const QImage thumb = picture.scaled(cellW - 2 * margin, s.cellH - 2 * margin,
                                                Qt::KeepAspectRatio, Qt::SmoothTransformation);
            const int x = (i % s.columns) * cellW, y = top + (i / s.columns) * (s.cellH + caption);
            p.drawImage(x + (cellW - thumb.width()) / 2, y + s.cellH - margin - thumb.height(),
                        thumb);
            p.drawText(QRect(x, y + s.cellH - margin, cellW, caption + margin), Qt::AlignCenter,
                       QString::number(s.first + i + 1));
        }
        top += (s.count + s.columns - 1) / s.columns * (s.cellH + caption);
    }
    return sheet;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: %s <program folder> [--contact-sheet <file>]\n",
                     qPrintable(args.value(0)));
        return 2;
    }
    const QString root = args.at(1);
    const int sheetArg = int(args.indexOf(QStringLiteral("--contact-sheet")));
    const QString sheetPath = sheetArg > 0 ? args.value(sheetArg + 1) : QString();
    // "--only <n>" paints one picture, for the painter at work on it.
    const int onlyArg = int(args.indexOf(QStringLiteral("--only")));
    const int only = onlyArg > 0 ? args.value(onlyArg + 1).toInt() : 0;

    QElapsedTimer clock;
    clock.start();
    QList<QImage> sheet;
    for (int n = 1; n <= 28; ++n) {
        if (only && n != only)
            continue;
        const bool normal = n <= 9;
        const Sizes &sizes = normal ? normalSizes : hardSizes;
        QImage canvas(sizes.canvas, QImage::Format_RGB32);
        canvas.fill(Qt::black);
        pictures::sceneFor(n)(canvas);

        const QString folder = root + QStringLiteral("/Data/Images/All/Level/") +
                               (normal ? QStringLiteral("Easy") : QStringLiteral("Hard")) +
                               QStringLiteral("/Pic/");
        const QString file = QString::number(n) + QStringLiteral(".pic");
        const QImage big = scaled(canvas, sizes.big);
        for (const auto &[kind, size] : {std::pair{QStringLiteral("Prevw"), sizes.preview},
                                         std::pair{QStringLiteral("Shw"), sizes.shown},
                                         std::pair{QStringLiteral("Big"), sizes.big}}) {
            if (!QDir().mkpath(folder + kind))
                return 1;
            if (!writePicture(size == sizes.big ? big : scaled(canvas, size),
                              folder + kind + QLatin1Char('/') + file))
                return 1;
        }
        if (!sheetPath.isEmpty())
            sheet << big;
    }
    if (!sheetPath.isEmpty() && sheet.size() == 28) {
        QImageWriter writer(sheetPath);
        writer.setQuality(76);
        if (!writer.write(contactSheet(sheet)))
            return 1;
    }
    std::printf("pictures painted in %.1f s\n", double(clock.elapsed()) / 1000.0);
    return 0;
}
