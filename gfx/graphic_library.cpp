#include "gfx/graphic_library.h"

#include <allegro.h>

#include "core/game_files.h"

GraphicLibrary::GraphicLibrary() {}

// Only the lists go: every owner has given its bitmaps back before the library is
// deleted, and a bitmap still counted here belongs to someone who has not.
GraphicLibrary::~GraphicLibrary() {}

BITMAP* GraphicLibrary::acquire(std::string path) {
    for (size_t i = 0; i < names.size(); ++i) {
        if (names[i] == path) {
            counts[i] += 1;
            return bitmaps[i];
        }
    }
    BITMAP* loaded = loadPicture(path);
    // A failed load is not remembered, so the next acquire tries the file again.
    if (!loaded) return nullptr;
    bitmaps.push_back(loaded);
    names.push_back(path);
    counts.push_back(1);
    return loaded;
}

void GraphicLibrary::release(BITMAP* bitmap) {
    if (!bitmap) return;
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        if (bitmaps[i] != bitmap) continue;
        counts[i] -= 1;
        if (counts[i] > 0) return;
        destroy_bitmap(bitmap);
        bitmaps.erase(bitmaps.begin() + i);
        names.erase(names.begin() + i);
        counts.erase(counts.begin() + i);
        return;
    }
}
