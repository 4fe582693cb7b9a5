#include "game_window/form1.h"

#include "core/shuffler.h"
#include "game_window/game_clock.h"
#include "game_window/tile_enabling.h"
#include "menu/data_tree.h"
#include "menu/menu_window.h"
#include "platform/music.h"
#include "platform/services.h"
#include "platform/web_link.h"
#include "records/completion_dialog.h"
#include "records/records_window.h"
#include "resources/resources.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace
{

const QString kFace = QStringLiteral("MS Sans Serif");
constexpr qreal kPoints = 9.75;
const QString kDone = QStringLiteral("Done");
const QString kDisordering = QStringLiteral("Disordering... Please wait");

// The window's own pictures. Until a picture exists in the program, a plain stand-in of the
// design size keeps the window usable; each stand-in is a picture object of its own, so the
// banner still tells its holders apart.
QPixmap designPicture(const QString &name, QSize size, QColor standIn)
{
    QPixmap picture = resources::pixmap(name);
    if (picture.isNull()) {
        picture = QPixmap(size);
        picture.fill(standIn);
    }
    return picture;
}

platform::Label *styledLabel(QWidget *parent, const QString &name, float left, float top,
                             float width, float height, const QString &caption,
                             Qt::Alignment alignment, QColor color)
{
    auto *label = new platform::Label(parent, name, left, top, width, height, caption);
    label->setFontSpec(kFace, kPoints, true);
    label->setAlignment(alignment | Qt::AlignTop);
    label->setForeColor(color);
    return label;
}

// Hidden labels are counters and last-value stores; they are never drawn.
platform::Label *hiddenLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new platform::Label(parent, name, 0, 7800, 855, 255, caption);
    label->hide();
    return label;
}

core::RandomSource &randomSource()
{
    if (const auto &random = platform::services().random)
        return *random;
    static core::ClockSeededRandom fallback;
    return fallback;
}

QString timeText()
{
    const auto &clock = platform::services().clock;
    return clock ? clock->timeText() : QString();
}

int msToNextSecond()
{
    const auto &clock = platform::services().clock;
    return clock ? clock->msToNextSecond() : 1000;
}

} // namespace

Form1::Form1(QWidget *parent) : QWidget(parent), m_openLink(platform::OpenWebLink)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zantho Games - Puzzle +1"));
    setFixedSize(platform::twipsToPixels(10275), platform::twipsToPixels(7065));
    const QPixmap icon = resources::pixmap(resources::name::windowIcon);
    if (!icon.isNull())
        setWindowIcon(icon);

    // Created first, so it stays behind every other element.
    Image1 = new platform::Picture(this, QStringLiteral("Image1"), 0, -120, 10320, 7245);
    Image1->setPicture(
        designPicture(resources::name::gameBackground, QSize(712, 475), QColor(24, 40, 72)));

    createBoard();
    createLabels();
    createButtons();
    createBanner();
    createTimers();

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

Form1::~Form1() = default;

void Form1::createBoard()
{
    ImEPrev = new platform::Picture(this, QStringLiteral("ImEPrev"), 6360, 840, 3660, 2700);
    ImGPrev = new platform::Picture(this, QStringLiteral("ImGPrev"), 6720, 480, 2820, 3780);

    const auto makeSet = [this](auto &tiles, const core::Board &board, const QString &prefix) {
        const core::Layout &l = board.layout();
        const int last = static_cast<int>(tiles.size()) - 1;
        for (int i = 0; i <= last; ++i) {
            const bool blank = i == last;
            const core::Position p = blank ? board.blank() : board.tile(i + 1);
            const QString name = prefix + (blank ? QStringLiteral("No") : QString::number(i + 1));
            auto *tile =
                new platform::Picture(this, name, p.left, p.top, l.tileWidth, l.tileHeight);
            tile->setEnabled(false); // the first shuffle must run undisturbed
            tiles[static_cast<std::size_t>(i)] = tile;
        }
    };
    makeSet(m_normalTiles, m_normal, QStringLiteral("ImE"));
    makeSet(m_hardTiles, m_hard, QStringLiteral("ImG"));

    // The blank tile has no click action: it only ever trades places with a neighbour.
    for (int k = 1; k <= m_normal.numberedTiles(); ++k) {
        connect(m_normalTiles[static_cast<std::size_t>(k - 1)], &platform::Picture::clicked, this,
                [this, k] { tileClicked(m_normal, normalSet(), k); });
    }
    for (int k = 1; k <= m_hard.numberedTiles(); ++k) {
        connect(m_hardTiles[static_cast<std::size_t>(k - 1)], &platform::Picture::clicked, this,
                [this, k] { tileClicked(m_hard, hardSet(), k); });
    }
}

