#include "assetgen/sprites_small_enemies.h"

#include <cmath>
#include <string>

#include "assetgen/asset_output.h"
#include "assetgen/sprite_canvas.h"

namespace {
const int SIZE = 38;
const double MID = 19.0;

void finish(SpriteCanvas& canvas) {
    canvas.outline(pal::OUTLINE);
    canvas.clearBorder();
}
}  // namespace

void paintPawn(SpriteCanvas& canvas, int frame) {
    // Two side pods on struts, a round shell with a nose light in front.
    ShapeMask struts(SIZE, SIZE), pods(SIZE, SIZE), shell(SIZE, SIZE), ring(SIZE, SIZE), dome(SIZE, SIZE);
    struts.addPolygon({{10.5, 18}, {27.5, 18}, {27.5, 22}, {10.5, 22}});
    // The pods pump out and back, so the outline moves as well as the lights.
    double pump = frame == 0 ? 0.0 : 0.8;
    pods.addEllipse(10 - pump, 20.5, 3.2, 6 + pump);
    pods.addEllipse(28 + pump, 20.5, 3.2, 6 + pump);
    shell.addEllipse(MID, 19.5, 8.5, 9.5);
    ring.addEllipse(MID, 19.5, 8.5, 9.5);
    ring.cutEllipse(MID, 19.5, 6.3, 7.3);
    dome.addEllipse(MID, 17.5, 4.2, 4.6);
    canvas.paintShaded(struts, Material{rgb(120, 110, 120), 1.2, 0.2, 1.0, 0.1});
    canvas.paintShaded(pods, Material{mix(pal::PAWN_BODY, pal::FIRE_RED, 0.35), 2.0, 0.35, 1.0, 0.3});
    canvas.paintShaded(shell, Material{pal::PAWN_BODY, 3.5, 0.5, 1.1, 0.3});
    canvas.paintShaded(ring, Material{mix(pal::PAWN_BODY, rgb(90, 60, 50), 0.5), 1.2, 0.3, 1.0, 0.0});
    canvas.paintShaded(dome, Material{rgb(120, 24, 30), 2.0, 0.9, 1.2, 0.4});
    finish(canvas);
    // The nose light stays; the pod lamps take turns.
    canvas.glow(MID, 11.8, 3.2, pal::PAWN_LIGHT, 1.0, 2.0);
    canvas.blendPixel(18, 11, pal::LIGHT_TINT, 1.0, true);
    canvas.blendPixel(19, 11, pal::LIGHT_TINT, 1.0, true);
    double lit_x = frame == 0 ? 10.0 : 28.0, dim_x = frame == 0 ? 28.0 : 10.0;
    canvas.glow(lit_x + 0.5, 16.5, 3.4, pal::PAWN_LIGHT, 1.3, 2.0);
    canvas.glow(dim_x + 0.5, 24.5, 2.6, pal::FIRE_RED, 0.8, 2.0);
    // The eye under the dome flares on the second picture.
    canvas.glow(MID, 17.5, frame == 0 ? 2.4 : 3.4, frame == 0 ? pal::FIRE_ORANGE : pal::PAWN_LIGHT, 1.0, 2.0);
}

void paintShadow(SpriteCanvas& canvas, int frame) {
    // A flat stealth wing: sharp nose, serrated trailing edge.
    ShapeMask wing(SIZE, SIZE), ridge(SIZE, SIZE), vents(SIZE, SIZE);
    // The wing tips flex down on the second picture.
    double flex = frame == 0 ? 0.0 : 1.6;
    wing.addPolygon(mirroredAbout(
        {{19, 5}, {15, 14}, {4, 29 + flex}, {4.5, 31 + flex}, {10, 28 + flex * 0.5}, {12.5, 31}, {16, 27}, {19, 30}},
        MID));
    ridge.addPolygon(mirroredAbout({{19, 7}, {17, 15}, {16.5, 24}, {19, 27}}, MID));
    vents.addPolygon({{9, 26}, {13.5, 21}, {14.5, 22}, {10.5, 27}});
    vents.addPolygon({{29, 26}, {24.5, 21}, {23.5, 22}, {27.5, 27}});
    canvas.paintShaded(wing, Material{pal::SHADOW_BODY, 2.5, 0.35, 1.2, 0.35});
    canvas.paintShaded(ridge, Material{mix(pal::SHADOW_BODY, pal::SHADOW_GLOW, 0.5), 2.0, 0.5, 1.3, 0.3});
    double pulse = frame == 0 ? 0.9 : 1.0;
    canvas.paintFlat(vents, mix(pal::SHADOW_BODY, pal::SHADOW_GLOW, pulse));
    // Glowing leading edges.
    canvas.seam(18.5, 6, 14.6, 14.5, pal::SHADOW_GLOW, 0.6 + 0.4 * pulse);
    canvas.seam(19.5, 6, 23.4, 14.5, pal::SHADOW_GLOW, 0.6 + 0.4 * pulse);
    canvas.seam(14.6, 14.5, 5, 28.6 + flex, pal::SHADOW_GLOW, 0.5 + 0.4 * pulse);
    canvas.seam(23.4, 14.5, 33, 28.6 + flex, pal::SHADOW_GLOW, 0.5 + 0.4 * pulse);
    // The serrated trailing edge glows where the engines vent.
    canvas.seam(5, 30 + flex, 10, 28 + flex * 0.5, pal::SHADOW_GLOW, 0.5 + 0.4 * pulse);
    canvas.seam(33, 30 + flex, 28, 28 + flex * 0.5, pal::SHADOW_GLOW, 0.5 + 0.4 * pulse);
    finish(canvas);
    // Slit eyes.
    for (int x : {16, 17, 21, 22}) canvas.blendPixel(x, 14 + (x == 17 || x == 21 ? 1 : 0), pal::SHADOW_GLOW, 1.0, true);
    canvas.glow(17, 15, 2.2 + pulse, pal::SHADOW_GLOW, 0.8 * pulse, 2.0);
    canvas.glow(22, 15, 2.2 + pulse, pal::SHADOW_GLOW, 0.8 * pulse, 2.0);
    canvas.glow(MID, 29.5, 2.5 + pulse * 1.5, pal::SHADOW_GLOW, 0.9 * pulse, 0.75);
}

