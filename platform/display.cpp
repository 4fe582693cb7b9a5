#include "platform/display.h"

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cstdio>
#include <cstring>

#include <dlfcn.h>

namespace platform
{

namespace
{

// The value of a command-line option of Qt's ("-platform x" or "--platform x").
QByteArray option(int argc, char **argv, const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const char *arg = argv[i];
        if (arg[0] == '-' && arg[1] == '-')
            ++arg;
        if (std::strcmp(arg, name) == 0)
            return argv[i + 1];
    }
    return {};
}

// The platforms Qt 6.4 tries, in its order: a Wayland session's compositor first, then X11.
QList<QByteArray> platformsToTry(int argc, char **argv)
{
    QByteArray chosen = option(argc, argv, "-platform");
    if (chosen.isEmpty())
        chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty())
        return chosen.split(';');
    QList<QByteArray> platforms;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland")
        platforms << "wayland";
    return platforms << "xcb";
}

// The libraries the platform plugins use, asked the way the plugins ask them.
bool x11DisplayOpens(const QByteArray &display)
{
    void *xcb = ::dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb)
        return false;
    using Connect = void *(*)(const char *, int *);
    using HasError = int (*)(void *);
    using Disconnect = void (*)(void *);
    const auto connect = reinterpret_cast<Connect>(::dlsym(xcb, "xcb_connect"));
    const auto hasError = reinterpret_cast<HasError>(::dlsym(xcb, "xcb_connection_has_error"));
    const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(xcb, "xcb_disconnect"));
    bool opens = false;
    if (connect && hasError && disconnect) {
        void *connection = connect(display.isEmpty() ? nullptr : display.constData(), nullptr);
        opens = connection && hasError(connection) == 0;
        disconnect(connection);
    }
    ::dlclose(xcb);
    return opens;
}

bool waylandDisplayOpens()
{
    // A socket handed over by the compositor can be connected once only: the plugin's.
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET"))
        return true;
    void *wayland = ::dlopen("libwayland-client.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!wayland)
        return false;
    using Connect = void *(*)(const char *);
    using Disconnect = void (*)(void *);
    const auto connect = reinterpret_cast<Connect>(::dlsym(wayland, "wl_display_connect"));
    const auto disconnect = reinterpret_cast<Disconnect>(::dlsym(wayland, "wl_display_disconnect"));
    bool opens = false;
    if (connect && disconnect) {
        if (void *display = connect(nullptr)) {
            opens = true;
            disconnect(display);
        }
    }
    ::dlclose(wayland);
    return opens;
}

QByteArray described(const char *variable)
{
    if (!qEnvironmentVariableIsSet(variable))
        return QByteArray(variable) + " is not set";
    return QByteArray(variable) + "=\"" + qgetenv(variable) + '"';
}

} // namespace

bool displayReachable(int argc, char **argv)
{
    for (const QByteArray &platform : platformsToTry(argc, argv)) {
        const QByteArray name = platform.split(':').first();
        if (name == "xcb") {
            if (x11DisplayOpens(option(argc, argv, "-display")))
                return true;
        } else if (name.startsWith("wayland")) {
            if (waylandDisplayOpens())
                return true;
        } else {
            return true; // offscreen and its kind need no display
        }
    }
    std::fprintf(stderr,
                 "Zantho Puzzle +1: no X11 or Wayland display could be opened (%s, %s); start "
                 "the game in a desktop session.\n",
                 described("DISPLAY").constData(), described("WAYLAND_DISPLAY").constData());
    return false;
}

void prepareDisplayConnection()
{
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

} // namespace platform
