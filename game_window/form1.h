#pragma once
// The game window: the board of one round with its status line, time and click counters,
// the restart, stop and back buttons, the banner, and the hidden labels and timers that
// drive the round. Every way out of a game closes it; the next game creates a new one.

#include "core/board.h"
#include "game_window/banner.h"
#include "game_window/round_sequencer.h"
#include "platform/elements.h"
#include "platform/pictures.h"

#include <QList>
#include <QWidget>

#include <array>
#include <functional>

class Form1 : public QWidget
{
    Q_OBJECT
public:
    explicit Form1(QWidget *parent = nullptr);
    ~Form1() override;

    // The tile sets in the order of their home cells: numbered tiles 1, 2, ... and the
    // blank tile last (ImE1 .. ImE11, ImENo; ImG1 .. ImG14, ImGNo).
    QList<platform::Picture *> normalSet() const;
    QList<platform::Picture *> hardSet() const;
    platform::Picture *ImENo() const { return m_normalTiles.back(); }
    platform::Picture *ImGNo() const { return m_hardTiles.back(); }

    // The level is told by which preview is visible; nothing else in the window holds it.
    bool normalActive() const { return !ImEPrev->isHidden(); }
    bool hardActive() const { return !ImGPrev->isHidden(); }

    const core::Board &normalBoard() const { return m_normal; }
    const core::Board &hardBoard() const { return m_hard; }
    std::int16_t sequencerTick() const { return m_sequencer.count(); }

    // Where a banner click sends its address; the desktop's browser unless a test listens.
    void setLinkOpener(std::function<void(QWidget *, const QString &)> opener);

    // Event handlers named after element and event. The win hand-off runs Image4_Click.
    void Timer1_Timer();
    void Timer2_Timer();
    void TimSmus_Timer();
    void TmHour_Timer();
    void TmrBanner_Timer();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void ImgBanner_Click();

    // Elements, by their design names.
    platform::Picture *Image1;
    platform::Picture *ImEPrev;
    platform::Picture *ImGPrev;
    platform::PictureClip PictureClip1;
    platform::Label *Label1;
    platform::Label *Label2;
    platform::Label *LbCount;
    platform::Label *Label4;
    platform::Label *LbClicks;
    platform::Picture *Image3;
    platform::Picture *Image4;
    platform::Picture *Image2;
    platform::Picture *ImgBanner;
    std::array<platform::Picture *, 4> Ind{}; // Ind1 .. Ind4
    platform::Label *LbDisorder;
    platform::Label *LbSMus;
    platform::Label *LbSecs;
    platform::Label *LbHour;
    platform::Label *LbRepMus;
    platform::Timer *Timer1;
    platform::Timer *Timer2;
    platform::Timer *TimSmus;
    platform::Timer *TmHour;
    platform::Timer *TmrBanner;

private:
    void createBoard();
    void createLabels();
    void createButtons();
    void createBanner();
    void createTimers();

    void tileClicked(core::Board &board, const QList<platform::Picture *> &set, int k);
    void placeTile(platform::Picture *tile, core::Position p);
    void placeSet(const core::Board &board, const QList<platform::Picture *> &set);
    void hover(const QString &text);
    void backgroundHover();
    void countPlaySecond();
    void countMusicSecond();
    void musicSecondChanged();
    int shownBannerHolder() const;
    void unload();
    void closeEvent(QCloseEvent *event) override;

    core::Board m_normal{core::Level::Normal};
    core::Board m_hard{core::Level::Hard};
    std::array<platform::Picture *, 12> m_normalTiles{};
    std::array<platform::Picture *, 15> m_hardTiles{};
    game_window::RoundSequencer m_sequencer;
    game_window::BannerCycle m_banner;
    std::function<void(QWidget *, const QString &)> m_openLink;
    bool m_unloading = false;
};
