#include "records/records_window.h"

#include "menu/data_tree.h"
#include "platform/elements.h"
#include "platform/music.h"
#include "platform/services.h"
#include "platform/web_link.h"
#include "platform/window_shape.h"
#include "records/form4.h"
#include "records/records_file.h"
#include "resources/resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QUrl>

namespace records
{

namespace
{

const QString kCrLf = QStringLiteral("\r\n");

QString withoutScheme(const QString &url)
{
    const QUrl u(url);
    QString path = u.path();
    if (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return u.host() + path;
}

} // namespace

QString aboutText()
{
    const QString secondHost = QUrl(platform::kSecondFanSite).host();
    QString text = kCrLf + kCrLf + QStringLiteral("-Created by Zantho Games\u00AE for:") + kCrLf;
    text += withoutScheme(platform::kFirstFanSite) + kCrLf;
    text += withoutScheme(platform::kSecondFanSite) + kCrLf;
    text += QStringLiteral("webmaster@") + secondHost + kCrLf + kCrLf;
    text += QStringLiteral("www.zantho-games.example.com") + kCrLf;
    text += QStringLiteral("info@zantho-games.example.com");
    return text;
}

Form4::Form4() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zantho Puzzle +1"));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(platform::twipsToPixels(6015), platform::twipsToPixels(4545));

    Image1 = new platform::Picture(this, QStringLiteral("Image1"), -30, -15, 6060, 4590);
    Image1->setPicture(resources::pixmap(resources::name::recordsBackground));

    const QColor yellow(255, 255, 0), green(0, 255, 0), darkGreen(0, 192, 0), blue(16, 64, 200),
        teal(0, 192, 192), cyan(0, 255, 255);

    Label2 = field(QStringLiteral("Label2"), 720, 240, 4575, QStringLiteral("About"),
                   QColor(255, 255, 192), true);
    Label2->setTwips(720, 240, 4575, 1935);

    field(QStringLiteral("Label3"), 960, 2280, 735, QStringLiteral("Records:"), yellow, false);
    field(QStringLiteral("Label4"), 2227, 2400, 615, QStringLiteral("Name:"), green, false);
    field(QStringLiteral("Label5"), 4027, 2400, 615, QStringLiteral("Clicks:"), green, false);
    field(QStringLiteral("Label6"), 4867, 2400, 495, QStringLiteral("Time:"), green, false);

    field(QStringLiteral("Label23"), 480, 2775, 735, QStringLiteral("Normal:"), blue, false);
    field(QStringLiteral("Label7"), 1200, 2640, 585, QStringLiteral("Clicks:"), darkGreen, false)
        ->setTwips(1200, 2640, 585, 195);
    field(QStringLiteral("Label8"), 1320, 2880, 480, QStringLiteral("Time:"), darkGreen, false)
        ->setTwips(1320, 2880, 480, 195);
    const QString dots = QStringLiteral("..."), zero = QStringLiteral("0");
    EName1 = field(QStringLiteral("EName1"), 2227, 2640, 1695, dots, teal, false);
    EClicks1 = field(QStringLiteral("EClicks1"), 4027, 2640, 615, zero, teal, true);
    ETime1 = field(QStringLiteral("ETime1"), 4747, 2640, 615, zero, teal, true);
    EName2 = field(QStringLiteral("EName2"), 2227, 2880, 1695, dots, teal, false);
    EClicks2 = field(QStringLiteral("EClicks2"), 4027, 2880, 615, zero, teal, true);
    ETime2 = field(QStringLiteral("ETime2"), 4747, 2880, 615, zero, teal, true);

