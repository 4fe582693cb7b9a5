// Lays the built-in pictures out as the windows will, with their texts in their colours, and
// saves each mock-up: the way to judge the art in place before the windows exist.
// usage: puzzle_art_preview <output dir> [help page]
#include "resources/resources.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>

namespace
{

QRect twips(int l, int t, int w, int h)
{
    auto px = [](int v) { return int(std::lround(v / 15.0)); };
    return {px(l), px(t), px(w), px(h)};
}

QLabel *picture(QWidget *parent, const QString &name, const QRect &r)
{
    auto *l = new QLabel(parent);
    l->setPixmap(resources::pixmap(name));
    l->setScaledContents(true);
    l->setGeometry(r);
    return l;
}

QLabel *text(QWidget *parent, const QString &caption, const QRect &r, QColor colour,
             qreal points = 8.25, bool bold = true, Qt::Alignment align = Qt::AlignLeft,
             const QString &family = QStringLiteral("MS Sans Serif"))
{
    auto *l = new QLabel(caption, parent);
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colour);
    l->setPalette(pal);
    l->setAlignment(align | Qt::AlignTop);
    l->setGeometry(r);
    return l;
}

QLabel *close(QWidget *parent, const QRect &r)
{
    return text(parent, QStringLiteral("Close"), r, QColor(128, 255, 255), 24, true, Qt::AlignLeft,
                QStringLiteral("Times New Roman"));
}

// A stand-in picture where the data tree has none yet.
QPixmap placeholder(QSize size, int seed)
{
    QImage img(size, QImage::Format_RGB32);
    QPainter p(&img);
    QLinearGradient g(0, 0, size.width(), size.height());
    g.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 160, 220));
    g.setColorAt(1, QColor::fromHsv((seed * 47 + 120) % 360, 180, 120));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(255, 255, 255, 80), 2));
    for (int i = 0; i < 12; ++i)
        p.drawEllipse(QPoint((i * 37) % size.width(), (i * 53) % size.height()), 20, 20);
    return QPixmap::fromImage(img);
}

