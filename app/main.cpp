// The program opens its menu window and nothing else: no command line, no settings. Here the
// real clock, randomness, music, desktop and solver are made and handed to the flow of windows.
#include "app/flow.h"
#include "app/seed.h"
#include "core/shuffler.h"
#include "platform/clock.h"
#include "platform/data_tree.h"
#include "platform/desktop.h"
#include "platform/display.h"
#include "platform/music_device.h"
#include "platform/sequencer_music.h"
#include "platform/shortest_solver.h"
#include "platform/termination.h"
#include "resources/resources.h"

#include <QApplication>
#include <QIcon>
#include <QSessionManager>

int main(int argc, char *argv[])
{
    platform::prepareDisplayConnection();
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // only the records window's "Close" ends a run
    resources::init();
    // Message boxes and any window without an icon of its own show the game's.
    QApplication::setWindowIcon(QIcon(resources::pixmap(resources::name::windowIcon)));
    platform::installFontSubstitutions();

    const QString programDir = QCoreApplication::applicationDirPath();
    const platform::DataTree tree(programDir);
    platform::SystemClock clock;
    core::SeededRandom random(app::runSeed());
    // Nothing of the music (FluidSynth, the SoundFont) is loaded before the menu is on screen;
    // what the menu asks of it meanwhile is kept and played once it is ready.
    platform::DeferredMusicOutput sound = platform::prepareMusicOutput();
    platform::SequencerMusic music(tree.menuMusic(), tree.gameMusic(), std::move(sound.output));
    platform::SystemDesktop desktop;
    platform::ThreadedSolver solver;

    app::Flow flow({programDir, clock, random, music, desktop, solver});
    QObject::connect(&flow, &app::Flow::runEnded, &app,
                     [](int status) { QCoreApplication::exit(status); });
    // A run the system ends (SIGTERM, a logout) ends at once, without a question, status 0;
    // the session manager is not held up.
    platform::TerminationRequests termination;
    QObject::connect(&termination, &platform::TerminationRequests::received, &flow,
                     [&flow] { flow.endRun(0); });
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &flow, [&flow](QSessionManager &) {
        QMetaObject::invokeMethod(
            &flow, [&flow] { flow.endRun(0); }, Qt::QueuedConnection);
    });
    if (!flow.start())
        return 1;
    platform::afterFirstWindowShown(sound.begin);
    return app.exec();
}
