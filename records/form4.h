#pragma once
// The records and about window, the last window of every run: the two records of each level
// as the file holds them, who made the game, and "Close", which ends the program.

#include <QWidget>

namespace platform
{
class Label;
class Picture;
} // namespace platform

namespace records
{

// The about text, lines separated by CR LF.
QString aboutText();

class Form4 : public QWidget
{
    Q_OBJECT
public:
    Form4();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void load();
    void closeClicked(); // Label1
    platform::Label *field(const QString &name, float left, float top, float width,
                           const QString &caption, const QColor &color, bool centred);

    platform::Picture *Image1 = nullptr;
    platform::Label *Label1 = nullptr;
    platform::Label *Label2 = nullptr;
    platform::Label *EName1 = nullptr, *EClicks1 = nullptr, *ETime1 = nullptr;
    platform::Label *EName2 = nullptr, *EClicks2 = nullptr, *ETime2 = nullptr;
    platform::Label *HName1 = nullptr, *HClicks1 = nullptr, *HTime1 = nullptr;
    platform::Label *HName2 = nullptr, *HClicks2 = nullptr, *HTime2 = nullptr;
};

} // namespace records
