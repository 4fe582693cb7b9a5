// The end-to-end test's own eyes and a window of its own, beside the game under a Wayland
// compositor:
//   wayland_probe skin <name> <out.png>        writes the built-in skin `name`
//   wayland_probe look <shot.png> <x> <y> <skin.png> <#rrggbb>
//       compares a screenshot with a skin drawn at x, y over a desktop of colour #rrggbb and
//       prints "cut=N white=N desktop=N kept-as-desktop=N": how many of the skin's pure white
//       pixels there are, how many of them show pure white and how many the desktop, and
//       how many of the skin's other pixels show the desktop instead of the window
//   wayland_probe target <width> <height>      a plain window that prints "click X Y" for
//                                              each press of the left button on it
#include "resources/resources.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>

#include <cstdio>

namespace
{

class ClickTarget : public QWidget
{
protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() != Qt::LeftButton)
            return;
        const QPoint at = event->position().toPoint();
        std::printf("click %d %d\n", at.x(), at.y());
        std::fflush(stdout);
    }
};

int usage()
{
    std::fprintf(stderr, "usage: wayland_probe skin NAME OUT | look SHOT X Y SKIN #RRGGBB | "
                         "target W H\n");
    return 2;
}

int writeSkin(const QString &name, const QString &out)
{
    resources::init();
    const QImage skin = resources::image(name);
    if (skin.isNull() || !skin.save(out, "PNG")) {
        std::fprintf(stderr, "wayland_probe: cannot write skin %s to %s\n", qPrintable(name),
                     qPrintable(out));
        return 1;
    }
    return 0;
}

int look(const QString &shotFile, int x, int y, const QString &skinFile, const QColor &desktop)
{
    const QImage shot = QImage(shotFile).convertToFormat(QImage::Format_RGB32);
    const QImage skin = QImage(skinFile).convertToFormat(QImage::Format_RGB32);
    if (shot.isNull() || skin.isNull()) {
        std::fprintf(stderr, "wayland_probe: cannot read %s or %s\n", qPrintable(shotFile),
                     qPrintable(skinFile));
        return 1;
    }
    const QRgb white = 0xFFFFFF, ground = desktop.rgb() & RGB_MASK;
    int cut = 0, showsWhite = 0, showsDesktop = 0, keptAsDesktop = 0;
    for (int j = 0; j < skin.height(); ++j) {
        for (int i = 0; i < skin.width(); ++i) {
            if (!shot.rect().contains(x + i, y + j))
                continue;
            const QRgb seen = shot.pixel(x + i, y + j) & RGB_MASK;
            if ((skin.pixel(i, j) & RGB_MASK) == white) {
                ++cut;
                showsWhite += seen == white;
                showsDesktop += seen == ground;
            } else {
                keptAsDesktop += seen == ground;
            }
        }
    }
    std::printf("cut=%d white=%d desktop=%d kept-as-desktop=%d\n", cut, showsWhite, showsDesktop,
                keptAsDesktop);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if (mode == QLatin1String("target") && argc == 4) {
        QApplication app(argc, argv); // on whatever platform the caller chose
        ClickTarget target;
        target.setWindowTitle(QStringLiteral("click target"));
        // A fixed size makes a tiling compositor float the window, under the game's.
        target.setFixedSize(QString::fromLocal8Bit(argv[2]).toInt(),
                            QString::fromLocal8Bit(argv[3]).toInt());
        QPalette palette = target.palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 200));
        target.setPalette(palette);
        target.setAutoFillBackground(true);
        target.show();
        return app.exec();
    }
    // Pictures only: no platform and no display, whatever the caller's session.
    QCoreApplication app(argc, argv);
    if (mode == QLatin1String("skin") && argc == 4)
        return writeSkin(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (mode == QLatin1String("look") && argc == 7)
        return look(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]).toInt(),
                    QString::fromLocal8Bit(argv[4]).toInt(), QString::fromLocal8Bit(argv[5]),
                    QColor(QString::fromLocal8Bit(argv[6])));
    return usage();
}
