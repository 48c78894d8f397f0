#include "assetgen/backgrounds.h"

#include <algorithm>
#include <cmath>

#include "assetgen/asset_output.h"
#include "assetgen/prng.h"
#include "assetgen/sprite_canvas.h"

namespace {
const int GAME_W = 1360, GAME_H = 480;

void plot(SpriteCanvas& canvas, int x, int y, Rgb c, double a, bool wrap) {
    if (wrap) x = ((x % canvas.width()) + canvas.width()) % canvas.width();
    if (y < 0 || y >= canvas.height()) return;
    Rgb under = canvas.colourAt(x, y);
    canvas.blendPixel(x, y, clamped(added(under, scaled(c, a))), 1.0);
}

// Nebula colour from two noise fields: a cold blue-violet cloud and warmer
// magenta-red wisps, both kept faint.
void paintNebula(SpriteCanvas& canvas, uint32_t seed, double cell, int period_cells, double strength) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double nx = x / cell, ny = y / cell;
            double cloud = fractalNoise(nx, ny, seed, 5, period_cells);
            double wisp = fractalNoise(nx * 2 + 7.3, ny * 2, seed + 99, 4, period_cells * 2);
            double dense = std::max(0.0, cloud - 0.42) * 2.2;
            double warm = std::max(0.0, wisp - 0.55) * 2.4 * dense;
            Rgb c = pal::SPACE_DEEP;
            c = added(c, scaled(rgb(46, 40, 110), dense * strength));
            c = added(c, scaled(rgb(120, 30, 70), warm * strength));
            double dust = fractalNoise(nx * 4, ny * 4, seed + 7, 3, period_cells * 4);
            c = scaled(c, 0.8 + 0.4 * dust);
            canvas.blendPixel(x, y, clamped(c), 1.0);
        }
}
}  // namespace

void paintStarfield(SpriteCanvas& canvas, uint32_t seed, int count, double brightness, bool wrap) {
    Prng rng(seed);
    for (int i = 0; i < count; ++i) {
        int x = rng.below(canvas.width()), y = rng.below(canvas.height());
        double size = rng.unit();
        double level = brightness * (0.25 + 0.75 * rng.unit() * rng.unit());
        int tone = rng.below(4);
        Rgb c = tone == 0 ? rgb(255, 220, 190) : tone == 1 ? rgb(190, 210, 255) : rgb(235, 235, 255);
        plot(canvas, x, y, c, level, wrap);
        if (size > 0.9) {
            // A few bright stars get a soft cross.
            for (int d = 1; d <= 2; ++d) {
                double a = level * (d == 1 ? 0.5 : 0.2);
                plot(canvas, x + d, y, c, a, wrap), plot(canvas, x - d, y, c, a, wrap);
                plot(canvas, x, y + d, c, a, wrap), plot(canvas, x, y - d, c, a, wrap);
            }
        } else if (size > 0.75) {
            plot(canvas, x + 1, y, c, level * 0.3, wrap);
            plot(canvas, x, y + 1, c, level * 0.3, wrap);
        }
    }
}

void paintGameBackdrop(SpriteCanvas& canvas) {
    // 1360 pixels are 16 noise cells of 85: the nebula repeats exactly.
    paintNebula(canvas, 501, 85.0, GAME_W / 85, 0.55);
    paintStarfield(canvas, 502, 1100, 0.55, true);
    paintStarfield(canvas, 503, 90, 1.0, true);
}

void paintTitleBackdrop(SpriteCanvas& canvas) {
    paintNebula(canvas, 601, 110.0, 0, 1.0);
    paintStarfield(canvas, 602, 700, 0.7, false);
    paintStarfield(canvas, 603, 60, 1.0, false);
    // A ringed planet low on the right, lit from the upper left like every sprite.
    const double px = 530, py = 410, pr = 130;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double dx = (x + 0.5 - px) / pr, dy = (y + 0.5 - py) / pr;
            double d2 = dx * dx + dy * dy;
            Rgb under = canvas.colourAt(x, y);
            if (d2 < 1.0) {
                double nz = std::sqrt(1 - d2);
                double light = std::max(0.0, -0.6 * dx - 0.55 * dy + 0.58 * nz);
                double bands = fractalNoise(x / 90.0, y / 9.0, 611, 3);
                Rgb surface = mix(rgb(40, 60, 130), rgb(110, 70, 150), bands);
                Rgb c = scaled(surface, 0.08 + 0.9 * light);
                double rim = std::pow(1 - nz, 3) * light * 2;
                c = added(c, scaled(rgb(120, 200, 255), rim));
                canvas.blendPixel(x, y, clamped(c), 1.0);
            } else if (d2 < 1.1) {
                double halo = (1.1 - d2) / 0.1;
                double side = std::max(0.0, -dx - dy) * 0.8;
                canvas.blendPixel(x, y, clamped(added(under, scaled(rgb(80, 150, 255), halo * halo * side))), 1.0);
            }
            // The ring: a tilted ellipse in front of the lower half, behind the upper.
            double rx = (x + 0.5 - px) / (pr * 1.9), ry = (y + 0.5 - py + (x - px) * 0.18) / (pr * 0.32);
            double rd = std::sqrt(rx * rx + ry * ry);
            bool behind = ry < 0 && d2 < 1.0;
            if (rd > 0.78 && rd < 1.0 && !behind) {
                double stripe = 0.6 + 0.4 * std::sin(rd * 90);
                Rgb ring = scaled(rgb(200, 170, 140), 0.55 * stripe);
                canvas.blendPixel(x, y, clamped(mix(canvas.colourAt(x, y), ring, 0.75)), 1.0);
            }
        }
}

void makeBackgrounds(AssetOutput& out) {
    out.newSheetRow();
    SpriteCanvas game(GAME_W, GAME_H);
    paintGameBackdrop(game);
    out.savePicture("backgrounds/gamebg.bmp", game, -3);
    SpriteCanvas title(640, 480);
    paintTitleBackdrop(title);
    out.savePicture("backgrounds/titlebg.bmp", title, -2);
}