void save(QWidget *w, const QImage &skin, const QString &file)
{
    w->ensurePolished();
    QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (!skin.isNull()) {
        // Where the skin is pure white the desktop shows: a plain desktop colour here.
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (x >= skin.width() || y >= skin.height() ||
                    (skin.pixel(x, y) & 0xffffff) == 0xffffff)
                    shot.setPixel(x, y, qRgb(118, 130, 110));
    }
    shot.save(file);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Times New Roman"),
                              QStringLiteral("Liberation Serif"));
    resources::init();
    const QStringList args = app.arguments();
    const QDir out(args.value(1, QStringLiteral(".")));
    const QString helpPage = args.value(2);
    const QColor yellow(255, 255, 0), green(0, 255, 0), action(52, 121, 163), white(255, 255, 255);

    { // the menu
        QWidget w;
        w.resize(364, 271);
        picture(&w, resources::name::menuSkin, {0, 0, 364, 272});
        picture(&w, resources::name::menuPanel, twips(150, 330, 5130, 3420));
        picture(&w, resources::name::menuTitle, twips(-15, 0, 5490, 330));
        picture(&w, resources::name::linkBar1, twips(-15, 3750, 2625, 315));
        picture(&w, resources::name::linkBar2, twips(2805, 3750, 2655, 315));
        auto *prev = new QLabel(&w);
        prev->setPixmap(placeholder({201, 149}, 1));
        prev->setGeometry(twips(450, 720, 3015, 2235));
        picture(&w, resources::name::iconPrevious, twips(450, 3150, 510, 510));
        picture(&w, resources::name::iconNext, twips(3030, 3165, 510, 510));
        picture(&w, resources::name::iconPlay, twips(4320, 780, 480, 480));
        picture(&w, resources::name::iconHelp, twips(4200, 1380, 720, 720));
        picture(&w, resources::name::iconExit, twips(4320, 2340, 480, 480));
        text(&w, QStringLiteral("Select a picture :"), twips(360, 345, 2055, 255), yellow);
        text(&w, QStringLiteral("Difficulty :   "), twips(1200, 3285, 975, 255), yellow);
        text(&w, QStringLiteral("Normal"), twips(2160, 3285, 675, 255), green);
        text(&w, QStringLiteral("Play"), twips(4290, 1140, 495, 210), QColor(255, 0, 0), 8.25, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Help"), twips(4320, 1950, 495, 210), action, 8.25, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Exit"), twips(4320, 2820, 495, 210), action, 8.25, true,
             Qt::AlignHCenter);
        save(&w, resources::image(resources::name::menuSkin), out.filePath("menu.png"));
    }
    { // the game window
        QWidget w;
        w.resize(685, 471);
        picture(&w, resources::name::gameBackground, twips(0, -120, 10320, 7245));
        const QPixmap big = placeholder({385, 289}, 3);
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 4; ++col) {
                if (row == 2 && col == 3)
                    continue;
                auto *tile = new QLabel(&w);
                tile->setPixmap(big.copy(col * 96, row * 96, 95, 95));
                tile->setGeometry(24 + col * 97, 64 + row * 97, 95, 95);
            }
        auto *prev = new QLabel(&w);
        prev->setPixmap(big.scaled(244, 180));
        prev->setGeometry(twips(6360, 840, 3660, 2700));
        picture(&w, resources::name::iconStop, twips(7080, 4680, 480, 480));
        picture(&w, resources::name::iconBack, twips(6600, 5280, 480, 480));
        picture(&w, resources::name::iconRestart, twips(6600, 5880, 480, 480));
        picture(&w, resources::name::banner, twips(8070, 5820, 1530, 555));
        text(&w, QStringLiteral("Done"), twips(0, 6780, 5775, 315), green, 9.75, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Time:"), twips(8160, 4680, 855, 255), white, 9.75, true,
             Qt::AlignRight);
        text(&w, QStringLiteral("03:27"), twips(9120, 4725, 855, 255), white, 9.75, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Clicks:"), twips(8160, 5040, 855, 255), white, 9.75, true,
             Qt::AlignRight);
        text(&w, QStringLiteral("118"), twips(9135, 5100, 855, 255), white, 9.75, true,
             Qt::AlignHCenter);
        save(&w, {}, out.filePath("game.png"));
    }
    { // the completion dialog
        QWidget w;
        w.resize(358, 89);
        picture(&w, resources::name::completionBackground, twips(-480, 0, 7815, 1695));
        text(&w, QStringLiteral("Puzzle completed, congratulations!!!"), twips(120, 120, 4575, 255),
             green, 9.75);
        text(&w, QStringLiteral("Time:"), twips(135, 480, 600, 240), yellow, 9.75, true,
             Qt::AlignRight);
        text(&w, QStringLiteral("03:27"), twips(720, 480, 855, 255), yellow, 9.75, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Clicks:"), twips(1680, 480, 855, 255), yellow, 9.75, true,
             Qt::AlignRight);
        text(&w, QStringLiteral("118"), twips(2640, 480, 855, 255), yellow, 9.75, true,
             Qt::AlignHCenter);
        text(&w, QStringLiteral("Enter your name:"), twips(120, 960, 1455, 255), white);
        auto *box = new QLabel(QStringLiteral("Ana"), &w);
        box->setStyleSheet(QStringLiteral("background: rgb(128,0,128); color: white;"));
        box->setGeometry(twips(1680, 960, 1575, 285));
        close(&w, twips(3960, 360, 1215, 615));
        save(&w, {}, out.filePath("completion.png"));
    }
    { // the records window
        QWidget w;
        w.resize(401, 303);
        picture(&w, resources::name::recordsSkin, {0, 0, 401, 304});
        picture(&w, resources::name::recordsBackground, twips(-30, -15, 6060, 4590));
        text(&w,
             QStringLiteral("\r\n\r\n-Created by Zantho Games\u00ae for:\r\nfans-one.example.org/"
                            "\r\nfans-two.example.net/\r\nmail@fans-two.example.net\r\n\r\n"
                            "www.zantho.example.com\r\nzantho@example.com"),
             twips(720, 240, 4575, 1935), QColor(255, 255, 192), 8.25, true, Qt::AlignHCenter);
        text(&w, QStringLiteral("Records:"), twips(960, 2280, 735, 255), yellow);
        text(&w, QStringLiteral("Name:"), twips(2227, 2400, 615, 255), green);
        text(&w, QStringLiteral("Clicks:"), twips(4027, 2400, 615, 255), green);
        text(&w, QStringLiteral("Time:"), twips(4867, 2400, 495, 255), green);
        text(&w, QStringLiteral("Normal:"), twips(480, 2775, 735, 255), QColor(0, 0, 255));
        text(&w, QStringLiteral("Clicks:"), twips(1200, 2640, 585, 195), QColor(0, 128, 0));
        text(&w, QStringLiteral("Time:"), twips(1320, 2880, 480, 195), QColor(0, 128, 0));
        text(&w, QStringLiteral("Hard:"), twips(480, 3360, 495, 255), QColor(0, 0, 255));
        text(&w, QStringLiteral("Clicks:"), twips(1200, 3240, 585, 195), green);
        text(&w, QStringLiteral("Time:"), twips(1320, 3480, 480, 195), green);
        const QColor teal(0, 192, 192), cyan(0, 255, 255);
        const int rows[] = {2640, 2880, 3240, 3480};
        for (int i = 0; i < 4; ++i) {
            const QColor c = i < 2 ? teal : cyan;
            text(&w, i % 2 ? QStringLiteral("Bea") : QStringLiteral("Ana"),
                 twips(2227, rows[i], 1695, 255), c);
            text(&w, QString::number(96 + i * 17), twips(4027, rows[i], 615, 255), c, 8.25, true,
                 Qt::AlignHCenter);
            text(&w, QStringLiteral("0%1:1%2").arg(i + 1).arg(i), twips(4747, rows[i], 615, 255), c,
                 8.25, true, Qt::AlignHCenter);
        }
        close(&w, twips(2520, 3600, 1215, 615));
        save(&w, resources::image(resources::name::recordsSkin), out.filePath("records.png"));
    }
    { // the help window, at its top and scrolled on
        QWidget w;
        w.resize(536, 349);
        picture(&w, resources::name::helpSkin, twips(0, 0, 8040, 5235));
        picture(&w, resources::name::helpStrip, twips(120, 3720, 7815, 1455));
        auto *browser = new QTextBrowser(&w);
        browser->setGeometry(twips(360, 360, 7335, 3735));
        browser->setFrameShape(QFrame::NoFrame);
        if (!helpPage.isEmpty())
            browser->setSource(QUrl::fromLocalFile(helpPage));
        close(&w, twips(3720, 4320, 1215, 615));
        const QImage skin = resources::image(resources::name::helpSkin);
        save(&w, skin, out.filePath("help.png"));
        for (int page = 1; page <= 4; ++page) {
            browser->verticalScrollBar()->setValue(page * 230);
            save(&w, skin, out.filePath(QStringLiteral("help%1.png").arg(page)));
        }
    }
    return 0;
}
