// The program opens its menu window and nothing else: no command line, no settings.
#include "menu/menu_window.h"
#include "platform/music_device.h"
#include "platform/services.h"
#include "resources/resources.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // only the records window's "Close" ends a run
    resources::init();
    // Message boxes and any window without an icon of its own show the game's.
    QApplication::setWindowIcon(QIcon(resources::pixmap(resources::name::windowIcon)));
    platform::installDefaultServices();
    platform::services().music = platform::startMusicDevice();
    menu::showMenuWindow();
    return app.exec();
}
