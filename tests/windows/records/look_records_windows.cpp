// Opens the records window or the completion dialog on a real display, to look at them:
//   look_records_windows records|completion <program folder>
// The records shown are those of a game in that folder (its Config/Kelset.dll, or the
// player's own when that cannot be used).
#include "platform/data_tree.h"
#include "platform/desktop.h"
#include "platform/user_folders.h"
#include "records/records_file.h"
#include "resources/resources.h"
#include "windows/records/completion_dialog.h"
#include "windows/records/records_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    resources::init();
    platform::installFontSubstitutions();
    platform::SystemDesktop desktop;
    records::RecordsFile file = records::RecordsFile::forInstalled(
        platform::DataTree(QString::fromLocal8Bit(argv[2])).path(records::recordsFileRule()),
        {platform::UserFolders::fromEnvironment().gameData(), QStringLiteral("nowhere")});
    if (qstrcmp(argv[1], "records") == 0) {
        windows::RecordsWindow window(file.read(), file.place());
        QObject::connect(&window, &windows::RecordsWindow::closeRequested, &app,
                         &QApplication::quit);
        window.show();
        return app.exec();
    }
    windows::CompletionDialog dialog({core::Level::Normal, 212, 57}, file, desktop);
    return dialog.exec();
}
