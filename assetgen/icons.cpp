#include "assetgen/icons.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "assetgen/asset_output.h"
#include "assetgen/png_writer.h"
#include "assetgen/sprite_canvas.h"
#include "assetgen/sprites_ship.h"

const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};
const int ICON_SIZE_COUNT = sizeof(ICON_SIZES) / sizeof(ICON_SIZES[0]);

namespace {
const int SHIP_SIZE = 38;
const int WINDOW_ICON_SIZE = 48;
const int SUBSAMPLES = 4;
const double BADGE_RADIUS = 0.48;  // of the icon's width
// The ship fills most of the badge; its hull spans about 30 of its 38 pixels.
const double SHIP_SPAN = 1.1;
const Rgb BADGE_TOP = rgb(26, 36, 92);
const Rgb BADGE_BOTTOM = rgb(76, 18, 86);
const Rgb BADGE_RIM = rgb(140, 190, 255);

struct Rgba {
    double r, g, b, a;  // colour 0..1, premultiplied by a
};

Rgba over(Rgba top, Rgba below) {
    double k = 1.0 - top.a;
    return {top.r + below.r * k, top.g + below.g * k, top.b + below.b * k, top.a + below.a * k};
}

Rgba shipPixel(const SpriteCanvas& ship, int x, int y) {
    if (x < 0 || y < 0 || x >= SHIP_SIZE || y >= SHIP_SIZE) return {0, 0, 0, 0};
    double a = std::min(1.0, ship.coverageAt(x, y));
    Rgb c = scaled(clamped(ship.colourAt(x, y)), a / 255);
    return {c.r, c.g, c.b, a};
}

// Bilinear, on premultiplied colour so the transparent outside does not darken the rim.
Rgba sampleShip(const SpriteCanvas& ship, double u, double v) {
    double fx = u - 0.5, fy = v - 0.5;
    int x0 = int(std::floor(fx)), y0 = int(std::floor(fy));
    double tx = fx - x0, ty = fy - y0;
    Rgba p[4] = {shipPixel(ship, x0, y0), shipPixel(ship, x0 + 1, y0), shipPixel(ship, x0, y0 + 1),
                 shipPixel(ship, x0 + 1, y0 + 1)};
    double w[4] = {(1 - tx) * (1 - ty), tx * (1 - ty), (1 - tx) * ty, tx * ty};
    Rgba s = {0, 0, 0, 0};
    for (int i = 0; i < 4; ++i) s = {s.r + p[i].r * w[i], s.g + p[i].g * w[i], s.b + p[i].b * w[i], s.a + p[i].a * w[i]};
    return s;
}

// One point of the icon, in units of its width (0..1 across).
Rgba iconPoint(const SpriteCanvas& ship, double x, double y) {
    double d = std::hypot(x - 0.5, y - 0.5);
    Rgba badge = {0, 0, 0, 0};
    if (d <= BADGE_RADIUS) {
        Rgb c = mix(BADGE_TOP, BADGE_BOTTOM, y);
        if (d > BADGE_RADIUS * 0.92) c = mix(c, BADGE_RIM, 0.7);
        badge = {c.r / 255, c.g / 255, c.b / 255, 1.0};
    }
    double u = 19.0 + (x - 0.5) * SHIP_SIZE / SHIP_SPAN, v = 19.5 + (y - 0.5) * SHIP_SIZE / SHIP_SPAN;
    return over(sampleShip(ship, u, v), badge);
}

uint8_t toByte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

BITMAP* sheetPictureOf(const std::vector<uint8_t>& rgba, int size) {
    BITMAP* bmp = create_bitmap(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const uint8_t* p = &rgba[(size_t(y) * size + x) * 4];
            putpixel(bmp, x, y, p[3] >= 128 ? makecol(p[0], p[1], p[2]) : maskColour());
        }
    return bmp;
}
}  // namespace

std::vector<uint8_t> renderIcon(int size) {
    SpriteCanvas ship(SHIP_SIZE, SHIP_SIZE);
    paintShip(ship, ThrustLook::LongFlame);
    std::vector<uint8_t> rgba;
    rgba.reserve(size_t(size) * size * 4);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            Rgba sum = {0, 0, 0, 0};
            for (int sy = 0; sy < SUBSAMPLES; ++sy)
                for (int sx = 0; sx < SUBSAMPLES; ++sx) {
                    Rgba p = iconPoint(ship, (x + (sx + 0.5) / SUBSAMPLES) / size, (y + (sy + 0.5) / SUBSAMPLES) / size);
                    sum = {sum.r + p.r, sum.g + p.g, sum.b + p.b, sum.a + p.a};
                }
            double n = SUBSAMPLES * SUBSAMPLES, a = sum.a / n;
            double un = a > 0 ? 1.0 / (a * n) : 0.0;
            rgba.insert(rgba.end(), {toByte(sum.r * un), toByte(sum.g * un), toByte(sum.b * un), toByte(a)});
        }
    return rgba;
}

std::string xpmOf(const std::vector<uint8_t>& rgba, int size, const std::string& name) {
    static const char CODES[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789+-";
    std::map<uint32_t, std::string> codes;  // 0xFFFFFFFF is the transparent "None"
    std::vector<uint32_t> keys;
    for (size_t i = 0; i < rgba.size(); i += 4) {
        uint32_t key = rgba[i + 3] < 128 ? 0xFFFFFFFFu : (uint32_t(rgba[i]) << 16) | (rgba[i + 1] << 8) | rgba[i + 2];
        keys.push_back(key);
        if (!codes.count(key)) {
            size_t n = codes.size();
            if (n >= 64 * 64) throw std::runtime_error("too many colours for the window icon");
            codes[key] = std::string{CODES[n / 64], CODES[n % 64]};
        }
    }
    std::string text = "/* XPM */\nstatic const char* " + name + "[] = {\n";
    text += "\"" + std::to_string(size) + " " + std::to_string(size) + " " + std::to_string(codes.size()) + " 2\",\n";
    for (const auto& [key, code] : codes) {
        char colour[16];
        std::snprintf(colour, sizeof(colour), "#%06X", unsigned(key));
        text += "\"" + code + " c " + (key == 0xFFFFFFFFu ? std::string("None") : std::string(colour)) + "\",\n";
    }
    for (int y = 0; y < size; ++y) {
        text += "\"";
        for (int x = 0; x < size; ++x) text += codes[keys[size_t(y) * size + x]];
        text += y + 1 < size ? "\",\n" : "\"};\n";
    }
    return text;
}

void makeIcons(AssetOutput& out) {
    out.newSheetRow();
    for (int i = 0; i < ICON_SIZE_COUNT; ++i) {
        int size = ICON_SIZES[i];
        std::vector<uint8_t> rgba = renderIcon(size);
        std::string dim = std::to_string(size) + "x" + std::to_string(size);
        std::string path = out.claimFile("icons/hicolor/" + dim + "/apps/zenvar.png");
        if (!writePngWithAlpha(path, size, size, rgba)) throw std::runtime_error("cannot write " + path);
        BITMAP* shown = sheetPictureOf(rgba, size);
        out.showOnSheet(shown, size <= 32 ? 2 : 1);
        destroy_bitmap(shown);
        if (size == WINDOW_ICON_SIZE) {
            std::string xpm = xpmOf(rgba, size, "zenvar_window_icon");
            out.saveBytes("icons/zenvar.xpm", std::vector<uint8_t>(xpm.begin(), xpm.end()));
        }
    }
}
