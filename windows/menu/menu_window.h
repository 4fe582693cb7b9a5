#pragma once
// The menu window: step through the 28 pictures and the player's own, see the preview and
// its level, and ask for Play, Help or Exit. The player adds pictures (dropped on it, or
// chosen in the file dialog) and removes the game's copies. Borderless and shaped to its skin;
// dragged by its title strip. What comes next is not its business: it says what the player
// asked for.

#include "core/picture_order.h"
#include "platform/data_tree.h"
#include "platform/player_pictures.h"
#include "platform/window_shape.h"

#include <QPixmap>
#include <QWidget>

#include <optional>

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
    MenuWindow(const platform::DataTree &tree, platform::Desktop &desktop,
               platform::PlayerPictures own = platform::PlayerPictures({}));

    // Shapes the window, lists the player's pictures and shows the preview of picture 1. The
    // problem, naming the file, when that preview cannot be read; empty when the menu is ready
    // to be shown.
    QString load();

    int picture() const { return m_picture; } // 1 .. order().count()
    core::PictureOrder order() const { return {int(own().size())}; }

    static QColor actionColour() { return QColor(52, 121, 163); }
    static QColor highlight() { return QColor(255, 0, 0); }

Q_SIGNALS:
    // ownFile: the player's picture file, empty for a built-in picture.
    void playRequested(int picture, const QString &ownFile);
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
    // Ctrl+O adds pictures, Delete removes the player's picture on show.
    void keyPressEvent(QKeyEvent *event) override;
    // Picture files dropped from a file manager are added.
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void step(int by);
    void showPicture();
    void showOwnPicture();
    void showPreview(core::Level level, const QPixmap &preview);
    void play();
    void addPictures(const QStringList &files);
    void removeShownPicture();
    QString ownFile() const; // of the picture on show; empty for a built-in one
    void highlightAction(platform::Label *active); // nullptr: none

    const platform::DataTree &m_tree;
    platform::Desktop &m_desktop;
    platform::PlayerPictures m_folder;
    // The player's pictures as the folder was last listed: first when they are asked for, or
    // once the menu is on screen, so that a full folder never holds up its start.
    const QStringList &own() const;
    mutable std::optional<QStringList> m_own;
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