void Form1::createLabels()
{
    const QColor green(0, 255, 0);
    const QColor white(255, 255, 255);
    Label1 = styledLabel(this, QStringLiteral("Label1"), 0, 6780, 5775, 315, kDone,
                         Qt::AlignHCenter, green);
    Label2 = styledLabel(this, QStringLiteral("Label2"), 8160, 4680, 855, 255,
                         QStringLiteral("Time:"), Qt::AlignRight, white);
    LbCount = styledLabel(this, QStringLiteral("LbCount"), 9120, 4725, 855, 255,
                          QStringLiteral("0"), Qt::AlignHCenter, white);
    Label4 = styledLabel(this, QStringLiteral("Label4"), 8160, 5040, 855, 255,
                         QStringLiteral("Clicks:"), Qt::AlignRight, white);
    LbClicks = styledLabel(this, QStringLiteral("LbClicks"), 9135, 5100, 855, 255,
                           QStringLiteral("0"), Qt::AlignHCenter, white);

    LbDisorder = hiddenLabel(this, QStringLiteral("LbDisorder"), QStringLiteral("1"));
    LbSMus = hiddenLabel(this, QStringLiteral("LbSMus"), QStringLiteral("LbSMus"));
    LbSecs = hiddenLabel(this, QStringLiteral("LbSecs"), QStringLiteral("LbSecs"));
    LbHour = hiddenLabel(this, QStringLiteral("LbHour"), QStringLiteral("LbHour"));
    LbRepMus = hiddenLabel(this, QStringLiteral("LbRepMus"), QStringLiteral("LbRepMus"));

    connect(LbSMus, &platform::Label::changed, this, &Form1::countPlaySecond);
    connect(LbHour, &platform::Label::changed, this, &Form1::countMusicSecond);
    connect(LbRepMus, &platform::Label::changed, this, &Form1::musicSecondChanged);
}

void Form1::createButtons()
{
    const auto button = [this](const QString &name, float left, float top, const QString &picture,
                               QColor standIn) {
        auto *b = new platform::Picture(this, name, left, top, 480, 480);
        b->setPicture(designPicture(picture, QSize(32, 32), standIn));
        b->setCursor(resources::cursor(resources::CursorKind::Button));
        return b;
    };
    Image3 = button(QStringLiteral("Image3"), 7080, 4680, resources::name::iconStop,
                    QColor(200, 40, 40));
    Image4 = button(QStringLiteral("Image4"), 6600, 5280, resources::name::iconBack,
                    QColor(40, 120, 200));
    Image2 = button(QStringLiteral("Image2"), 6600, 5880, resources::name::iconRestart,
                    QColor(40, 170, 70));

    connect(Image2, &platform::Picture::clicked, this, &Form1::Image2_Click);
    connect(Image3, &platform::Picture::clicked, this, &Form1::Image3_Click);
    connect(Image4, &platform::Picture::clicked, this, &Form1::Image4_Click);

    connect(Image1, &platform::Picture::mouseMoved, this, &Form1::backgroundHover);
    connect(Image2, &platform::Picture::mouseMoved, this,
            [this] { hover(QStringLiteral("Press here to restart the game...")); });
    connect(Image3, &platform::Picture::mouseMoved, this,
            [this] { hover(QStringLiteral("Press here to stop...")); });
    connect(Image4, &platform::Picture::mouseMoved, this,
            [this] { hover(QStringLiteral("Press here to go back...")); });
}

