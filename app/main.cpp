// Zenvar: the executable is only the entry point; the game lives in zenvar_core.
#include <allegro.h>

#include "app/zenvar_main.h"

int main() { return runZenvar(); }
END_OF_MAIN()
