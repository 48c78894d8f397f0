// zenvar-autopilot: the real game with the autopilot flying the ship during
// rounds. Used by the end-to-end runs and the headless demo only.
#include <allegro.h>

#include "app/zenvar_main.h"
#include "scripts/autopilot/autopilot.h"

int main() {
    after_start_up = startAutopilot;
    return runZenvar();
}
END_OF_MAIN()
