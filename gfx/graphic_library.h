// GraphicLibrary: the one reference-counted cache of sprite bitmaps, keyed by path.
//
// Fifty lasers or a dozen pawns share one loaded copy of each image. Every sprite
// owner acquires its bitmaps in its constructor and gives them back with
// releaseGraphics before it is deleted; the library frees a bitmap when its last
// user lets go. The destructor frees only the lists, never a counted bitmap.
#pragma once

#include <string>
#include <vector>

struct BITMAP;

class GraphicLibrary {
public:
    GraphicLibrary();
    ~GraphicLibrary();
    GraphicLibrary(const GraphicLibrary&) = delete;
    GraphicLibrary& operator=(const GraphicLibrary&) = delete;

    // The bitmap loaded from path, or null when the file cannot be loaded.
    BITMAP* acquire(std::string path);
    // Drops one reference; null and unknown pointers are ignored.
    void release(BITMAP* bitmap);

    // Read-only views for tests and the soak's leak checks.
    int entryCount() const { return static_cast<int>(names.size()); }
    const std::string& nameAt(int i) const { return names[i]; }
    int countAt(int i) const { return counts[i]; }

private:
    std::vector<std::string> names;
    std::vector<BITMAP*> bitmaps;
    std::vector<int> counts;
};
