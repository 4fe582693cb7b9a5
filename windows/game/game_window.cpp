#include "windows/game/game_window.h"

#include "core/shuffler.h"
#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/elements.h"
#include "platform/music_player.h"
#include "platform/shortest_solver.h"
#include "platform/web_link.h"
#include "platform/window_place.h"
#include "resources/resources.h"
#include "windows/game/board_geometry.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>

#include <algorithm>
#include <chrono>

namespace windows
{

namespace
{

const QString kFace = QStringLiteral("MS Sans Serif");
constexpr qreal kPoints = 9.75;

// How long a win waits for the solver to say how few clicks the game needed.
constexpr std::chrono::milliseconds kShortestWait{100};

QString statusText(session::Status status)
{
    switch (status) {
    case session::Status::Done:
        return QStringLiteral("Done");
    case session::Status::Disordering:
        return QStringLiteral("Disordering... Please wait");
    case session::Status::RestartHint:
        return QStringLiteral("Press here to restart the game...");
    case session::Status::StopHint:
        return QStringLiteral("Press here to stop...");
    case session::Status::BackHint:
        return QStringLiteral("Press here to go back...");
    case session::Status::BannerHint:
        return QStringLiteral("Press here to visit the website...");
    case session::Status::HintHint:
        return QStringLiteral("Press here for a hint...");
    }
    return {};
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

// How a reader names a tile: which piece of the picture it carries, and where it stands.
QString tileName(const core::Board &board, int k)
{
    const core::Grid &grid = board.grid();
    const int cell = k == 0 ? board.blankCell() : board.cellOf(k);
    const int piece = k == 0 ? grid.cells() : k;
    return QStringLiteral("Piece %1 of %2%3, row %4, column %5")
        .arg(piece)
        .arg(grid.cells())
        .arg(k == 0 ? QStringLiteral(" (the blank tile)") : QString())
        .arg(grid.row(cell) + 1)
        .arg(grid.column(cell) + 1);
}

} // namespace

GameWindow::GameWindow(core::Level level, const GamePictures &pictures,
                       const GameServices &services, QWidget *parent)
    : QWidget(parent), m_round(level), m_clock(services.clock), m_random(services.random),
      m_music(services.music), m_desktop(services.desktop), m_solver(services.solver)
{
    setObjectName(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Zantho Games - Puzzle +1"));
    setFixedSize(platform::twipsToPixels(10275), platform::twipsToPixels(7065));
    setWindowIcon(resources::pixmap(resources::name::windowIcon));

    // Created first, so it stays behind every other element.
    m_background = new platform::Picture(this, QStringLiteral("Image1"), 0, -120, 10320, 7245);
    // The largest picture of the game: one copy, at the size it is shown.
    m_background->setPictureFitted(resources::pixmap(resources::name::gameBackground));

    createBoard(pictures);
    createLabels();
    createButtons();
    createBanner();
    createTimers();

    platform::centreOnScreen(this);
}

GameWindow::~GameWindow() = default;

void GameWindow::createBoard(const GamePictures &pictures)
{
    const bool normal = m_round.level() == core::Level::Normal;
    const TwipsRect at = previewTwips(m_round.level());
    m_preview =
        new platform::Picture(this, normal ? QStringLiteral("ImEPrev") : QStringLiteral("ImGPrev"),
                              at.left, at.top, at.width, at.height);
    m_preview->setPicture(pictures.whole);
    platform::describe(m_preview, QAccessible::Graphic, QStringLiteral("The whole picture"));

    const QString prefix = normal ? QStringLiteral("ImE") : QStringLiteral("ImG");
    const TileGeometry &g = tileGeometryOf(m_round.level());
    const core::Board &board = m_round.board();
    const int n = board.numberedTiles();
    m_tiles.assign(static_cast<std::size_t>(n) + 1, nullptr);
    // In the order of their home cells, the blank tile last, as the board was first laid out.
    for (int k = 1; k <= n + 1; ++k) {
        const int tile = k <= n ? k : 0;
        const QString name = prefix + (tile == 0 ? QStringLiteral("No") : QString::number(tile));
        const TwipsPoint at =
            cellTwips(m_round.level(), tile == 0 ? board.blankCell() : board.cellOf(tile));
        auto *element = new platform::Picture(this, name, at.left, at.top, g.width, g.height);
        // Cell k of the picture belongs to the tile whose home is cell k; the blank tile takes
        // the last cell, so the board opens on the whole picture.
        element->setPicture(pictures.cells.value(k - 1));
        platform::describe(element, QAccessible::Button, tileName(board, tile));
        element->setEnabled(false); // the first shuffle must run undisturbed
        m_tiles[static_cast<std::size_t>(tile)] = element;
        // The blank tile has no click action: it only ever trades places with a neighbour.
        if (tile != 0)
            connect(element, &platform::Picture::clicked, this,
                    [this, tile] { onTileClicked(tile); });
    }
}

void GameWindow::createLabels()
{
    const QColor green(0, 255, 0);
    const QColor white(255, 255, 255);
    m_statusLine = styledLabel(this, QStringLiteral("Label1"), 0, 6780, 5775, 315,
                               statusText(m_round.status()), Qt::AlignHCenter, green);
    styledLabel(this, QStringLiteral("Label2"), 8160, 4680, 855, 255, QStringLiteral("Time:"),
                Qt::AlignRight, white);
    m_timeCounter =
        styledLabel(this, QStringLiteral("LbCount"), 9120, 4725, 855, 255,
                    QString::fromStdString(m_round.playTimeText()), Qt::AlignHCenter, white);
    styledLabel(this, QStringLiteral("Label4"), 8160, 5040, 855, 255, QStringLiteral("Clicks:"),
                Qt::AlignRight, white);
    m_clickCounter = styledLabel(this, QStringLiteral("LbClicks"), 9135, 5100, 855, 255,
                                 QString::number(m_round.clicks()), Qt::AlignHCenter, white);
    platform::describe(m_timeCounter, QAccessible::StaticText, QString());
    platform::describe(m_clickCounter, QAccessible::StaticText, QString());
    nameCounters();
}

void GameWindow::createButtons()
{
    const auto button = [this](const QString &name, float left, float top, const QString &icon) {
        auto *b = new platform::Picture(this, name, left, top, 480, 480);
        b->setPicture(resources::pixmap(icon));
        b->setCursor(resources::cursor(resources::CursorKind::Button));
        return b;
    };
    m_stopButton = button(QStringLiteral("Image3"), 7080, 4680, resources::name::iconStop);
    m_backButton = button(QStringLiteral("Image4"), 6600, 5280, resources::name::iconBack);
    m_restartButton = button(QStringLiteral("Image2"), 6600, 5880, resources::name::iconRestart);
    // Right of the back button, below the stop button.
    m_hintButton = button(QStringLiteral("ImHint"), 7080, 5280, resources::name::iconHint);

    platform::describe(m_stopButton, QAccessible::Button, QStringLiteral("Stop"),
                       statusText(session::Status::StopHint));
    platform::describe(m_backButton, QAccessible::Button, QStringLiteral("Back"),
                       statusText(session::Status::BackHint));
    platform::describe(m_restartButton, QAccessible::Button, QStringLiteral("Restart"),
                       statusText(session::Status::RestartHint));
    platform::describe(m_hintButton, QAccessible::Button, QStringLiteral("Hint"),
                       statusText(session::Status::HintHint));

    connect(m_restartButton, &platform::Picture::clicked, this, &GameWindow::onRestartClicked);
    connect(m_stopButton, &platform::Picture::clicked, this, &GameWindow::onStopClicked);
    connect(m_backButton, &platform::Picture::clicked, this, &GameWindow::backRequested);
    connect(m_hintButton, &platform::Picture::clicked, this, &GameWindow::onHintClicked);

    const auto hover = [this](platform::Picture *element, session::Hover target) {
        connect(element, &platform::Picture::mouseMoved, this,
                [this, target] { apply(m_round.hover(target)); });
    };
    hover(m_background, session::Hover::Background);
    hover(m_restartButton, session::Hover::Restart);
    hover(m_stopButton, session::Hover::Stop);
    hover(m_backButton, session::Hover::Back);
    hover(m_hintButton, session::Hover::Hint);
}

void GameWindow::createBanner()
{
    m_banner = new platform::Picture(this, QStringLiteral("ImgBanner"), 8070, 5820, 1530, 555);
    m_banner->setCursor(resources::cursor(resources::CursorKind::Banner));
    // Its own design picture looks like the second one but belongs to no site.
    m_banner->setPicture(resources::pixmap(resources::name::banner));
    m_bannerPictures = {
        resources::pixmap(resources::name::ind1), resources::pixmap(resources::name::ind2),
        resources::pixmap(resources::name::ind3), resources::pixmap(resources::name::ind4)};
    platform::describe(m_banner, QAccessible::Link, bannerName(),
                       statusText(session::Status::BannerHint));
    connect(m_banner, &platform::Picture::clicked, this, &GameWindow::onBannerClicked);
    connect(m_banner, &platform::Picture::mouseMoved, this,
            [this] { apply(m_round.hover(session::Hover::Banner)); });
}

void GameWindow::createTimers()
{
    const session::TimerIntervals &t = m_round.timers();
    m_shuffleTimer = new platform::Timer(this, QStringLiteral("Timer1"), t.shuffle);
    m_sequencerTimer = new platform::Timer(this, QStringLiteral("Timer2"), t.sequencer);
    m_gameClockTimer = new platform::Timer(this, QStringLiteral("TimSmus"), t.gameClock);
    m_musicClockTimer = new platform::Timer(this, QStringLiteral("TmHour"), t.musicClock);
    m_bannerTimer = new platform::Timer(this, QStringLiteral("TmrBanner"), 500);

    // The clocks care only for changes of the time text: waking once a second, just past the
    // boundary, counts the same seconds as polling all the time, at a fraction of the cost.
    const auto msToNextSecond = [this] { return m_clock.msToNextSecond(); };
    m_gameClockTimer->alignToSecondBoundaries(msToNextSecond);
    m_musicClockTimer->alignToSecondBoundaries(msToNextSecond);

    connect(m_shuffleTimer, &platform::Timer::tick, this,
            [this] { apply(m_round.shuffleStep(m_random)); });
    connect(m_sequencerTimer, &platform::Timer::tick, this,
            [this] { apply(m_round.sequencerTick(m_random)); });
    connect(m_gameClockTimer, &platform::Timer::tick, this,
            [this] { apply(m_round.pollGameClock(m_clock.timeText().toStdString())); });
    connect(m_musicClockTimer, &platform::Timer::tick, this,
            [this] { apply(m_round.pollMusicClock(m_clock.timeText().toStdString())); });
    connect(m_bannerTimer, &platform::Timer::tick, this, &GameWindow::onBannerTick);
}

platform::Timer *GameWindow::timer(RoundTimer which) const
{
    switch (which) {
    case RoundTimer::Shuffle:
        return m_shuffleTimer;
    case RoundTimer::Sequencer:
        return m_sequencerTimer;
    case RoundTimer::GameClock:
        return m_gameClockTimer;
    case RoundTimer::MusicClock:
        return m_musicClockTimer;
    case RoundTimer::Banner:
        return m_bannerTimer;
    }
    return nullptr;
}

void GameWindow::start()
{
    apply(m_round.start());
}

// ---- Showing the round

void GameWindow::apply(session::Changes changes)
{
    using C = session::Changes;
    if (changes.has(C::Board))
        placeTiles();
    if (changes.has(C::Clicks))
        m_clickCounter->setCaption(QString::number(m_round.clicks()));
    if (changes.has(C::PlayTime))
        m_timeCounter->setCaption(QString::fromStdString(m_round.playTimeText()));
    if (changes.has(C::Clicks) || changes.has(C::PlayTime))
        nameCounters();
    if (changes.has(C::Status))
        showStatus();
    if (changes.has(C::Tiles))
        enableTiles();
    if (changes.has(C::Timers))
        applyTimers();
    if (changes.has(C::RestartMusic))
        platform::restartTune(m_music);
    if (changes.has(C::Hint))
        showHint();
    if (changes.has(C::Solve))
        followSolves();
    // Last: whoever takes the result may close this window.
    if (changes.has(C::Finished)) {
        awaitShortest();
        Q_EMIT finished(m_round.result());
    }
}

void GameWindow::followSolves()
{
    // A solve for a board the round no longer wants is abandoned; each board it wants has one.
    const std::vector<core::Board> wanted = m_round.solvesWanted();
    std::erase_if(m_solving,
                  [&](const Solving &s) { return !std::ranges::count(wanted, s.board); });
    for (const core::Board &board : wanted) {
        if (std::ranges::any_of(m_solving, [&](const Solving &s) { return s.board == board; }))
            continue;
        auto job = m_solver.solve(board, [this, board](const core::Solution &solution) {
            apply(m_round.solved(board, solution));
        });
        m_solving.push_back({board, std::move(job)});
    }
}

void GameWindow::awaitShortest()
{
    // The won game's fewest clicks, if the solver has them within a moment; no more waiting.
    for (Solving &s : m_solving) {
        if (const auto solution = s.job->waitFor(kShortestWait))
            m_round.solved(s.board, *solution);
    }
    m_solving.clear();
}

void GameWindow::showHint()
{
    const bool busy = m_round.hintBusy();
    m_hintButton->setPicture(
        resources::pixmap(busy ? resources::name::iconHintBusy : resources::name::iconHint));
    m_hintButton->setAccessibleDescription(busy ? QStringLiteral("Working out the next move...")
                                                : statusText(session::Status::HintHint));
}

void GameWindow::placeTiles()
{
    const core::Board &board = m_round.board();
    for (int k = 0; k <= board.numberedTiles(); ++k) {
        platform::Picture *tile = m_tiles[static_cast<std::size_t>(k)];
        const TwipsPoint at =
            cellTwips(m_round.level(), k == 0 ? board.blankCell() : board.cellOf(k));
        // Only a tile that really moved is touched, so a step repaints just the two cells.
        if (tile->left() != at.left || tile->top() != at.top) {
            tile->setTwips(at.left, at.top, tile->twipsWidth(), tile->twipsHeight());
            platform::rename(tile, tileName(board, k));
        }
    }
}

void GameWindow::nameCounters()
{
    platform::rename(m_timeCounter, QStringLiteral("Time: ") + m_timeCounter->caption());
    platform::rename(m_clickCounter, QStringLiteral("Clicks: ") + m_clickCounter->caption());
}

QString GameWindow::bannerName() const
{
    // Its own design picture, before the first change, belongs to no site.
    const QString address = bannerAddress();
    return address.isEmpty() ? QStringLiteral("Fan site banner") : address;
}

QString GameWindow::bannerAddress() const
{
    switch (m_bannerCycle.site()) {
    case session::FanSite::First:
        return platform::kFirstFanSite;
    case session::FanSite::Second:
        return platform::kSecondFanSite;
    case session::FanSite::None:
        break;
    }
    return {};
}

void GameWindow::showStatus()
{
    m_statusLine->setCaption(statusText(m_round.status()));
}

void GameWindow::enableTiles()
{
    // The blank tile first, then the numbered ones in order.
    for (platform::Picture *tile : m_tiles)
        tile->setEnabled(m_round.tilesEnabled());
}

void GameWindow::applyTimers()
{
    const session::TimerIntervals &t = m_round.timers();
    m_gameClockTimer->setInterval(t.gameClock);
    m_musicClockTimer->setInterval(t.musicClock);
    m_shuffleTimer->setInterval(t.shuffle);
    m_sequencerTimer->setInterval(t.sequencer);
}

// ---- Input

void GameWindow::onTileClicked(int k)
{
    apply(m_round.clickTile(k));
}

void GameWindow::keyPressEvent(QKeyEvent *event)
{
    const auto slide = [this](core::Slide direction) { apply(m_round.slide(direction)); };
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::NoModifier) {
        switch (event->key()) {
        case Qt::Key_Up:
            return slide(core::Slide::Up);
        case Qt::Key_Down:
            return slide(core::Slide::Down);
        case Qt::Key_Left:
            return slide(core::Slide::Left);
        case Qt::Key_Right:
            return slide(core::Slide::Right);
        case Qt::Key_H:
            return onHintClicked();
        case Qt::Key_Escape:
            return onStopClicked();
        case Qt::Key_Backspace:
            Q_EMIT backRequested();
            return;
        default:
            break;
        }
    } else if (mods == Qt::ControlModifier && event->key() == Qt::Key_R) {
        return onRestartClicked();
    }
    QWidget::keyPressEvent(event);
}

void GameWindow::onRestartClicked()
{
    apply(m_round.restart());
}

void GameWindow::onHintClicked()
{
    apply(m_round.hint());
}

void GameWindow::onStopClicked()
{
    apply(m_round.pauseForStopQuestion());
    m_music.stop();
    QPointer<GameWindow> alive(this);
    const bool ok =
        m_desktop.askOkCancel(this, QStringLiteral("Are you sure you want to close the game?"),
                              QStringLiteral("Zantho Puzzle +1"));
    if (!alive || m_leaving)
        return;
    if (ok) {
        Q_EMIT stopConfirmed();
        return;
    }
    m_music.playFromStart();
    apply(m_round.resumeAfterStopQuestion());
}

void GameWindow::onBannerTick()
{
    if (const int shown = m_bannerCycle.tick()) {
        m_banner->setPicture(m_bannerPictures[static_cast<std::size_t>(shown - 1)]);
        platform::rename(m_banner, bannerName());
    }
    // Nothing changes on the banner until its next picture: no need to wake before.
    m_bannerTimer->setTicksPerWake(m_bannerCycle.ticksToNextChange());
}

void GameWindow::onBannerClicked()
{
    // Before the first picture change the address is empty, and goes on unchanged.
    m_desktop.openUrl(this, bannerAddress());
}

// ---- Leaving

void GameWindow::leave()
{
    // Deletion waits for the event loop; nothing of a closed game may tick or be solved
    // until then.
    apply(m_round.leave());
    m_bannerTimer->setInterval(0);
    m_leaving = true;
    close();
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    // A close the player asked for (the title bar, Alt+F4) means what the stop button means;
    // the question comes after this event, so that an OK can close the window for real. Any
    // other close (the session ends, the desktop closes every window) goes through at once:
    // a question then would only hold it up.
    if (m_leaving || !event->spontaneous()) {
        apply(m_round.leave());
        m_bannerTimer->setInterval(0);
        m_leaving = true;
        event->accept();
        return;
    }
    event->ignore();
    QMetaObject::invokeMethod(this, &GameWindow::onStopClicked, Qt::QueuedConnection);
}

} // namespace windows
