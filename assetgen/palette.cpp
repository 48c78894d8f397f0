#include "assetgen/palette.h"

#include <allegro.h>

#include <algorithm>
#include <cmath>

Rgb rgb(int r, int g, int b) { return Rgb{double(r), double(g), double(b)}; }

Rgb mix(Rgb a, Rgb b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k) { return Rgb{c.r * k, c.g * k, c.b * k}; }

Rgb added(Rgb a, Rgb b) { return Rgb{a.r + b.r, a.g + b.g, a.b + b.b}; }

Rgb clamped(Rgb c) {
    return Rgb{std::clamp(c.r, 0.0, 255.0), std::clamp(c.g, 0.0, 255.0), std::clamp(c.b, 0.0, 255.0)};
}

Rgb shadeOf(Rgb base, double light) {
    if (light < 0) {
        double t = std::min(1.0, -light);
        return mix(base, mix(base, pal::SHADOW_TINT, 0.75), t);
    }
    double t = std::min(1.0, light);
    return mix(base, pal::LIGHT_TINT, t * 0.8);
}

int toAllegroColour(Rgb c) {
    Rgb k = clamped(c);
    int r = int(std::lround(k.r)), g = int(std::lround(k.g)), b = int(std::lround(k.b));
    // Opaque paint must never read back as the transparent colour, even after
    // the game converts it to 16 bits (where every near-magenta collapses too).
    if (r > 247 && g < 4 && b > 247) g = 8;
    return makecol(r, g, b);
}

int maskColour() { return makecol(255, 0, 255); }

namespace pal {
const Rgb MAGENTA{255, 0, 255};
const Rgb OUTLINE{10, 8, 26};
const Rgb SHADOW_TINT{22, 14, 58};
const Rgb LIGHT_TINT{255, 250, 228};
const Rgb SPACE_DEEP{4, 4, 14};
const Rgb HULL_STEEL{150, 168, 196};
const Rgb SHIP_ACCENT{40, 120, 230};
const Rgb CANOPY{60, 220, 255};
const Rgb FLAME_CORE{255, 255, 230};
const Rgb FLAME_HOT{120, 200, 255};
const Rgb FLAME_EDGE{40, 70, 230};
const Rgb LASER_CORE{235, 255, 245};
const Rgb LASER_GLOW{40, 255, 160};
const Rgb PAWN_BODY{222, 118, 38};
const Rgb PAWN_LIGHT{255, 236, 90};
const Rgb SHADOW_BODY{40, 44, 70};
const Rgb SHADOW_GLOW{170, 245, 255};
const Rgb BLADE_STEEL{170, 206, 214};
const Rgb BLADE_HUB{214, 52, 60};
const Rgb WYVERN_SKIN{52, 150, 92};
const Rgb WYVERN_BELLY{196, 204, 110};
const Rgb WYVERN_WING{34, 104, 110};
const Rgb WYVERN_EYE{255, 60, 30};
const Rgb BATTLE_HULL{112, 116, 132};
const Rgb BATTLE_PLATE{158, 104, 72};
const Rgb BATTLE_LIGHT{255, 70, 60};
const Rgb FIRE_WHITE{255, 252, 226};
const Rgb FIRE_YELLOW{255, 220, 70};
const Rgb FIRE_ORANGE{250, 130, 30};
const Rgb FIRE_RED{196, 40, 24};
const Rgb SMOKE{70, 58, 66};
const Rgb GEM_BODY{40, 200, 255};
const Rgb GOLD{255, 196, 60};
const Rgb FONT_TOP{255, 255, 255};
const Rgb FONT_BOTTOM{150, 184, 255};
const Rgb FONT_GREEN_TOP{200, 255, 170};
const Rgb FONT_GREEN_BOTTOM{30, 190, 60};
}  // namespace pal
