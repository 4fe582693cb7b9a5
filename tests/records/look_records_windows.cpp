// Opens the records window or the completion dialog on a real display, to look at them:
//   look_records_windows records|completion <program folder>
// The program folder's Config\Kelset.dll supplies the records shown.
#include "platform/services.h"
#include "records/completion_dialog.h"
#include "records/records_window.h"
#include "resources/resources.h"
#include "tests/records/game_stand_in.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    resources::init();
    platform::installDefaultServices();
    platform::services().programDir = QString::fromLocal8Bit(argv[2]);
    if (qstrcmp(argv[1], "records") == 0) {
        records::showRecordsWindow();
        return app.exec();
    }
    testing::GameStandIn game(testing::GameStandIn::Level::Normal, QStringLiteral("57"),
                              QStringLiteral("212"));
    game.window.resize(712, 475);
    game.window.show();
    QTimer::singleShot(0, [&] {
        records::showCompletionDialog(&game.window);
        app.quit();
    });
    return app.exec();
}
