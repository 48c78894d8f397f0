// The one palette every picture of the game is painted from. Colours are kept
// as floating-point RGB so shading can blend freely; they are rounded only when
// a finished picture is handed to Allegro. Shading is hue-shifted (shadows lean
// towards deep blue-violet, highlights towards warm white), which is what gives
// ships, enemies, font and logos one common look against dark space.
#pragma once

struct Rgb {
    double r, g, b;
};

Rgb rgb(int r, int g, int b);
Rgb mix(Rgb a, Rgb b, double t);
Rgb scaled(Rgb c, double k);
Rgb added(Rgb a, Rgb b);
Rgb clamped(Rgb c);

// A colour lit by a light factor: -1 deepest shadow, 0 the base colour, +1 highlight.
Rgb shadeOf(Rgb base, double light);

// Allegro colour for the current depth; never returns the mask colour for an
// opaque pixel (a painted pure magenta is nudged one step).
int toAllegroColour(Rgb c);
int maskColour();

namespace pal {
extern const Rgb MAGENTA;
extern const Rgb OUTLINE;      // near-black blue, the rim around every sprite
extern const Rgb SHADOW_TINT;  // where shadows head
extern const Rgb LIGHT_TINT;   // where highlights head
extern const Rgb SPACE_DEEP;   // backdrop black-blue
extern const Rgb HULL_STEEL;   // player ship hull
extern const Rgb SHIP_ACCENT;  // player ship stripes and wing tips
extern const Rgb CANOPY;
extern const Rgb FLAME_CORE;
extern const Rgb FLAME_HOT;
extern const Rgb FLAME_EDGE;
extern const Rgb LASER_CORE;
extern const Rgb LASER_GLOW;
extern const Rgb PAWN_BODY;
extern const Rgb PAWN_LIGHT;
extern const Rgb SHADOW_BODY;
extern const Rgb SHADOW_GLOW;
extern const Rgb BLADE_STEEL;
extern const Rgb BLADE_HUB;
extern const Rgb WYVERN_SKIN;
extern const Rgb WYVERN_BELLY;
extern const Rgb WYVERN_WING;
extern const Rgb WYVERN_EYE;
extern const Rgb BATTLE_HULL;
extern const Rgb BATTLE_PLATE;
extern const Rgb BATTLE_LIGHT;
extern const Rgb FIRE_WHITE;
extern const Rgb FIRE_YELLOW;
extern const Rgb FIRE_ORANGE;
extern const Rgb FIRE_RED;
extern const Rgb SMOKE;
extern const Rgb GEM_BODY;
extern const Rgb GOLD;
extern const Rgb FONT_TOP;
extern const Rgb FONT_BOTTOM;
extern const Rgb FONT_GREEN_TOP;
extern const Rgb FONT_GREEN_BOTTOM;
}  // namespace pal
