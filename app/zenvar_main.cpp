// Placeholder until the shell lands: replaced by the real start-up and loop.
#include "app/zenvar_main.h"

int runZenvar() { return 1; }