void Form1::createBanner()
{
    ImgBanner = new platform::Picture(this, QStringLiteral("ImgBanner"), 8070, 5820, 1530, 555);
    ImgBanner->setCursor(resources::cursor(resources::CursorKind::Banner));

    const QString names[4] = {resources::name::ind1, resources::name::ind2, resources::name::ind3,
                              resources::name::ind4};
    const QColor standIns[4] = {QColor(230, 180, 40), QColor(60, 160, 220), QColor(230, 120, 40),
                                QColor(60, 200, 160)};
    for (int i = 0; i < 4; ++i) {
        // Ind1 and Ind3 are 100 x 35 pixels, Ind2 and Ind4 102 x 37.
        const bool small = i % 2 == 0;
        const float w = small ? 1500 : 1530;
        const float h = small ? 525 : 555;
        auto *holder = new platform::Picture(this, QStringLiteral("Ind") + QString::number(i + 1),
                                             8070, 7800, w, h);
        holder->setPicture(
            designPicture(names[i], small ? QSize(100, 35) : QSize(102, 37), standIns[i]));
        holder->hide();
        Ind[static_cast<std::size_t>(i)] = holder;
    }

    // The design picture looks like Ind2 but is a picture of its own: a click on it, before
    // the first tick, belongs to no site.
    QPixmap design = designPicture(resources::name::banner, QSize(102, 37), standIns[1]);
    for (const platform::Picture *holder : Ind) {
        if (design.cacheKey() == holder->picture().cacheKey())
            design = design.copy();
    }
    ImgBanner->setPicture(design);

    connect(ImgBanner, &platform::Picture::clicked, this, &Form1::ImgBanner_Click);
    connect(ImgBanner, &platform::Picture::mouseMoved, this,
            [this] { hover(QStringLiteral("Press here to visit the website...")); });
}

void Form1::createTimers()
{
    Timer1 = new platform::Timer(this, QStringLiteral("Timer1"), 0);
    Timer2 = new platform::Timer(this, QStringLiteral("Timer2"), 0);
    TimSmus = new platform::Timer(this, QStringLiteral("TimSmus"), 0);
    TmHour = new platform::Timer(this, QStringLiteral("TmHour"), 200);
    TmrBanner = new platform::Timer(this, QStringLiteral("TmrBanner"), 500);

    // The clocks care only for changes of the time text: waking once a second, just past the
    // boundary, counts the same seconds as polling all the time, at a fraction of the cost.
    TimSmus->alignToSecondBoundaries(msToNextSecond);
    TmHour->alignToSecondBoundaries(msToNextSecond);

    connect(Timer1, &platform::Timer::tick, this, &Form1::Timer1_Timer);
    connect(Timer2, &platform::Timer::tick, this, &Form1::Timer2_Timer);
    connect(TimSmus, &platform::Timer::tick, this, &Form1::TimSmus_Timer);
    connect(TmHour, &platform::Timer::tick, this, &Form1::TmHour_Timer);
    connect(TmrBanner, &platform::Timer::tick, this, &Form1::TmrBanner_Timer);
}

QList<platform::Picture *> Form1::normalSet() const
{
    return QList<platform::Picture *>(m_normalTiles.begin(), m_normalTiles.end());
}

QList<platform::Picture *> Form1::hardSet() const
{
    return QList<platform::Picture *>(m_hardTiles.begin(), m_hardTiles.end());
}

void Form1::setLinkOpener(std::function<void(QWidget *, const QString &)> opener)
{
    m_openLink = std::move(opener);
}

// ---- The board

void Form1::placeTile(platform::Picture *tile, core::Position p)
{
    // Only a tile that really moved is touched, so a step repaints just the two cells.
    if (tile->left() != p.left || tile->top() != p.top)
        tile->setTwips(p.left, p.top, tile->twipsWidth(), tile->twipsHeight());
}

void Form1::placeSet(const core::Board &board, const QList<platform::Picture *> &set)
{
    for (int k = 1; k <= board.numberedTiles(); ++k)
        placeTile(set[k - 1], board.tile(k));
    placeTile(set.back(), board.blank());
}

void Form1::tileClicked(core::Board &board, const QList<platform::Picture *> &set, int k)
{
    if (core::slideTile(board, k) != core::Slide::None) {
        placeTile(set[k - 1], board.tile(k));
        placeTile(set.back(), board.blank());
        LbClicks->setValue(static_cast<long long>(LbClicks->value()) + 1);
    }
    // Even a click that moves nothing asks: a shuffle may have ended on the solved picture.
    if (!core::CheckSolved(board))
        return;
    QPointer<Form1> alive(this);
    records::showCompletionDialog(this);
    if (alive)
        Image4_Click();
}

// ---- Round sequencer and shuffle

void Form1::Timer1_Timer()
{
    Label1->setCaption(kDisordering);
    // The classic step disabled the window while it ran. A step runs to its end before any
    // input is handled, so nothing can reach the window meanwhile, and toggling Enabled
    // would repaint every element twice per step.
    LbDisorder->setValue(core::RandomNumber(0, 5, randomSource()));
    const int direction = static_cast<int>(LbDisorder->value());
    if (normalActive()) {
        if (core::shuffleMove(m_normal, direction))
            placeSet(m_normal, normalSet());
    } else if (hardActive()) {
        if (core::shuffleMove(m_hard, direction))
            placeSet(m_hard, hardSet());
    }
}

