#include "assetgen/sprites_big_enemies.h"

#include <cmath>
#include <string>

#include "assetgen/asset_output.h"
#include "assetgen/sprite_canvas.h"

namespace {
const int SIZE = 96;
const double MID = 48.0;

// One wing, left side: shoulder at the body, finger bones fanning out with
// the membrane between them. `beat` 0 spreads it wide, 1 sweeps it back.
void addWing(ShapeMask& membrane, ShapeMask& bones, double beat) {
    double lift = beat * 10.0, fold = beat * 7.0;
    Point2 shoulder{41, 34};
    Point2 elbow{24 + fold * 0.6, 24 + lift * 0.4};
    Point2 tips[4] = {{6 + fold, 22 + lift * 1.4}, {5 + fold, 42 + lift}, {12 + fold * 0.7, 58 + lift * 0.6},
                      {26 + fold * 0.3, 66 + lift * 0.3}};
    Outline skin = {shoulder, elbow, tips[0]};
    // The membrane between fingers sags inwards.
    for (int i = 0; i < 3; ++i) {
        Point2 a = tips[i], b = tips[i + 1];
        skin.push_back(Point2{(a.x + b.x) / 2 + 5, (a.y + b.y) / 2 - 1});
        skin.push_back(b);
    }
    skin.push_back(Point2{40, 56});
    membrane.addPolygon(skin);
    bones.addCapsule(shoulder.x, shoulder.y, elbow.x, elbow.y, 2.2);
    for (const Point2& t : tips) bones.addCapsule(elbow.x, elbow.y, t.x, t.y, 1.1);
    bones.addEllipse(elbow.x, elbow.y, 2.6, 2.6);
}

Outline mirroredPoints(const Outline& points) {
    Outline out;
    for (const Point2& p : points) out.push_back(Point2{2 * MID - p.x, p.y});
    return out;
}

void mirrorMaskInto(const ShapeMask& left, ShapeMask& both) {
    both.add([&](double x, double y) { return left.solid(int(x), int(y)) || left.solid(int(2 * MID - x), int(y)); });
}
}  // namespace

void paintWyvern(SpriteCanvas& canvas, int frame) {
    ShapeMask left_skin(SIZE, SIZE), left_bones(SIZE, SIZE);
    addWing(left_skin, left_bones, frame == 0 ? 0.0 : 1.0);
    ShapeMask skin(SIZE, SIZE), bones(SIZE, SIZE);
    mirrorMaskInto(left_skin, skin);
    mirrorMaskInto(left_bones, bones);
    canvas.paintShaded(skin, Material{pal::WYVERN_WING, 4.0, 0.15, 1.0, 0.3});
    // Veins across the membrane.
    for (int side = 0; side < 2; ++side)
        for (int v = 0; v < 5; ++v) {
            double x0 = 38 - v * 5.5, y0 = 40 + v * 3.0;
            double x1 = x0 - 8, y1 = y0 + 10;
            if (side) x0 = 2 * MID - x0, x1 = 2 * MID - x1;
            canvas.seam(x0, y0, x1, y1, mix(pal::WYVERN_WING, pal::SHADOW_TINT, 0.6), 0.35);
        }
    canvas.paintShaded(bones, Material{pal::WYVERN_SKIN, 1.6, 0.3, 1.1, 0.2});

    ShapeMask tail(SIZE, SIZE), body(SIZE, SIZE), belly(SIZE, SIZE), head(SIZE, SIZE), horns(SIZE, SIZE);
    double sway = frame == 0 ? 0.0 : 2.0;
    tail.addCapsule(MID, 60, MID + sway * 0.5, 74, 4.5);
    tail.addCapsule(MID + sway * 0.5, 74, MID - sway, 86, 2.6);
    tail.addPolygon({{MID - sway - 5, 86}, {MID - sway, 82}, {MID - sway + 5, 86}, {MID - sway, 92}});
    body.addEllipse(MID, 44, 10.5, 20);
    body.addCapsule(MID, 30, MID, 18, 5.5);
    belly.addEllipse(MID, 46, 4.5, 15);
    head.addEllipse(MID, 14, 6.5, 8);
    head.addPolygon({{MID - 4, 10}, {MID, 3.5}, {MID + 4, 10}});
    horns.addPolygon({{MID - 5, 12}, {MID - 10, 5}, {MID - 4, 9}});
    horns.addPolygon(mirroredPoints({{MID - 5, 12}, {MID - 10, 5}, {MID - 4, 9}}));
    canvas.paintShaded(tail, Material{pal::WYVERN_SKIN, 3.0, 0.3, 1.1, 0.2});
    canvas.paintShaded(body, Material{pal::WYVERN_SKIN, 6.0, 0.35, 1.2, 0.35});
    canvas.paintShaded(belly, Material{pal::WYVERN_BELLY, 3.0, 0.3, 1.0, 0.3});
    canvas.paintShaded(horns, Material{pal::WYVERN_BELLY, 1.2, 0.4, 1.0, 0.2});
    canvas.paintShaded(head, Material{mix(pal::WYVERN_SKIN, pal::LIGHT_TINT, 0.1), 4.0, 0.45, 1.2, 0.3});
    // Ridge of back scales and belly plates.
    for (int i = 0; i < 9; ++i) {
        double y = 24 + i * 5.0;
        canvas.seam(MID - 3, y, MID + 3, y, mix(pal::WYVERN_BELLY, pal::SHADOW_TINT, 0.5), 0.5);
    }
    for (int i = 0; i < 6; ++i) {
        double y = 26 + i * 6.0;
        canvas.seam(MID - 9, y + 2, MID - 5, y, mix(pal::WYVERN_SKIN, pal::SHADOW_TINT, 0.6), 0.45);
        canvas.seam(MID + 9, y + 2, MID + 5, y, mix(pal::WYVERN_SKIN, pal::SHADOW_TINT, 0.6), 0.45);
    }
    canvas.outline(pal::OUTLINE);
    // Burning eyes and a glowing throat, brighter when the wings are down.
    double fire = frame == 0 ? 0.7 : 1.0;
    canvas.glow(MID - 3.5, 12.5, 2.6, pal::WYVERN_EYE, 1.2, 2.0);
    canvas.glow(MID + 3.5, 12.5, 2.6, pal::WYVERN_EYE, 1.2, 2.0);
    canvas.blendPixel(int(MID - 4), 12, pal::FIRE_YELLOW, 1.0, true);
    canvas.blendPixel(int(MID + 3), 12, pal::FIRE_YELLOW, 1.0, true);
    canvas.glow(MID, 36, 6, pal::FIRE_ORANGE, 0.45 * fire, 2.0);
    canvas.clearBorder();
}

