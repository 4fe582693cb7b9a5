#include "menu/form2.h"

#include "menu/data_tree.h"
#include "menu/game_setup.h"
#include "platform/elements.h"
#include "platform/help_window.h"
#include "platform/music.h"
#include "platform/pictures.h"
#include "platform/web_link.h"
#include "platform/window_shape.h"
#include "records/records_window.h"
#include "resources/resources.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

namespace menu
{

namespace
{

constexpr int kPictures = 28;
constexpr int kLastNormalPicture = 9;

platform::Label *makeLabel(QWidget *parent, const QString &name, float left, float top, float width,
                           float height, const QString &caption, const QColor &colour,
                           Qt::Alignment alignment = Qt::AlignLeft)
{
    auto *label = new platform::Label(parent, name, left, top, width, height, caption);
    label->setFontSpec(QStringLiteral("MS Sans Serif"), 8.25, true);
    label->setForeColor(colour);
    label->setAlignment(alignment | Qt::AlignTop);
    return label;
}

platform::Picture *makePicture(QWidget *parent, const QString &name, float left, float top,
                               float width, float height, const QString &resource = {})
{
    auto *picture = new platform::Picture(parent, name, left, top, width, height);
    if (!resource.isEmpty())
        picture->setPicture(resources::pixmap(resource));
    return picture;
}

} // namespace

Form2::Form2()
{
    using namespace resources;
    setObjectName(QStringLiteral("Form2"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zantho Games - Puzzle +1"));
    setWindowIcon(pixmap(name::windowIcon));
    setFixedSize(platform::twipsRect(0, 0, 5460, 4065).size());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(p);
    setAutoFillBackground(true);

    const QColor yellow(255, 255, 0);
    const QColor green(0, 255, 0);

    Image3 = makePicture(this, QStringLiteral("Image3"), -15, 0, 5490, 330, name::menuTitle);
    Image1 = makePicture(this, QStringLiteral("Image1"), 150, 330, 5130, 3420, name::menuPanel);
    Label3 = makeLabel(this, QStringLiteral("Label3"), 360, 345, 2055, 255,
                       QStringLiteral("Select a picture :"), yellow);
    ImgHorizontal = makePicture(this, QStringLiteral("ImgHorizontal"), 450, 720, 3015, 2235);
    ImgVertical = makePicture(this, QStringLiteral("ImgVertical"), 1020, 585, 1965, 2595);
    Image5 = makePicture(this, QStringLiteral("Image5"), 450, 3150, 510, 510, name::iconPrevious);
    Image6 = makePicture(this, QStringLiteral("Image6"), 3030, 3165, 510, 510, name::iconNext);
    Label6 = makeLabel(this, QStringLiteral("Label6"), 1200, 3285, 975, 255,
                       QStringLiteral("Difficulty :   "), yellow);
    LbDificultad = makeLabel(this, QStringLiteral("LbDificultad"), 2160, 3285, 675, 255,
                             QStringLiteral("Normal"), green);
    LbCual = makeLabel(this, QStringLiteral("LbCual"), 3720, 3000, 135, 255, QStringLiteral("1"),
                       Qt::black);
    LbCual->hide();
    Image2 = makePicture(this, QStringLiteral("Image2"), 4320, 780, 480, 480, name::iconPlay);
    LbPlay = makeLabel(this, QStringLiteral("LbPlay"), 4290, 1140, 495, 210, QStringLiteral("Play"),
                       actionColour(), Qt::AlignHCenter);
    Image4 = makePicture(this, QStringLiteral("Image4"), 4200, 1380, 720, 720, name::iconHelp);
    LbHelp = makeLabel(this, QStringLiteral("LbHelp"), 4320, 1950, 495, 210, QStringLiteral("Help"),
                       actionColour(), Qt::AlignHCenter);
    Image7 = makePicture(this, QStringLiteral("Image7"), 4320, 2340, 480, 480, name::iconExit);
    LbExit = makeLabel(this, QStringLiteral("LbExit"), 4320, 2820, 495, 210, QStringLiteral("Exit"),
                       actionColour(), Qt::AlignHCenter);
    Image8 = makePicture(this, QStringLiteral("Image8"), -15, 3750, 2625, 315, name::linkBar1);
    Label1 = makeLabel(this, QStringLiteral("Label1"), 120, 3840, 2415, 135, {}, Qt::black);
    Image9 = makePicture(this, QStringLiteral("Image9"), 2805, 3750, 2655, 315, name::linkBar2);
    Label2 = makeLabel(this, QStringLiteral("Label2"), 3000, 3840, 2175, 135, {}, Qt::black);

    // Where two elements overlap the upper one takes the mouse: the Play icon covers the
    // top of its label, the word "Help" the bottom of its icon.
    for (QWidget *w : std::initializer_list<QWidget *>{
             Image1, Label6, LbDificultad, Image5, Image6,      Image7,        Image4,
             LbCual, Image3, Image8,       Image9, ImgVertical, ImgHorizontal, Label1,
             Label2, LbPlay, Image2,       LbHelp, LbExit,      Label3})
        w->raise();

    const QCursor pointer = resources::cursor(CursorKind::MenuPointer);
    for (QWidget *w :
         std::initializer_list<QWidget *>{Image5, Image6, Image2, Image4, Image7, Label1, Label2})
        w->setCursor(pointer);

    new platform::WindowDragHandle(Image3, this);

    connect(Image1, &platform::Picture::mouseMoved, this, [this] { highlightAction(nullptr); });
    connect(Image2, &platform::Picture::mouseMoved, this, [this] { highlightAction(LbPlay); });
    connect(Image4, &platform::Picture::mouseMoved, this, [this] { highlightAction(LbHelp); });
    connect(Image7, &platform::Picture::mouseMoved, this, [this] { highlightAction(LbExit); });
    connect(Image5, &platform::Picture::clicked, this, &Form2::previousPicture);
    connect(Image6, &platform::Picture::clicked, this, &Form2::nextPicture);
    connect(Image2, &platform::Picture::clicked, this, &Form2::play);
    connect(Image4, &platform::Picture::clicked, this, &Form2::help);
    connect(Image7, &platform::Picture::clicked, this, &Form2::exitGame);
    connect(Label1, &platform::Label::clicked, this,
            [this] { platform::OpenWebLink(this, platform::kFirstFanSite); });
    connect(Label2, &platform::Label::clicked, this,
            [this] { platform::OpenWebLink(this, platform::kSecondFanSite); });

    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = rect();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool Form2::load()
{
    platform::ShapeWindow(this, resources::image(resources::name::menuSkin));
    // At design both frames are visible and the portrait one is empty, so the landscape
    // frame shows picture 1 without touching visibility or the level.
    const QPixmap preview = platform::loadPicture(data_tree::menuPreview(true, LbCual->caption()));
    if (preview.isNull())
        return false;
    ImgHorizontal->setPicture(preview);
    platform::music::openAndPlay(data_tree::menuMusic());
    return true;
}

void Form2::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawPixmap(0, 0, platform::SkinPixmap(resources::name::menuSkin));
}

void Form2::previousPicture()
{
    LbCual->setValue(static_cast<long long>(LbCual->value()) - 1);
    if (LbCual->value() == 0)
        LbCual->setValue(kPictures);
    showPicture();
}

void Form2::nextPicture()
{
    LbCual->setValue(static_cast<long long>(LbCual->value()) + 1);
    if (LbCual->value() == kPictures + 1)
        LbCual->setValue(1);
    showPicture();
}

void Form2::showPicture()
{
    const QString n = LbCual->caption();
    // The frame of the other level keeps its last picture while hidden.
    if (LbCual->value() > kLastNormalPicture) {
        LbDificultad->setCaption(QStringLiteral("Hard"));
        ImgVertical->show();
        const QPixmap preview = platform::loadPicture(data_tree::menuPreview(false, n));
        if (preview.isNull())
            return;
        ImgVertical->setPicture(preview);
        ImgHorizontal->hide();
    } else {
        LbDificultad->setCaption(QStringLiteral("Normal"));
        ImgVertical->hide();
        ImgHorizontal->show();
        const QPixmap preview = platform::loadPicture(data_tree::menuPreview(true, n));
        if (preview.isNull())
            return;
        ImgHorizontal->setPicture(preview);
    }
}

void Form2::highlightAction(platform::Label *active)
{
    for (platform::Label *label : {LbPlay, LbHelp, LbExit})
        label->setForeColor(label == active ? highlight() : actionColour());
}

void Form2::play()
{
    // Game setup closes this window itself.
    menu::setupGame(this, LbCual->caption(), LbDificultad->caption());
}

void Form2::help()
{
    platform::showHelpWindow(this, data_tree::helpPage());
}

void Form2::exitGame()
{
    platform::music::stopAndClose();
    close();
    records::showRecordsWindow();
}

} // namespace menu
