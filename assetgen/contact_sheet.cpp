#include "assetgen/contact_sheet.h"

#include <algorithm>
#include <vector>

#include "assetgen/asset_output.h"
#include "assetgen/png_writer.h"

namespace {
const int SHEET_WIDTH = 1280;
const int GAP = 6;

struct Placed {
    const SheetEntry* entry;
    int x, y, w, h;
};

int shownWidth(const SheetEntry& e) { return e.scale > 0 ? e.picture->w * e.scale : e.picture->w / -e.scale; }
int shownHeight(const SheetEntry& e) { return e.scale > 0 ? e.picture->h * e.scale : e.picture->h / -e.scale; }

// Colour of the picture at a shown pixel; false where it is transparent.
bool sampleEntry(const SheetEntry& e, int sx, int sy, int& r, int& g, int& b) {
    int mask = makecol(255, 0, 255);
    if (e.scale > 0) {
        int c = getpixel(e.picture, sx / e.scale, sy / e.scale);
        if (c == mask) return false;
        r = getr(c), g = getg(c), b = getb(c);
        return true;
    }
    int k = -e.scale, tr = 0, tg = 0, tb = 0;
    for (int y = 0; y < k; ++y)
        for (int x = 0; x < k; ++x) {
            int c = getpixel(e.picture, sx * k + x, sy * k + y);
            tr += getr(c), tg += getg(c), tb += getb(c);
        }
    r = tr / (k * k), g = tg / (k * k), b = tb / (k * k);
    return true;
}
}  // namespace

bool writeContactSheet(const AssetOutput& output, const std::string& png_path) {
    std::vector<Placed> placed;
    int y = GAP;
    for (const auto& row : output.sheetRows()) {
        if (row.empty()) continue;
        int x = GAP, row_h = 0;
        for (const SheetEntry& e : row) {
            int w = shownWidth(e), h = shownHeight(e);
            if (x + w + GAP > SHEET_WIDTH && x > GAP) {
                y += row_h + GAP;
                x = GAP;
                row_h = 0;
            }
            placed.push_back(Placed{&e, x, y, w, h});
            x += w + GAP;
            row_h = std::max(row_h, h);
        }
        y += row_h + GAP * 3;
    }
    int height = y;
    std::vector<uint8_t> rgb(size_t(SHEET_WIDTH) * height * 3);
    for (int py = 0; py < height; ++py)
        for (int px = 0; px < SHEET_WIDTH; ++px) {
            bool line = px % 16 == 0 || py % 16 == 0;
            uint8_t* p = &rgb[(size_t(py) * SHEET_WIDTH + px) * 3];
            p[0] = line ? 34 : 18, p[1] = line ? 36 : 20, p[2] = line ? 48 : 28;
        }
    for (const Placed& p : placed) {
        for (int sy = 0; sy < p.h; ++sy)
            for (int sx = 0; sx < p.w; ++sx) {
                int r, g, b;
                if (!sampleEntry(*p.entry, sx, sy, r, g, b)) continue;
                uint8_t* d = &rgb[(size_t(p.y + sy) * SHEET_WIDTH + p.x + sx) * 3];
                d[0] = uint8_t(r), d[1] = uint8_t(g), d[2] = uint8_t(b);
            }
    }
    return writePng(png_path, SHEET_WIDTH, height, rgb);
}
