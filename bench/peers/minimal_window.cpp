// The floors for start-up, memory and idle CPU: the least a Qt Widgets program does to show a
// window, and (with --clock) to show a clock in it, its label set once a second.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstring>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QStringLiteral("A minimal Qt window"));
    QTimer clock;
    int seconds = 0;
    if (argc > 1 && std::strcmp(argv[1], "--clock") == 0) {
        label.setText(QStringLiteral("00:00"));
        QObject::connect(&clock, &QTimer::timeout, &label, [&] {
            ++seconds;
            label.setText(QString::asprintf("%02d:%02d", seconds / 60 % 60, seconds % 60));
        });
        clock.start(1000);
    }
    label.show();
    return app.exec();
}
