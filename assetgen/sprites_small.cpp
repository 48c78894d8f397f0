#include "assetgen/sprites_small.h"

#include <cmath>
#include <string>
#include <utility>

#include "assetgen/asset_output.h"
#include "assetgen/sprite_canvas.h"

namespace {
// A glowing bolt: an elongated core with a coloured halo, hard-keyed.
void paintBolt(SpriteCanvas& canvas, double cx, double cy, double half_w, double half_h, Rgb core, Rgb halo) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double dx = (x + 0.5 - cx) / half_w, dy = (y + 0.5 - cy) / half_h;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1.0) continue;
            Rgb c = d < 0.45 ? core : mix(core, halo, (d - 0.45) / 0.55);
            canvas.blendPixel(x, y, c, 1.0);
        }
}
}  // namespace

void paintShipLaser(SpriteCanvas& canvas) {
    // A green-white bolt standing upright in the middle of its 17x17 box.
    paintBolt(canvas, 8.5, 8.5, 2.6, 7.2, pal::LASER_CORE, pal::LASER_GLOW);
    paintBolt(canvas, 8.5, 7.0, 1.1, 4.5, rgb(255, 255, 255), pal::LASER_CORE);
    canvas.clearBorder();
}

void paintEnemyBullet(SpriteCanvas& canvas, int kind) {
    // A hot slug, the brightest warm thing in play: a white core in an amber
    // glow with no dark rim, so it reads over the nebula as well as over black.
    // The second frame flares hotter and wider, so a pair flickers.
    Rgb halo = kind == 1 ? pal::FIRE_ORANGE : pal::FIRE_YELLOW;
    double radius = kind == 1 ? 3.6 : 3.9;
    paintBolt(canvas, 4.5, 4.5, radius, radius, pal::FIRE_WHITE, halo);
    canvas.clearBorder();
}

void paintEnemyLaser(SpriteCanvas& canvas) {
    paintBolt(canvas, 4.5, 4.5, 1.9, 4.0, rgb(255, 230, 240), rgb(255, 40, 90));
    canvas.clearBorder();
}

void paintMiniStar(SpriteCanvas& canvas, int frame) {
    // Four-pointed sparkle centred on pixel (4, 4); the second is smaller and cooler.
    double arm = frame == 0 ? 3.6 : 2.6;
    Rgb tip = frame == 0 ? rgb(120, 220, 255) : rgb(120, 140, 255);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x) {
            int dx = std::abs(x - 4), dy = std::abs(y - 4);
            bool cross = (dx == 0 && dy <= arm) || (dy == 0 && dx <= arm);
            bool diagonal = frame == 1 && dx == 1 && dy == 1;
            if (!(cross || diagonal || (dx + dy <= 1))) continue;
            double d = std::max(dx, dy) / arm;
            canvas.blendPixel(x, y, mix(rgb(255, 255, 255), tip, std::min(1.0, d)), 1.0);
        }
    canvas.clearBorder();
}

void paintGem(SpriteCanvas& canvas, int frame) {
    // A faceted blue diamond; frames 2 to 5 carry a glint across it and a
    // sparkle that flares and fades.
    ShapeMask gem(8, 8);
    gem.addPolygon({{4, 0.4}, {7.6, 3.6}, {4, 7.6}, {0.4, 3.6}});
    canvas.paintShaded(gem, Material{pal::GEM_BODY, 1.2, 0.6, 1.4, 0.3});
    canvas.blendPixel(3, 2, pal::LIGHT_TINT, 0.8, true);
    canvas.blendPixel(4, 5, mix(pal::GEM_BODY, pal::SHADOW_TINT, 0.5), 0.8, true);
    if (frame >= 1 && frame <= 3) {
        // A bright diagonal band sweeps from the upper left to the lower right.
        int band = 4 + (frame - 1) * 2;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if (x + y == band || x + y == band + 1) canvas.blendPixel(x, y, rgb(255, 255, 255), 0.85, true);
    } else if (frame == 4) {
        // The glint ends in a small star on the upper facet.
        for (auto p : {std::pair<int, int>{3, 1}, {2, 2}, {3, 2}, {4, 2}, {3, 3}})
            canvas.blendPixel(p.first, p.second, rgb(255, 255, 255), 1.0, true);
    }
}

void paintCursor(SpriteCanvas& canvas, int frame) {
    // A ring around the hot spot (8, 8) with four ticks that close in and
    // open out again over the four frames, while the ring brightens.
    const int tick_start[4] = {2, 3, 4, 3};
    const double glow[4] = {1.0, 0.8, 0.6, 0.8};
    Rgb ring = mix(rgb(40, 150, 90), rgb(120, 255, 170), glow[frame]);
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 17; ++x) {
            double d = std::hypot(x - 8.0, y - 8.0);
            if (std::fabs(d - 5.6) < 0.55) canvas.blendPixel(x, y, ring, 1.0);
        }
    Rgb tick = rgb(235, 255, 240);
    for (int r = tick_start[frame]; r <= 7; ++r) {
        canvas.blendPixel(8 + r, 8, tick, 1.0), canvas.blendPixel(8 - r, 8, tick, 1.0);
        canvas.blendPixel(8, 8 + r, tick, 1.0), canvas.blendPixel(8, 8 - r, tick, 1.0);
    }
    canvas.blendPixel(8, 8, rgb(255, 255, 255), 1.0);
    canvas.outline(pal::OUTLINE);
    canvas.clearBorder();
}

void makeSmallSprites(AssetOutput& out) {
    out.newSheetRow();
    SpriteCanvas laser(17, 17);
    paintShipLaser(laser);
    out.savePicture("sprites/bullets/gryffonlaser.bmp", laser, 4);
    for (int k = 1; k <= 2; ++k) {
        SpriteCanvas bullet(9, 9);
        paintEnemyBullet(bullet, k);
        out.savePicture("sprites/bullets/enemybullet" + std::to_string(k) + ".bmp", bullet, 4);
    }
    SpriteCanvas enemy_laser(9, 9);
    paintEnemyLaser(enemy_laser);
    out.savePicture("sprites/bullets/enemylaser.bmp", enemy_laser, 4);
    for (int f = 0; f < 2; ++f) {
        SpriteCanvas star(9, 9);
        paintMiniStar(star, f);
        out.savePicture("sprites/mini-star/mini-star" + std::to_string(f + 1) + ".bmp", star, 4);
    }
    for (int f = 0; f < 5; ++f) {
        SpriteCanvas gem(8, 8);
        paintGem(gem, f);
        out.savePicture("sprites/gem/gem" + std::to_string(f + 1) + ".bmp", gem, 4);
    }
    for (int f = 0; f < 4; ++f) {
        SpriteCanvas cursor(17, 17);
        paintCursor(cursor, f);
        out.savePicture("cursors/cursor" + std::to_string(f + 1) + ".bmp", cursor, 4);
    }
}
