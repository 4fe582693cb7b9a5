#pragma once
// Settings of the connection to the display, made before the application object exists.

namespace platform
{

// On X11 the game draws little at a time (a clock once a second, two cells per shuffle step):
// sending those few pixels through the socket costs less than a shared-memory image, whose
// every flush waits for the server and wakes the program once more for its completion event.
// A value the user set is kept.
void prepareDisplayConnection();

} // namespace platform
