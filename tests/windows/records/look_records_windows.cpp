// Opens the records window or the completion dialog on a real display, to look at them:
//   look_records_windows records|completion <program folder>
// The program folder's Config/Kelset.dll supplies the records shown.
#include "platform/data_tree.h"
#include "platform/desktop.h"
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
    records::RecordsFile file(
        platform::DataTree(QString::fromLocal8Bit(argv[2])).path(records::recordsFileRule()));
    if (qstrcmp(argv[1], "records") == 0) {
        windows::RecordsWindow window(file.read());
        QObject::connect(&window, &windows::RecordsWindow::closeRequested, &app,
                         &QApplication::quit);
        window.show();
        return app.exec();
    }
    windows::CompletionDialog dialog({core::Level::Normal, 212, 57}, file, desktop);
    return dialog.exec();
}
