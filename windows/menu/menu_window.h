#pragma once
// The menu window: step through the 28 pictures, see the preview and its level, and ask for
// Play, Help or Exit. Borderless and shaped to its skin; dragged by its title strip. What
// comes next is not its business: it says what the player asked for.

#include "platform/data_tree.h"
#include "platform/window_shape.h"

#include <QPixmap>
#include <QWidget>

namespace platform
{
class Desktop;
class Label;
class Picture;
} // namespace platform

namespace windows
{

class MenuWindow : public QWidget
{
    Q_OBJECT
public:
    MenuWindow(const platform::DataTree &tree, platform::Desktop &desktop);

    // Shapes the window and shows the preview of picture 1. The problem, naming the file,
    // when that preview cannot be read; empty when the menu is ready to be shown.
    QString load();

    int picture() const { return m_picture; } // 1 .. core::kPictureCount

    static QColor actionColour() { return QColor(52, 121, 163); }
    static QColor highlight() { return QColor(255, 0, 0); }

Q_SIGNALS:
    void playRequested(int picture);
    void helpRequested();
    void exitRequested();
    // A preview could not be read while stepping; the menu stays as it was.
    void pictureUnreadable(const QString &problem);

protected:
    void paintEvent(QPaintEvent *event) override;
    // The window manager's close (Alt+F4) means what Exit means; any other close (the
    // flow's, the session's) closes the window.
    void closeEvent(QCloseEvent *event) override;
    // Left and Right choose the picture, Enter plays, F1 is Help, Escape is Exit.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void step(int by);
    void showPicture();
    void highlightAction(platform::Label *active); // nullptr: none

    const platform::DataTree &m_tree;
    platform::Desktop &m_desktop;
    platform::WindowShape m_shape{this};
    QPixmap m_skin; // painted on every expose: held, not fetched again
    int m_picture = 1;

    platform::Picture *m_landscapeFrame = nullptr;
    platform::Picture *m_portraitFrame = nullptr;
    platform::Label *m_difficulty = nullptr;
    platform::Label *m_playLabel = nullptr;
    platform::Label *m_helpLabel = nullptr;
    platform::Label *m_exitLabel = nullptr;
};

} // namespace windows
