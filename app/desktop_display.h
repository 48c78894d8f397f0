// What the game asks the X server itself, apart from Allegro: which kind of
// server it is, and the desktop's video mode, which a guardian process puts
// back should the game die in full screen without restoring it.
#pragma once

// Starts the guardian when the server can switch video modes. Call it before
// Allegro opens the display: the guardian is forked while the game still has
// one thread and no connection to the server.
void guardDesktopMode();

// The game has put the desktop's mode back (or never changed it): the
// guardian ends without opening the display.
void releaseDesktopModeGuard();

// Whether the X server is Xwayland, where a full-screen window gets neither
// the keyboard nor a pointer that maps to the picture. Ask before Allegro
// opens the display, as for the guardian.
bool displayIsXwayland();
