#pragma once
// The menu window: step through the 28 pictures, see the preview and its level, and Play,
// Help or Exit. The window keeps no menu state beyond the captions of LbCual and
// LbDificultad.

#include <QWidget>

namespace platform
{
class Label;
class Picture;
} // namespace platform

namespace menu
{

class Form2 : public QWidget
{
    Q_OBJECT
public:
    Form2();

    // Shapes the window, shows the preview of picture 1 and starts the menu music.
    // False when the preview could not be read (the fatal report has been made).
    bool load();

    // The elements, from the top of the stack to the bottom.
    platform::Label *Label3;
    platform::Label *LbExit;
    platform::Label *LbHelp;
    platform::Picture *Image2; // Play
    platform::Label *LbPlay;
    platform::Label *Label2; // click area of the second fan site's link
    platform::Label *Label1; // click area of the first fan site's link
    platform::Picture *ImgHorizontal;
    platform::Picture *ImgVertical;
    platform::Picture *Image9;
    platform::Picture *Image8;
    platform::Picture *Image3; // title strip, drags the window
    platform::Label *LbCual;   // the picture number, hidden
    platform::Picture *Image4; // Help
    platform::Picture *Image7; // Exit
    platform::Picture *Image6; // next picture
    platform::Picture *Image5; // previous picture
    platform::Label *LbDificultad;
    platform::Label *Label6;
    platform::Picture *Image1; // background panel

    static QColor actionColour() { return QColor(52, 121, 163); }
    static QColor highlight() { return QColor(255, 0, 0); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void previousPicture();
    void nextPicture();
    void showPicture();
    void highlightAction(platform::Label *active); // nullptr: none
    void play();
    void help();
    void exitGame();
};

} // namespace menu