namespace {
void paintEngineFlames(SpriteCanvas& canvas, int frame) {
    double length = frame == 0 ? 8.0 : 5.0;
    for (double x : {36.0, 60.0}) {
        ShapeMask flame(SIZE, SIZE), core(SIZE, SIZE);
        flame.addPolygon({{x - 5, 88}, {x + 5, 88}, {x + 2.5, 88 + length * 0.7}, {x, 88 + length},
                          {x - 2.5, 88 + length * 0.7}});
        core.addEllipse(x, 89.5, 2.6, length * 0.35);
        canvas.paintVertical(flame, pal::FLAME_HOT, pal::FLAME_EDGE, 88, 88 + length);
        canvas.paintFlat(core, pal::FLAME_CORE);
    }
}

void paintTurret(SpriteCanvas& canvas, double x, double y) {
    ShapeMask barrel(SIZE, SIZE), base(SIZE, SIZE);
    barrel.addCapsule(x - 1.7, y, x - 1.7, y - 10, 1.1);
    barrel.addCapsule(x + 1.7, y, x + 1.7, y - 10, 1.1);
    base.addEllipse(x, y, 4.8, 4.8);
    canvas.paintShaded(barrel, Material{rgb(64, 66, 80), 1.0, 0.6, 1.2, 0.0});
    canvas.paintShaded(base, Material{mix(pal::BATTLE_HULL, pal::LIGHT_TINT, 0.25), 2.4, 0.7, 1.3, 0.3});
    canvas.blendPixel(int(x), int(y), rgb(40, 40, 54), 0.8, true);
}
}  // namespace

