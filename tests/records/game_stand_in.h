#pragma once
// A stand-in for the game window at the end of a won game: the elements the completion
// dialog reads and stops, found by their names as in the real window.

#include "platform/elements.h"

#include <QWidget>

namespace testing
{

struct GameStandIn {
    enum class Level { Normal, Hard, None };

    explicit GameStandIn(Level level, const QString &clicks = QStringLiteral("57"),
                         const QString &seconds = QStringLiteral("212"))
    {
        window.setObjectName(QStringLiteral("Form1"));
        LbClicks = new platform::Label(&window, QStringLiteral("LbClicks"), 0, 0, 600, 255, clicks);
        LbSecs = new platform::Label(&window, QStringLiteral("LbSecs"), 0, 300, 600, 255, seconds);
        LbCount = new platform::Label(&window, QStringLiteral("LbCount"), 0, 600, 600, 255,
                                      QStringLiteral("03:32"));
        ImGPrev = new platform::Picture(&window, QStringLiteral("ImGPrev"), 0, 900, 600, 600);
        ImEPrev = new platform::Picture(&window, QStringLiteral("ImEPrev"), 0, 900, 600, 600);
        ImGPrev->setVisible(level == Level::Hard);
        ImEPrev->setVisible(level == Level::Normal);
        TimSmus = new platform::Timer(&window, QStringLiteral("TimSmus"), 1);
        TmHour = new platform::Timer(&window, QStringLiteral("TmHour"), 200);
    }

    QWidget window;
    platform::Label *LbClicks;
    platform::Label *LbSecs;
    platform::Label *LbCount;
    platform::Picture *ImGPrev;
    platform::Picture *ImEPrev;
    platform::Timer *TimSmus;
    platform::Timer *TmHour;
};

} // namespace testing
