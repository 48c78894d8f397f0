#include "assetgen/sprites_ship.h"

#include "assetgen/asset_output.h"
#include "assetgen/sprite_canvas.h"

namespace {
const double AXIS = 19.0;
const int SIZE = 38;

void paintFlame(SpriteCanvas& canvas, double x, double top, double length, double width) {
    ShapeMask outer(SIZE, SIZE), inner(SIZE, SIZE);
    outer.addPolygon({{x - width, top}, {x + width, top}, {x + width * 0.5, top + length * 0.6}, {x, top + length},
                      {x - width * 0.5, top + length * 0.6}});
    inner.addEllipse(x, top + length * 0.25, width * 0.55, length * 0.35);
    canvas.paintVertical(outer, pal::FLAME_HOT, pal::FLAME_EDGE, top, top + length);
    canvas.paintFlat(inner, pal::FLAME_CORE);
}

void paintHull(SpriteCanvas& canvas) {
    // Wings first, the fuselage over them.
    ShapeMask wings(SIZE, SIZE);
    wings.addPolygon(mirroredAbout({{17, 13}, {11, 20}, {4.5, 26.5}, {4.5, 29.5}, {9, 29}, {15, 26.5}}, AXIS));
    canvas.paintShaded(wings, Material{pal::HULL_STEEL, 2.2, 0.25, 1.0, 0.3});

    ShapeMask stripes(SIZE, SIZE);
    stripes.addPolygon({{4.5, 26.5}, {8.5, 22.6}, {9.6, 23.6}, {6.2, 29.4}, {4.5, 29.5}});
    stripes.addPolygon({{33.5, 26.5}, {29.5, 22.6}, {28.4, 23.6}, {31.8, 29.4}, {33.5, 29.5}});
    canvas.paintShaded(stripes, Material{pal::SHIP_ACCENT, 1.5, 0.4, 1.0, 0.2});

    ShapeMask fins(SIZE, SIZE);
    fins.addPolygon(mirroredAbout({{15.5, 24}, {12.5, 30}, {12.5, 33}, {15.5, 31.5}}, AXIS));
    canvas.paintShaded(fins, Material{pal::SHIP_ACCENT, 1.4, 0.3, 1.0, 0.2});

    ShapeMask nacelles(SIZE, SIZE);
    nacelles.addCapsule(15.2, 18, 15.2, 29.3, 2.1);
    nacelles.addCapsule(22.8, 18, 22.8, 29.3, 2.1);
    canvas.paintShaded(nacelles, Material{mix(pal::HULL_STEEL, pal::SHADOW_TINT, 0.35), 1.6, 0.3, 1.0, 0.2});

    ShapeMask body(SIZE, SIZE);
    body.addPolygon(mirroredAbout({{19, 4}, {17.6, 8}, {16.6, 13}, {16.3, 21}, {16.8, 29}, {17.6, 31}}, AXIS));
    canvas.paintShaded(body, Material{mix(pal::HULL_STEEL, pal::LIGHT_TINT, 0.2), 2.6, 0.45, 1.1, 0.35});

    ShapeMask canopy(SIZE, SIZE);
    canopy.addEllipse(AXIS, 13.5, 1.7, 3.6);
    canvas.paintShaded(canopy, Material{pal::CANOPY, 1.6, 0.9, 1.3, 0.4});

    canvas.seam(17.2, 20, 20.8, 20, pal::SHADOW_TINT, 0.45);
    canvas.seam(11.5, 22.5, 16, 19.5, pal::SHADOW_TINT, 0.3);
    canvas.seam(26.5, 22.5, 22, 19.5, pal::SHADOW_TINT, 0.3);
    // Gun tips on the wing roots.
    canvas.blendPixel(12, 20, pal::LASER_GLOW, 0.9, true);
    canvas.blendPixel(25, 20, pal::LASER_GLOW, 0.9, true);
}
}  // namespace

void paintShip(SpriteCanvas& canvas, ThrustLook thrust) {
    if (thrust == ThrustLook::LongFlame) {
        paintFlame(canvas, 15.2, 30.0, 6.6, 2.0);
        paintFlame(canvas, 22.8, 30.0, 6.6, 2.0);
    } else if (thrust == ThrustLook::ShortFlame) {
        paintFlame(canvas, 15.2, 30.0, 4.6, 2.2);
        paintFlame(canvas, 22.8, 30.0, 4.6, 2.2);
    }
    paintHull(canvas);
    canvas.outline(pal::OUTLINE);
    if (thrust != ThrustLook::Idle) {
        // The exhaust glow spills past the hull's rim, longer on the first picture.
        double tip = thrust == ThrustLook::LongFlame ? 34.0 : 33.0;
        double reach = thrust == ThrustLook::LongFlame ? 3.4 : 2.8;
        canvas.glow(15.2, tip, reach, pal::FLAME_HOT, 0.9, 0.18);
        canvas.glow(22.8, tip, reach, pal::FLAME_HOT, 0.9, 0.18);
    }
    canvas.clearBorder();
}

void makeShipSprites(AssetOutput& out) {
    out.newSheetRow();
    const ThrustLook looks[3] = {ThrustLook::LongFlame, ThrustLook::ShortFlame, ThrustLook::Idle};
    for (int i = 0; i < 3; ++i) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintShip(canvas, looks[i]);
        out.savePicture("sprites/gryffon/gryffon" + std::to_string(i + 1) + ".bmp", canvas, 3);
    }
}
