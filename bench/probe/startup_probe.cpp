// zenvar-startup-probe: the real game's start-up, timed without a tracer.
//
// Runs the game's own start-up and prints the wall clock (CLOCK_REALTIME,
// seconds) the moment the white grid's rest is over, where the first intro
// pass would begin, then leaves at once. The caller notes the clock before
// starting it: the difference less the 1.5 s rest is what start-up costs.
#include <allegro.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "app/zenvar_main.h"

namespace {
void reportAndLeave() {
    timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    std::printf("%ld.%09ld\n", static_cast<long>(now.tv_sec), now.tv_nsec);
    std::fflush(stdout);
    _exit(0);
}
}  // namespace

int main() {
    after_start_up = reportAndLeave;
    return runZenvar();
}
END_OF_MAIN()
