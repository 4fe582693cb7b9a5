#include "platform/services.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    platform::installDefaultServices();
    QLabel placeholder(QStringLiteral("Zantho Puzzle +1"));
    placeholder.show();
    return app.exec();
}
