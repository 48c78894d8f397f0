// Preloaded into the game to record a reference: its MIDI voice reservation
// replaced by $ZENVAR_MIDI_VOICES (-1 is Allegro's own default). The retry
// without music (a reservation of 0) is left alone.
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>

void reserve_voices(int digi_voices, int midi_voices) {
    void (*real)(int, int) = (void (*)(int, int))dlsym(RTLD_NEXT, "reserve_voices");
    const char* forced = getenv("ZENVAR_MIDI_VOICES");
    real(digi_voices, forced && midi_voices > 0 ? atoi(forced) : midi_voices);
}