void paintBlade(SpriteCanvas& canvas, int frame) {
    // Four hooked arms around a red hub; the second picture is turned an
    // eighth, so alternating them spins the blade.
    double turn = frame == 0 ? 0.0 : 0.125;
    Outline arm = {{16.4, 17}, {15.6, 10}, {17.8, 4}, {21.5, 3}, {20.6, 8}, {22.8, 14}, {22.2, 18.5}};
    ShapeMask arms(SIZE, SIZE), edges(SIZE, SIZE), hub(SIZE, SIZE), cap(SIZE, SIZE);
    for (int k = 0; k < 4; ++k) {
        Outline turned = rotatedAbout(arm, MID, MID, turn + k * 0.25);
        arms.addPolygon(turned);
        Outline inner = rotatedAbout(scaledAbout(arm, 19.5, 12, 0.55, 0.75), MID, MID, turn + k * 0.25);
        edges.addPolygon(inner);
    }
    hub.addEllipse(MID, MID, 6.2, 6.2);
    cap.addEllipse(MID, MID, 3.0, 3.0);
    canvas.paintShaded(arms, Material{pal::BLADE_STEEL, 2.0, 0.7, 1.3, 0.2});
    canvas.paintShaded(edges, Material{mix(pal::BLADE_STEEL, pal::SHADOW_TINT, 0.45), 1.2, 0.3, 1.0, 0.0});
    canvas.paintShaded(hub, Material{pal::BLADE_HUB, 2.5, 0.6, 1.2, 0.3});
    canvas.paintShaded(cap, Material{rgb(60, 50, 60), 1.5, 0.9, 1.0, 0.3});
    for (int k = 0; k < 4; ++k) {
        Outline dot = rotatedAbout({{MID, MID - 4.6}}, MID, MID, turn + 0.125 + k * 0.25);
        canvas.blendPixel(int(dot[0].x), int(dot[0].y), pal::PAWN_LIGHT, 0.9, true);
    }
    finish(canvas);
}

void paintBladeChain(SpriteCanvas& canvas) {
    ShapeMask link(9, 9);
    link.addEllipse(4.5, 4.5, 3.2, 4.0);
    link.cutEllipse(4.5, 4.5, 1.3, 2.0);
    canvas.paintShaded(link, Material{pal::BLADE_STEEL, 1.2, 0.6, 1.3, 0.2});
    canvas.outline(pal::OUTLINE);
    canvas.clearBorder();
}

void makeSmallEnemySprites(AssetOutput& out) {
    out.newSheetRow();
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintPawn(canvas, f);
        out.savePicture("sprites/pawn/pawn" + std::to_string(f + 1) + ".bmp", canvas, 3);
    }
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintShadow(canvas, f);
        out.savePicture("sprites/shadow/shadow" + std::to_string(f + 1) + ".bmp", canvas, 3);
    }
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas canvas(SIZE, SIZE);
        paintBlade(canvas, f);
        out.savePicture("sprites/blade/blade" + std::to_string(f + 1) + ".bmp", canvas, 3);
    }
    SpriteCanvas chain(9, 9);
    paintBladeChain(chain);
    out.savePicture("sprites/blade/bladechain.bmp", chain, 4);
}
