#pragma once
// The connection to the display, prepared before the application object exists.

namespace platform
{

// Call first thing in main, before the application object is made.
// When no display can be opened (no DISPLAY and no Wayland compositor, or a DISPLAY that names
// no running server), the program says so in one line on stderr, naming DISPLAY and
// WAYLAND_DISPLAY, and ends with status 1 where Qt would abort with its advice to reinstall.
// What the window system platform says while it opens is passed on once it has opened.
// On X11 the game draws little at a time (a clock once a second, two cells per shuffle step):
// sending those few pixels through the socket costs less than a shared-memory image, whose
// every flush waits for the server and wakes the program once more for its completion event.
// A value the user set is kept.
void prepareDisplayConnection();

} // namespace platform
