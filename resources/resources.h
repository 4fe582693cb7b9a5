#pragma once
// The windows' own pictures, built into the program (skins, backgrounds, icons, cursors,
// banner pictures). Each exists at its design pixel size and at twice that size; pixmap()
// hands out the sharper one where the screen needs it.

#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace resources
{

// Names, each a PNG under ":/puzzle/" at its exact design size (and "@2x" at double size).
namespace name
{
inline const QString menuSkin = QStringLiteral("menu_skin");             // 364 x 272, white around
inline const QString helpSkin = QStringLiteral("help_skin");             // 536 x 349, white around
inline const QString recordsSkin = QStringLiteral("records_skin");       // 401 x 304, white around
inline const QString menuTitle = QStringLiteral("menu_title");           // 364 x 22
inline const QString menuPanel = QStringLiteral("menu_panel");           // 340 x 227
inline const QString linkBar1 = QStringLiteral("link_bar1");             // 175 x 21
inline const QString linkBar2 = QStringLiteral("link_bar2");             // 175 x 21
inline const QString gameBackground = QStringLiteral("game_background"); // 712 x 475
inline const QString banner = QStringLiteral("banner"); // 102 x 37, looks like ind2
inline const QString ind1 = QStringLiteral("ind1");     // 100 x 35, first fan site
inline const QString ind2 = QStringLiteral("ind2");     // 102 x 37, second fan site
inline const QString ind3 = QStringLiteral("ind3");     // 100 x 35, first fan site
inline const QString ind4 = QStringLiteral("ind4");     // 102 x 37, second fan site
inline const QString completionBackground = QStringLiteral("completion_background"); // 372 x 136
inline const QString recordsBackground = QStringLiteral("records_background");       // 404 x 306
inline const QString helpStrip = QStringLiteral("help_strip");                       // 521 x 97
inline const QString iconPrevious = QStringLiteral("icon_previous");                 // 34 x 34
inline const QString iconNext = QStringLiteral("icon_next");                         // 34 x 34
inline const QString iconPlay = QStringLiteral("icon_play");                         // 32 x 32
inline const QString iconHelp = QStringLiteral("icon_help");                         // 48 x 48
inline const QString iconExit = QStringLiteral("icon_exit");                         // 32 x 32
inline const QString iconAddPicture = QStringLiteral("icon_add_picture");            // 16 x 16
inline const QString iconStop = QStringLiteral("icon_stop");                         // 32 x 32
inline const QString iconBack = QStringLiteral("icon_back");                         // 32 x 32
inline const QString iconRestart = QStringLiteral("icon_restart");                   // 32 x 32
inline const QString windowIcon = QStringLiteral("window_icon");                     // 64 x 64
inline const QString cursorButton = QStringLiteral("cursor_button"); // 32 x 32, the game's buttons
inline const QString cursorBanner = QStringLiteral("cursor_banner"); // 32 x 32, the banner
inline const QString cursorMenuPointer = QStringLiteral("cursor_menu_pointer"); // 32 x 32
inline const QString cursorClose = QStringLiteral("cursor_close"); // 32 x 32, the "Close" labels

// The hint button (32 x 32), and the same greyed while the solver works; the completion
// dialog's background (372 x 136) for the dialog one line taller, the fewest clicks shown.
inline const QString iconHint = QStringLiteral("icon_hint");
inline const QString iconHintBusy = QStringLiteral("icon_hint_busy");
inline const QString completionBackgroundTall = QStringLiteral("completion_background_tall");
} // namespace name

void init(); // makes the built-in pictures reachable

// The picture at its design size; at a device-pixel ratio above 1 the double-size source,
// marked with its ratio so it draws at the same logical size.
QPixmap pixmap(const QString &name);
// The same for a given device-pixel ratio (what pixmap() asks with the application's).
QPixmap pixmap(const QString &name, qreal devicePixelRatio);
// Exactly the design-size pixels (what window shapes are cut from).
QImage image(const QString &name);

// Forgets the pictures that no window holds any more (those of a closed window), so that
// their memory goes back; asked again, a picture is read anew. The ones still shown stay the
// same picture objects.
void releaseUnused();

// The built-in pictures read so far in this run, each named once, in the order first read.
// Each window's pictures are compiled together, so that a window reads no other's pages.
QStringList picturesRead();

// Button: the game window's buttons; Banner: the banner; MenuPointer: the menu's arrows,
// icons and link strips; Close: the "Close" labels.
enum class CursorKind { Button, Banner, MenuPointer, Close };
QCursor cursor(CursorKind kind);
QString cursorName(CursorKind kind);   // the picture the cursor is made of
QPoint cursorHotSpot(CursorKind kind); // in the picture's design pixels

} // namespace resources
