#pragma once
// The connection to the display, before the application object exists: whether there is one,
// and its settings.

namespace platform
{

// Whether the display the window system platform is about to open is there: the X server of
// DISPLAY (or -display), or the Wayland compositor of WAYLAND_DISPLAY (or its default socket),
// in the order Qt tries them. When none is, says so in one line on stderr, naming DISPLAY and
// WAYLAND_DISPLAY, and returns false: the program then ends with status 1 instead of Qt's
// abort. A platform that needs no display (QT_QPA_PLATFORM=offscreen, -platform vnc) passes.
bool displayReachable(int argc, char **argv);

// On X11 the game draws little at a time (a clock once a second, two cells per shuffle step):
// sending those few pixels through the socket costs less than a shared-memory image, whose
// every flush waits for the server and wakes the program once more for its completion event.
// A value the user set is kept.
void prepareDisplayConnection();

} // namespace platform
