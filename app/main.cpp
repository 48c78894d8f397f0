// Zenvar: the executable is only the entry point; the game lives in zenvar_core.
#include <allegro.h>
#include <xalleg.h>

#include "app/zenvar_main.h"
#include "zenvar.xpm"  // drawn by the asset generator

// Allegro's X code reads this XPM for the window's icon.
extern "C" char** allegro_icon;

int main() {
    // Both must be in place before allegro_init makes the window: a dock then
    // groups it under the game's own name and shows the game's icon.
    xwin_set_window_name("zenvar", "Zenvar");
    allegro_icon = const_cast<char**>(zenvar_window_icon);
    return runZenvar();
}
END_OF_MAIN()