void Form1::Timer2_Timer()
{
    using Step = game_window::RoundSequencer::Step;
    switch (m_sequencer.tick()) {
    case Step::StartShuffle:
        Timer1->setInterval(1);
        break;
    case Step::StopShuffle:
        Timer1->setInterval(0);
        break;
    case Step::OpenPlay:
        Label1->setCaption(kDone);
        if (hardActive())
            EnableHardTiles(*this, true);
        if (normalActive())
            EnableNormalTiles(*this, true);
        TimSmus->setInterval(1);
        Timer2->setInterval(0);
        break;
    case Step::None:
        break;
    }
}

void Form1::Image2_Click()
{
    TimSmus->setInterval(0);
    LbCount->setCaption(QStringLiteral("0"));
    LbClicks->setCaption(QStringLiteral("0"));
    LbSecs->setCaption(QStringLiteral("0"));
    Timer2->setInterval(500);
}

// ---- Clocks

void Form1::TimSmus_Timer()
{
    LbSMus->setCaption(timeText());
}

void Form1::countPlaySecond()
{
    LbSecs->setValue(game_window::nextPlaySeconds(LbSecs->value()));
    LbCount->setCaption(game_window::playTimeText(static_cast<long long>(LbSecs->value())));
}

void Form1::TmHour_Timer()
{
    LbHour->setCaption(timeText());
}

void Form1::countMusicSecond()
{
    LbRepMus->setValue(static_cast<long long>(LbRepMus->value()) + 1);
}

void Form1::musicSecondChanged()
{
    if (game_window::isMusicRepeat(LbRepMus->value()))
        platform::music::restart();
}

// ---- Hover texts, buttons and banner

void Form1::hover(const QString &text)
{
    Label1->setCaption(text);
}

void Form1::backgroundHover()
{
    // The shuffle's own text stays while it runs; every step writes it again anyway.
    if (Label1->caption() != kDisordering)
        Label1->setCaption(kDone);
}

void Form1::Image3_Click()
{
    TimSmus->setInterval(0);
    TmHour->setInterval(0);
    platform::music::stop();
    LbRepMus->setCaption(QStringLiteral("0"));

    QPointer<Form1> alive(this);
    const auto &ask = platform::services().askOkCancel;
    const bool ok = ask && ask(this, QStringLiteral("Are you sure you want to close the game?"),
                               QStringLiteral("Zantho Puzzle +1"));
    if (!alive)
        return;
    if (ok) {
        platform::music::stopAndClose();
        unload();
        records::showRecordsWindow();
    } else {
        platform::music::play();
        // From now on the music clock polls as often as the game clock; it counts the same.
        TimSmus->setInterval(1);
        TmHour->setInterval(1);
    }
}

void Form1::Image4_Click()
{
    platform::music::switchTo(data_tree::menuMusic());
    menu::showMenuWindow();
    unload();
}

void Form1::TmrBanner_Timer()
{
    if (const int holder = m_banner.tick())
        ImgBanner->setPicture(Ind[static_cast<std::size_t>(holder - 1)]->picture());
}

int Form1::shownBannerHolder() const
{
    for (int holder : {1, 3, 2, 4}) {
        if (ImgBanner->shows(Ind[static_cast<std::size_t>(holder - 1)]->picture()))
            return holder;
    }
    return 0;
}

void Form1::ImgBanner_Click()
{
    if (m_openLink)
        m_openLink(this, game_window::bannerAddress(shownBannerHolder()));
}

// ---- Unloading

void Form1::unload()
{
    // Deletion waits for the event loop; nothing of a closed game may tick until then.
    for (platform::Timer *timer : {Timer1, Timer2, TimSmus, TmHour, TmrBanner})
        timer->setInterval(0);
    m_unloading = true;
    close();
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_unloading) {
        event->accept();
        return;
    }
    // The title bar's close button means what the stop button means: without the question
    // the player would be left with no window and a program still running. The question
    // comes after this event, so that an OK can close the window for real.
    event->ignore();
    QMetaObject::invokeMethod(this, &Form1::Image3_Click, Qt::QueuedConnection);
}