    field(QStringLiteral("Label24"), 480, 3360, 495, QStringLiteral("Hard:"), blue, false);
    field(QStringLiteral("Label22"), 1200, 3240, 585, QStringLiteral("Clicks:"), green, false)
        ->setTwips(1200, 3240, 585, 195);
    field(QStringLiteral("Label21"), 1320, 3480, 480, QStringLiteral("Time:"), green, false)
        ->setTwips(1320, 3480, 480, 195);
    HName1 = field(QStringLiteral("HName1"), 2227, 3240, 1695, dots, cyan, false);
    HClicks1 = field(QStringLiteral("HClicks1"), 4027, 3240, 615, zero, cyan, true);
    HTime1 = field(QStringLiteral("HTime1"), 4747, 3240, 615, zero, cyan, true);
    HName2 = field(QStringLiteral("HName2"), 2227, 3480, 1695, dots, cyan, false);
    HClicks2 = field(QStringLiteral("HClicks2"), 4027, 3480, 615, zero, cyan, true);
    HTime2 = field(QStringLiteral("HTime2"), 4747, 3480, 615, zero, cyan, true);

    Label1 = platform::makeCloseLabel(this, QStringLiteral("Label1"), 2520, 3600);
    connect(Label1, &platform::Label::clicked, this, &Form4::closeClicked);

    load();
}

platform::Label *Form4::field(const QString &name, float left, float top, float width,
                              const QString &caption, const QColor &color, bool centred)
{
    auto *label = new platform::Label(this, name, left, top, width, 255, caption);
    label->setFontSpec(QStringLiteral("MS Sans Serif"), 8.25, true);
    label->setForeColor(color);
    if (centred)
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    return label;
}

void Form4::load()
{
    platform::ShapeWindow(this, resources::image(resources::name::recordsSkin));

    Label2->setCaption(aboutText());

    const QString file = data_tree::recordsFile();
    const QString ea = QStringLiteral("EA"), ha = QStringLiteral("HA");
    const QString eTime1 = formatStoredTime(ReadSetting(file, ea, QStringLiteral("TIE1")));
    const QString eClicks1 = ReadSetting(file, ea, QStringLiteral("CLI1"));
    const QString eTime2 = formatStoredTime(ReadSetting(file, ea, QStringLiteral("TIE2")));
    const QString eClicks2 = ReadSetting(file, ea, QStringLiteral("CLI2"));
    const QString eName1 = ReadSetting(file, ea, QStringLiteral("NAMCL"));
    const QString eName2 = ReadSetting(file, ea, QStringLiteral("NAMTI"));
    const QString hTime1 = formatStoredTime(ReadSetting(file, ha, QStringLiteral("TIE1")));
    const QString hClicks1 = ReadSetting(file, ha, QStringLiteral("CLI1"));
    const QString hTime2 = formatStoredTime(ReadSetting(file, ha, QStringLiteral("TIE2")));
    const QString hClicks2 = ReadSetting(file, ha, QStringLiteral("CLI2"));
    const QString hName1 = ReadSetting(file, ha, QStringLiteral("NAMCL"));
    const QString hName2 = ReadSetting(file, ha, QStringLiteral("NAMTI"));

    EName1->setCaption(eName1);
    EClicks1->setCaption(eClicks1);
    ETime1->setCaption(eTime1);
    EName2->setCaption(eName2);
    EClicks2->setCaption(eClicks2);
    ETime2->setCaption(eTime2);
    HName1->setCaption(hName1);
    HClicks1->setCaption(hClicks1);
    HTime1->setCaption(hTime1);
    HName2->setCaption(hName2);
    HClicks2->setCaption(hClicks2);
    HTime2->setCaption(hTime2);
}

void Form4::paintEvent(QPaintEvent *)
{
    // The skin is the window's own picture, under every element; a dark sheet stands in
    // while there is none.
    QPainter painter(this);
    const QPixmap skin = platform::SkinPixmap(resources::name::recordsSkin);
    if (skin.isNull())
        painter.fillRect(rect(), QColor(0, 64, 64));
    else
        painter.drawPixmap(0, 0, skin);
}

void Form4::closeClicked()
{
    platform::music::stop();
    platform::music::close();
    platform::services().endProgram(0);
}

void showRecordsWindow()
{
    auto *window = new Form4;
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
}

} // namespace records
