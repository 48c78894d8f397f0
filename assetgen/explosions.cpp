#include "assetgen/explosions.h"

#include <algorithm>
#include <cmath>

#include "assetgen/asset_output.h"
#include "assetgen/prng.h"
#include "assetgen/sprite_canvas.h"

namespace {
Rgb fireColour(double heat, const ExplosionStyle& s) {
    Rgb c;
    if (heat > 0.85) c = mix(pal::FIRE_YELLOW, pal::FIRE_WHITE, (heat - 0.85) / 0.15);
    else if (heat > 0.62) c = mix(pal::FIRE_ORANGE, pal::FIRE_YELLOW, (heat - 0.62) / 0.23);
    else if (heat > 0.40) c = mix(pal::FIRE_RED, pal::FIRE_ORANGE, (heat - 0.40) / 0.22);
    else c = mix(pal::SMOKE, pal::FIRE_RED, std::max(0.0, (heat - 0.15) / 0.25));
    double cool = 1.0 - std::min(1.0, heat / 0.8);
    return mix(c, s.tint, s.tint_amount * cool);
}

// Distance from the nearest of several puffs of fire, in units of each puff's
// radius; the puffs drift apart as the blast grows, which breaks up the ball.
double puffDistance(const ExplosionStyle& s, double x, double y, double radius, double t) {
    Prng rng(s.seed * 31 + 17);
    double half = s.size / 2.0, best = 1e9;
    int puffs = 5;
    for (int i = 0; i < puffs; ++i) {
        double angle = rng.range(0, 2 * M_PI), spread = rng.range(0.2, 0.55), size = rng.range(0.55, 0.8);
        if (i == 0) spread = 0, size = 0.85;
        double cx = half + std::cos(angle) * spread * radius * (0.5 + t);
        double cy = half + std::sin(angle) * spread * radius * (0.5 + t);
        double dx = x - cx, dy = y - cy;
        best = std::min(best, std::sqrt(dx * dx + dy * dy) / (radius * size));
    }
    return best;
}

void paintFireball(SpriteCanvas& canvas, const ExplosionStyle& s, double t) {
    double half = s.size / 2.0;
    double grow = 1 - (1 - t) * (1 - t) * (1 - t);
    double radius = half * s.reach * (0.3 + 0.62 * grow);
    double fade = std::pow(1 - t, 1.2);
    double noise_scale = 7.0 / s.size;
    for (int y = 0; y < s.size; ++y) {
        for (int x = 0; x < s.size; ++x) {
            double r = puffDistance(s, x + 0.5, y + 0.5, radius, t);
            double n = fractalNoise(x * noise_scale + t * 3.1, y * noise_scale - t * 2.3, s.seed, 4);
            double ragged = r + (n - 0.5) * (1.0 + 0.5 * t);
            if (ragged >= 1.0) continue;
            // Hot in the middle early on; later the middle burns out first.
            double core = 1.0 - ragged;
            double hollow = t > 0.5 ? std::min(1.0, (t - 0.5) * 2.2) * std::max(0.0, 0.5 - ragged) * 1.4 : 0;
            double heat = (core * 1.25 + (n - 0.5) * 0.6) * (0.3 + 0.8 * fade) - hollow;
            heat = std::min(1.0, heat + (t < 0.25 ? (0.25 - t) * 2.5 * core : 0) + s.core_heat * (1 - t) * std::max(0.0, 0.6 - ragged));
            // Smoke thins out with holes at the end.
            double erode = t > 0.6 ? (t - 0.6) * 2.0 : 0;
            if (heat < 0.1 || n < erode * 0.85 + 0.04 * t) continue;
            canvas.blendPixel(x, y, fireColour(heat, s), 1.0);
        }
    }
}

void paintSparks(SpriteCanvas& canvas, const ExplosionStyle& s, double t) {
    Prng rng(s.seed * 7 + 3);
    double half = s.size / 2.0;
    for (int i = 0; i < s.sparks; ++i) {
        double angle = rng.range(0, 2 * M_PI), speed = rng.range(0.45, 1.0), life = rng.range(0.5, 0.95);
        if (t > life || t < 0.05) continue;
        double d = half * 0.92 * speed * std::sqrt(t / life) * (0.3 + 0.7 * t / life);
        double x = half + std::cos(angle) * d, y = half + std::sin(angle) * d;
        double heat = 1.0 - t / life;
        Rgb c = mix(pal::FIRE_ORANGE, pal::FIRE_WHITE, heat);
        canvas.blendPixel(int(x), int(y), c, 1.0);
        double tx = x - std::cos(angle) * 1.5, ty = y - std::sin(angle) * 1.5;
        if (heat > 0.4) canvas.blendPixel(int(tx), int(ty), mix(pal::FIRE_RED, c, 0.5), 1.0);
    }
}

void paintDebris(SpriteCanvas& canvas, const ExplosionStyle& s, double t) {
    Prng rng(s.seed * 13 + 5);
    double half = s.size / 2.0;
    for (int i = 0; i < s.debris; ++i) {
        double angle = rng.range(0, 2 * M_PI), speed = rng.range(0.35, 0.85);
        int piece = 1 + rng.below(2);
        double d = half * speed * (0.15 + 0.85 * t);
        if (t < 0.1 || d > half - piece - 2) continue;
        int x = int(half + std::cos(angle) * d), y = int(half + std::sin(angle) * d);
        for (int py = 0; py <= piece; ++py)
            for (int px = 0; px <= piece; ++px)
                canvas.blendPixel(x + px, y + py, (px + py) == 0 ? rgb(150, 150, 170) : rgb(60, 56, 74), 1.0);
    }
}
}  // namespace