void paintBattleship(SpriteCanvas& canvas, int frame) {
    paintEngineFlames(canvas, frame);
    ShapeMask hull(SIZE, SIZE), armour(SIZE, SIZE), deck(SIZE, SIZE), sponsons(SIZE, SIZE), engines(SIZE, SIZE);
    engines.addPolygon({{30, 80}, {42, 80}, {41, 90}, {31, 90}});
    engines.addPolygon({{54, 80}, {66, 80}, {65, 90}, {55, 90}});
    hull.addPolygon(mirroredAbout({{48, 4}, {42, 14}, {34, 30}, {28, 48}, {26, 66}, {28, 82}, {36, 86}, {48, 84}}, MID));
    sponsons.addPolygon(mirroredAbout({{28, 40}, {14, 48}, {12, 70}, {18, 76}, {28, 72}}, MID));
    sponsons.cut([](double x, double) { return x > 30 && x < 66; });
    armour.addPolygon(mirroredAbout({{48, 12}, {43, 20}, {37, 34}, {38, 38}, {48, 36}}, MID));
    armour.addPolygon(mirroredAbout({{36, 60}, {34, 74}, {40, 80}, {48, 79}}, MID));
    deck.addPolygon(mirroredAbout({{48, 36}, {40, 42}, {39, 58}, {48, 62}}, MID));

    Material steel{pal::BATTLE_HULL, 4.0, 0.35, 1.3, 0.35};
    canvas.paintShaded(engines, Material{rgb(70, 72, 86), 2.0, 0.3, 1.0, 0.0});
    canvas.paintShaded(sponsons, steel);
    canvas.paintShaded(hull, steel);
    canvas.paintShaded(armour, Material{pal::BATTLE_PLATE, 3.0, 0.4, 1.3, 0.3});
    canvas.paintShaded(deck, Material{mix(pal::BATTLE_HULL, pal::LIGHT_TINT, 0.2), 2.5, 0.5, 1.2, 0.3});

    // Plate seams, a red warning chevron on the bow and gun ports along the flanks.
    Rgb seam = mix(pal::BATTLE_HULL, pal::SHADOW_TINT, 0.8);
    for (double y : {26.0, 46.0, 66.0}) canvas.seam(30, y, 66, y, seam, 0.55);
    canvas.seam(MID, 62, MID, 84, seam, 0.55);
    for (double x : {18.0, 78.0}) canvas.seam(x, 50, x, 72, seam, 0.5);
    canvas.seam(44, 16, 48, 10, pal::BATTLE_LIGHT, 0.8);
    canvas.seam(52, 16, 48, 10, pal::BATTLE_LIGHT, 0.8);
    for (int i = 0; i < 4; ++i) {
        double y = 50 + i * 5;
        canvas.seam(14, y, 16, y, rgb(30, 28, 40), 0.9);
        canvas.seam(80, y, 82, y, rgb(30, 28, 40), 0.9);
    }

    // Turrets: two on the centre line, one on each sponson.
    paintTurret(canvas, MID, 28);
    paintTurret(canvas, MID, 70);
    paintTurret(canvas, 20, 58);
    paintTurret(canvas, 76, 58);
    // Bridge tower with lit windows.
    ShapeMask bridge(SIZE, SIZE);
    bridge.addPolygon({{42, 42}, {54, 42}, {55, 56}, {41, 56}});
    canvas.paintShaded(bridge, Material{rgb(180, 184, 198), 2.0, 0.5, 1.3, 0.4});
    for (int x = 43; x <= 52; x += 3) {
        canvas.blendPixel(x, 45, rgb(140, 240, 255), 1.0, true);
        canvas.blendPixel(x + 1, 45, rgb(140, 240, 255), 1.0, true);
    }
    canvas.outline(pal::OUTLINE);

    // Running lights blink in turn: wing tips on one picture, stern on the other.
    const double lights[4][2] = {{13, 52}, {83, 52}, {29, 81}, {67, 81}};
    for (int i = 0; i < 4; ++i) {
        bool on = (i < 2) == (frame == 0);
        int x = int(lights[i][0]), y = int(lights[i][1]);
        Rgb c = on ? pal::BATTLE_LIGHT : rgb(110, 40, 44);
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx) canvas.blendPixel(x + dx, y + dy, c, 1.0, true);
        if (on) canvas.glow(x + 1, y + 1, 4.0, pal::BATTLE_LIGHT, 1.0, 2.0);
    }
    canvas.clearBorder();
}

void makeBigEnemySprites(AssetOutput& out) {
    out.newSheetRow();
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintWyvern(canvas, f);
        out.savePicture("sprites/wyvern/wyvern" + std::to_string(f + 1) + ".bmp", canvas, 2);
    }
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintBattleship(canvas, f);
        out.savePicture("sprites/bigbattleship/bigbattleship" + std::to_string(f + 1) + ".bmp", canvas, 2);
    }
}
