// Helpers shared by the enemy and gem tests: a fresh GraphicLibrary over the
// run folder's art, canvases to tell which image a draw call put down, and a
// copy of the art with one file taken away for the missing-sprite cases.
#pragma once

#include <allegro.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/whole_fixed.h"
#include "gfx/graphic_library.h"
#include "play/big_battleship.h"
#include "play/blade.h"
#include "play/enemy.h"
#include "play/enemy_shot.h"
#include "play/pawn.h"
#include "play/shadow.h"
#include "play/wyvern.h"

namespace enemy_testing {

const int CANVAS_SIZE = 200;

// A cleared canvas with whatever paint() draws on it; the caller destroys it.
inline BITMAP* render(const std::function<void(BITMAP*)>& paint) {
    BITMAP* canvas = create_bitmap(CANVAS_SIZE, CANVAS_SIZE);
    clear_to_color(canvas, makecol(0, 0, 0));
    paint(canvas);
    return canvas;
}

inline bool samePixels(BITMAP* a, BITMAP* b) {
    for (int row = 0; row < CANVAS_SIZE; ++row)
        if (std::memcmp(a->line[row], b->line[row], CANVAS_SIZE * 2) != 0) return false;
    return true;
}

// Index of the candidate picture that equals what paint() drew; -1 when the
// canvas stayed empty, -2 when it matches none of them.
inline int whichPicture(const std::function<void(BITMAP*)>& paint,
                        const std::vector<std::function<void(BITMAP*)>>& candidates) {
    BITMAP* drawn = render(paint);
    BITMAP* empty = render([](BITMAP*) {});
    int found = samePixels(drawn, empty) ? -1 : -2;
    for (size_t i = 0; found == -2 && i < candidates.size(); ++i) {
        BITMAP* expected = render(candidates[i]);
        if (samePixels(drawn, expected)) found = static_cast<int>(i);
        destroy_bitmap(expected);
    }
    destroy_bitmap(drawn);
    destroy_bitmap(empty);
    return found;
}

// Pictures of the numbered images stem1.bmp..stemN.bmp drawn at (x, y),
// upright or turned to angle, as the game would draw them.
class NumberedImages {
public:
    NumberedImages(GraphicLibrary* library, const std::string& stem, int count)
        : library(library) {
        for (int k = 1; k <= count; ++k) images.push_back(library->acquire(stem + std::to_string(k) + ".bmp"));
    }
    ~NumberedImages() {
        for (BITMAP* image : images) library->release(image);
    }
    bool allLoaded() const {
        return std::find(images.begin(), images.end(), nullptr) == images.end();
    }
    std::vector<std::function<void(BITMAP*)>> pictures(int x, int y, bool rotated, fixed angle) const {
        std::vector<std::function<void(BITMAP*)>> result;
        for (BITMAP* image : images) {
            result.push_back([=](BITMAP* dest) {
                rotated ? rotateSprite(dest, image, x, y, angle) : draw_sprite(dest, image, x, y);
            });
        }
        return result;
    }
    // The test only means something when every image looks different.
    bool allDistinct(bool rotated, fixed angle) const {
        auto drawn = pictures(20, 20, rotated, angle);
        for (size_t i = 0; i < drawn.size(); ++i) {
            auto others = drawn;
            others.erase(others.begin() + i);
            if (whichPicture(drawn[i], others) != -2) return false;
        }
        return true;
    }

private:
    GraphicLibrary* library;
    std::vector<BITMAP*> images;
};

// A private copy of the run folder's sprites, made the working folder for the
// lifetime of this object. Files can be taken away (missing-art cases) or
// replaced by plain marked pictures that surely differ from one another, so
// that tests telling images apart do not depend on how the art looks.
class PrivateArt {
public:
    PrivateArt() {
        namespace fs = std::filesystem;
        original = fs::current_path();
        char pattern[] = "/tmp/zenvar-art-XXXXXX";
        folder = mkdtemp(pattern);
        fs::copy(original / "sprites", folder / "sprites", fs::copy_options::recursive);
        fs::current_path(folder);
    }
    ~PrivateArt() {
        std::filesystem::current_path(original);
        std::filesystem::remove_all(folder);
    }
    bool remove(const std::string& path) { return std::filesystem::remove(folder / path); }

    // Replaces a picture by one of the same size: a block of colour number k
    // on the left half and a notch of width k in the top-right corner, so
    // marked images differ from one another, also when turned.
    void mark(const std::string& path, int k) {
        BITMAP* old = load_bitmap(path.c_str(), nullptr);
        ASSERT_NE(old, nullptr) << path;
        int w = old->w, h = old->h;
        destroy_bitmap(old);
        BITMAP* picture = create_bitmap(w, h);
        clear_to_color(picture, makecol(255, 0, 255));
        rectfill(picture, 0, 0, w / 2 - 1, h - 1, makecol(40 + 17 * k, 220 - 13 * k, 60 + 11 * k));
        rectfill(picture, w - 1 - k % w, 0, w - 1, h / 4, makecol(250, 250, 40));
        ASSERT_EQ(save_bmp(path.c_str(), picture, nullptr), 0) << path;
        destroy_bitmap(picture);
    }
    // Marks stem1.bmp..stemN.bmp with the numbers 1..N.
    void markNumbered(const std::string& stem, int count) {
        for (int k = 1; k <= count; ++k) mark(stem + std::to_string(k) + ".bmp", k);
    }

private:
    std::filesystem::path original;
    std::filesystem::path folder;
};

// Gives an enemy's bitmaps and shots back and deletes it, as the round loop does.
inline void retire(Enemy* enemy, GraphicLibrary* library) {
    enemy->releaseGraphics(library);
    delete enemy;
}

// Every shot of an enemy that is in flight.
inline std::vector<int> activeShots(Enemy* enemy) {
    std::vector<int> active;
    for (int i = 0; i < enemy->getShotCount(); ++i)
        if (enemy->getShot(i)->isActive()) active.push_back(i);
    return active;
}

// What the game expects of each kind.
struct KindFacts {
    const char* name;
    std::function<Enemy*(GraphicLibrary*)> make;
    int shots;
    std::string bodyStem, explosionStem;
    int explosionImages;
    bool explosionTurnsWithHeading;
    std::string shotSprite;
};

inline std::vector<KindFacts> allKinds() {
    const std::string small = "sprites/enemyexplosion/enemyexplosion";
    return {
        {"pawn", [](GraphicLibrary* l) -> Enemy* { return new Pawn(l); }, 1,
         "sprites/pawn/pawn", small, 4, false, "sprites/bullets/enemybullet1.bmp"},
        {"shadow", [](GraphicLibrary* l) -> Enemy* { return new Shadow(l); }, 3,
         "sprites/shadow/shadow", small, 4, false, "sprites/bullets/enemybullet1.bmp"},
        {"blade", [](GraphicLibrary* l) -> Enemy* { return new Blade(l); }, 15,
         "sprites/blade/blade", small, 4, false, "sprites/blade/bladechain.bmp"},
        {"wyvern", [](GraphicLibrary* l) -> Enemy* { return new Wyvern(l); }, 9,
         "sprites/wyvern/wyvern", "sprites/wyvern/wyvernexplosion", 9, true,
         "sprites/bullets/enemybullet2.bmp"},
        {"big battleship", [](GraphicLibrary* l) -> Enemy* { return new BigBattleship(l); }, 25, "sprites/bigbattleship/bigbattleship", "sprites/bigbattleship/bigbattleshipexplosion", 11,
         true, "sprites/bullets/enemylaser.bmp"},
    };
}

}  // namespace enemy_testing
