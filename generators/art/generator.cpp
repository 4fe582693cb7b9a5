// Draws the windows' pictures into the build tree: each named picture at its design size as
// "<name>.png" and at twice that size as "<name>@2x.png". With --sheet, one contact sheet.
#include "generators/art/art_painter.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // the build has no display
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.size() == 2 && args[0] == QLatin1String("--sheet")) {
        if (!art::contactSheet().save(args[1])) {
            err << "cannot write " << args[1] << Qt::endl;
            return 1;
        }
        return 0;
    }
    if (args.isEmpty()) {
        err << "usage: puzzle_art_generator <output dir> <name>... | --sheet <file.png>"
            << Qt::endl;
        return 2;
    }
    const QDir out(args.takeFirst());
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << Qt::endl;
        return 1;
    }
    for (const QString &name : args) {
        for (const int scale : {1, 2}) {
            const QImage image = art::render(name, scale);
            if (image.isNull()) {
                err << "no picture is drawn for the name " << name << Qt::endl;
                return 1;
            }
            const QString file = out.filePath(
                name + (scale == 2 ? QStringLiteral("@2x") : QString()) + QStringLiteral(".png"));
            if (!image.save(file, "PNG")) {
                err << "cannot write " << file << Qt::endl;
                return 1;
            }
        }
    }
    return 0;
}