void paintExplosionFrame(SpriteCanvas& canvas, const ExplosionStyle& s, int index) {
    double t = s.frames > 1 ? double(index) / (s.frames - 1) : 0.0;
    t = 0.04 + t * (s.end - 0.04);
    // Hull fragments first, so they show only where they fly clear of the fire.
    paintDebris(canvas, s, t);
    paintFireball(canvas, s, t);
    paintSparks(canvas, s, t);
    if (index == 0) {
        // The first frame is a flash: a white core with rays of uneven length.
        Prng rng(s.seed * 5 + 1);
        double half = s.size / 2.0;
        for (int ray = 0; ray < 8; ++ray) {
            double angle = ray * M_PI / 4 + rng.range(-0.2, 0.2), reach = half * rng.range(0.55, 0.85);
            for (double r = 0; r < reach; r += 0.5) {
                double a = 1.0 - r / reach;
                canvas.blendPixel(int(half + std::cos(angle) * r), int(half + std::sin(angle) * r),
                                  mix(pal::FIRE_YELLOW, pal::FIRE_WHITE, a), a > 0.3 ? 1.0 : 0.0);
            }
        }
        canvas.glow(half, half, s.size * 0.42, pal::FIRE_WHITE, 1.2, 0.25);
    }
    canvas.clearBorder();
}

void writeExplosion(AssetOutput& out, const std::string& prefix, const ExplosionStyle& style) {
    for (int i = 0; i < style.frames; ++i) {
        SpriteCanvas canvas(style.size, style.size);
        paintExplosionFrame(canvas, style, i);
        out.savePicture(prefix + std::to_string(i + 1) + ".bmp", canvas, style.size > 64 ? 1 : 2);
    }
}

void makeExplosions(AssetOutput& out) {
    out.newSheetRow();
    writeExplosion(out, "sprites/enemyexplosion/enemyexplosion",
                   ExplosionStyle{38, 4, 11, 0.95, rgb(255, 90, 40), 0.2, 14, 0, 0.89, 1.6});
    out.newSheetRow();
    writeExplosion(out, "sprites/gryffon/gryffonexplode",
                   ExplosionStyle{38, 5, 23, 0.98, pal::FLAME_HOT, 0.35, 18, 6});
    out.newSheetRow();
    writeExplosion(out, "sprites/wyvern/wyvernexplosion",
                   ExplosionStyle{96, 9, 37, 0.92, rgb(120, 230, 80), 0.35, 34, 10});
    out.newSheetRow();
    writeExplosion(out, "sprites/bigbattleship/bigbattleshipexplosion",
                   ExplosionStyle{96, 11, 51, 0.97, rgb(255, 60, 30), 0.25, 44, 22});
}
