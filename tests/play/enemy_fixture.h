// Every enemy kind with what the game expects of it, and a private copy of the
// art with files taken away.
#pragma once

#include <allegro.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>

#include "gfx/graphic_library.h"
#include "play/big_battleship.h"
#include "play/blade.h"
#include "play/pawn.h"
#include "play/shadow.h"
#include "play/wyvern.h"

namespace enemy_testing {

// A private copy of the run folder's sprites, the working folder while it lives.
class PrivateArt {
public:
    PrivateArt() : original(std::filesystem::current_path()) {
        char pattern[] = "/tmp/zenvar-art-XXXXXX";
        folder = mkdtemp(pattern);
        std::filesystem::copy(original / "sprites", folder / "sprites", std::filesystem::copy_options::recursive);
        std::filesystem::current_path(folder);
    }
    ~PrivateArt() {
        std::filesystem::current_path(original);
        std::filesystem::remove_all(folder);
    }
    bool remove(const std::string& path) { return std::filesystem::remove(folder / path); }

private:
    std::filesystem::path original, folder;
};

inline void retire(Enemy* enemy, GraphicLibrary* library) {
    enemy->releaseGraphics(library);
    delete enemy;
}

struct KindFacts {
    const char* name;
    std::function<Enemy*(GraphicLibrary*)> make;
    int shots, hitPoints, score;
    double boxLeft, boxRight;  // hit box edges, placed at (10, 10); square
    int explosionImages;
    const char* artFile;  // one file the kind cannot do without
};

inline std::vector<KindFacts> allKinds() {
    return {
        {"pawn", [](GraphicLibrary* l) -> Enemy* { return new Pawn(l); }, 1, 1, 160, 18, 39, 4, "sprites/pawn/pawn2.bmp"},
        {"shadow", [](GraphicLibrary* l) -> Enemy* { return new Shadow(l); }, 3, 1, 320, 14, 43, 4,
         "sprites/bullets/enemybullet1.bmp"},
        {"blade", [](GraphicLibrary* l) -> Enemy* { return new Blade(l); }, 15, 3, 320, 14, 43, 4,
         "sprites/enemyexplosion/enemyexplosion3.bmp"},
        {"wyvern", [](GraphicLibrary* l) -> Enemy* { return new Wyvern(l); }, 9, 25, 2500, 20, 95, 9,
         "sprites/wyvern/wyvernexplosion9.bmp"},
        {"big battleship", [](GraphicLibrary* l) -> Enemy* { return new BigBattleship(l); }, 25, 25, 4000, 11, 104, 11,
         "sprites/bullets/enemylaser.bmp"},
    };
}

}  // namespace enemy_testing
