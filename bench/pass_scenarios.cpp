#include "bench/pass_scenarios.h"

#include <allegro.h>

#include <cstdio>
#include <string>

#include "app/frame_clock.h"
#include "app/program.h"
#include "app/shell_state.h"
#include "bench/allocation_counter.h"
#include "bench/frame_stats.h"
#include "gfx/bitmap_font.h"

namespace {
const int WARM_UP_FRAMES = 120;
}

void measureFloor(FrameStats& stats, int frames) {
    mouse_x = 320;
    mouse_y = 240;
    for (int i = 0; i < WARM_UP_FRAMES; ++i) presentFrame(back_buffer, cursors);
    for (int i = 0; i < frames; ++i) {
        stats.begin();
        presentFrame(back_buffer, cursors);
        stats.end();
    }
}

void reportFontAllocations() {
    struct Probe {
        const char* what;
        const char* text;
    };
    const Probe probes[] = {
        {"HUD label \"Score\"", "Score"},
        {"15 characters", "Marathon Game!!"},
        {"16 characters", "Marathon Game!!!"},
        {"controls line", "Aim the guns with the mouse cursor.\nLeft button fires."},
    };
    std::printf("\nBitmapFont::draw allocations per call (text passed by value):\n");
    for (const Probe& probe : probes) {
        long before = AllocationCounter::cppAllocations();
        bitmap_font->draw(back_buffer, probe.text, 0, 0);
        long fromLiteral = AllocationCounter::cppAllocations() - before;
        std::string held(probe.text);
        before = AllocationCounter::cppAllocations();
        bitmap_font->draw(back_buffer, held, 0, 0);
        long fromString = AllocationCounter::cppAllocations() - before;
        std::printf("  %-22s %3zu bytes: %ld from a literal, %ld from a std::string\n", probe.what,
                    std::string(probe.text).size(), fromLiteral, fromString);
    }
    clear_bitmap(back_buffer);
}
