// zenvar-assetgen <run folder>: draws, synthesises and composes every picture,
// sample and music piece the game loads, writing them under the run folder,
// plus contact_sheet.png showing every picture at a glance.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <string>

#include "assetgen/asset_output.h"
#include "assetgen/backgrounds.h"
#include "assetgen/contact_sheet.h"
#include "assetgen/countdown_voice.h"
#include "assetgen/explosions.h"
#include "assetgen/font_glyphs.h"
#include "assetgen/icons.h"
#include "assetgen/logos.h"
#include "assetgen/music.h"
#include "assetgen/sound_effects.h"
#include "assetgen/sprites_big_enemies.h"
#include "assetgen/sprites_ship.h"
#include "assetgen/sprites_small.h"
#include "assetgen/sprites_small_enemies.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zenvar-assetgen <run folder>\n");
        return 2;
    }
    if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
        std::fprintf(stderr, "zenvar-assetgen: cannot start Allegro\n");
        return 1;
    }
    set_color_depth(24);
    try {
        AssetOutput out(argv[1]);
        makeShipSprites(out);
        makeSmallEnemySprites(out);
        makeBigEnemySprites(out);
        makeSmallSprites(out);
        makeExplosions(out);
        makeFontStrips(out);
        makeLogos(out);
        makeBackgrounds(out);
        makeSoundEffects(out);
        makeCountdownVoice(out);
        makeMusic(out);
        makeIcons(out);
        if (!writeContactSheet(out, out.pathOf("contact_sheet.png"))) {
            std::fprintf(stderr, "zenvar-assetgen: cannot write the contact sheet\n");
            return 1;
        }
        std::printf("zenvar-assetgen: %d files written to %s\n", out.filesWritten(), argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zenvar-assetgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
