#include "play/gem.h"

#include <string>

#include "core/game_types.h"
#include "gfx/graphic_library.h"

static const int GLINT_CYCLE = 25;

Gem::Gem(GraphicLibrary* library) {
    bool complete = true;
    for (int k = 0; k < 5; ++k) {
        images[k] = library->acquire("sprites/gem/gem" + std::to_string(k + 1) + ".bmp");
        if (!images[k]) complete = false;
    }
    if (!complete) {
        releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
}

// Image 1 most of the cycle, then a quick glint through images 2 to 5.
int Gem::imageForPhase(int phase) {
    if (phase < 18) return 0;
    if (phase < 24) return (phase - 18) / 2 + 1;
    return 4;
}

void Gem::draw(BITMAP* dest) {
    ++animCounter;
    if (animCounter == GLINT_CYCLE) animCounter = 0;
    if (!active) return;
    draw_sprite(dest, images[imageForPhase(animCounter)], x, y);
}

void Gem::releaseGraphics(GraphicLibrary* library) {
    for (int k = 0; k < 5; ++k) {
        if (images[k]) library->release(images[k]);
        images[k] = nullptr;
    }
}
