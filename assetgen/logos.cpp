#include "assetgen/logos.h"

#include <cmath>

#include "assetgen/asset_output.h"
#include "assetgen/font_glyphs.h"
#include "assetgen/sprite_canvas.h"

namespace {
const int TITLE_W = 330, TITLE_H = 132;

void fillBlack(SpriteCanvas& canvas) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) canvas.blendPixel(x, y, rgb(0, 0, 0), 1.0);
}

// A soft light pool behind an emblem, added onto the black.
void backLight(SpriteCanvas& canvas, double cx, double cy, double radius, Rgb colour) {
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            double dx = (x - cx) / radius, dy = (y - cy) / radius;
            double d = std::sqrt(dx * dx + dy * dy);
            if (d >= 1) continue;
            Rgb under = canvas.colourAt(x, y);
            canvas.blendPixel(x, y, clamped(added(under, scaled(colour, (1 - d) * (1 - d)))), 1.0);
        }
}

// Lettering in two tones split at `split_y`, bevelled, with a dark rim.
void paintTwoToneText(SpriteCanvas& canvas, const ShapeMask& letters, double split_y, Rgb upper, Rgb lower,
                      double bevel) {
    ShapeMask top(canvas.width(), canvas.height()), bottom(canvas.width(), canvas.height());
    top.add([&](double, double y) { return y < split_y; });
    top.intersectWith(letters);
    bottom.add([&](double, double y) { return y >= split_y; });
    bottom.intersectWith(letters);
    canvas.paintShaded(top, Material{upper, bevel, 0.6, 1.2, 0.7});
    canvas.paintShaded(bottom, Material{lower, bevel, 0.5, 1.2, -0.4});
    for (int x = 0; x < canvas.width(); ++x)
        if (letters.solid(x, int(split_y))) canvas.blendPixel(x, int(split_y), rgb(255, 255, 240), 0.8);
}

// The title's own letters: bold italic outlines on a 44x56 box, cleaner at
// this size than enlarged glyph grids. Holes are cut after the outline.
struct TitleLetter {
    char letter;
    Outline outline;
    Outline hole;
};

const TitleLetter TITLE_LETTERS[] = {
    {'Z', {{0, 0}, {44, 0}, {44, 12}, {17, 44}, {44, 44}, {44, 56}, {0, 56}, {0, 44}, {27, 12}, {0, 12}}, {}},
    {'E',
     {{0, 0}, {44, 0}, {44, 12}, {13, 12}, {13, 22}, {36, 22}, {36, 34}, {13, 34}, {13, 44}, {44, 44}, {44, 56}, {0, 56}},
     {}},
    {'N', {{0, 0}, {13, 0}, {31, 32}, {31, 0}, {44, 0}, {44, 56}, {31, 56}, {13, 24}, {13, 56}, {0, 56}}, {}},
    {'V', {{0, 0}, {13, 0}, {22, 36}, {31, 0}, {44, 0}, {29, 56}, {15, 56}}, {}},
    {'A', {{0, 56}, {15, 0}, {29, 0}, {44, 56}, {31, 56}, {28, 45}, {16, 45}, {13, 56}}, {{18.5, 34}, {25.5, 34}, {22, 17}}},
    {'R',
     {{0, 0}, {34, 0}, {44, 9}, {44, 25}, {37, 31}, {44, 56}, {31, 56}, {25, 35}, {13, 35}, {13, 56}, {0, 56}},
     {{13, 11}, {29, 11}, {32, 14}, {32, 20}, {29, 23}, {13, 23}}},
};
const double TITLE_LETTER_W = 44, TITLE_LETTER_H = 56, TITLE_SLANT = 0.2;

Outline placedLetter(const Outline& shape, double x, double y) {
    Outline out;
    for (const Point2& p : shape) out.push_back(Point2{x + p.x + (TITLE_LETTER_H - p.y) * TITLE_SLANT, y + p.y});
    return out;
}

void addTitleName(ShapeMask& mask, const std::string& name, double x, double y, double gap) {
    for (char c : name) {
        for (const TitleLetter& l : TITLE_LETTERS) {
            if (l.letter != c) continue;
            mask.addPolygon(placedLetter(l.outline, x, y));
            if (!l.hole.empty()) mask.cutPolygon(placedLetter(l.hole, x, y));
        }
        x += TITLE_LETTER_W + gap;
    }
}

void sparkle(SpriteCanvas& canvas, double cx, double cy, double arm, Rgb colour) {
    for (int d = -int(arm); d <= int(arm); ++d) {
        double a = 1.0 - std::fabs(d) / arm;
        canvas.blendPixel(int(cx) + d, int(cy), colour, a, false);
        canvas.blendPixel(int(cx), int(cy) + d, colour, a, false);
    }
    canvas.glow(cx + 0.5, cy + 0.5, arm * 0.35, colour, 1.0, 0.5);
}
}  // namespace

int letteringWidth(const std::string& text, int scale, int gap) {
    return int(text.size()) * GLYPH_COLUMNS * scale + (int(text.size()) - 1) * gap;
}

int addLettering(ShapeMask& mask, const std::string& text, int x, int y, int scale, int gap) {
    int left = x;
    for (unsigned char c : text) {
        int g = glyphIndexOf(c);
        for (int row = 0; row < GLYPH_ROWS; ++row)
            for (int col = 0; col < GLYPH_COLUMNS; ++col) {
                if (!glyphInk(g, col, row)) continue;
                double x0 = left + col * scale, y0 = y + row * scale;
                mask.addPolygon({{x0, y0}, {x0 + scale, y0}, {x0 + scale, y0 + scale}, {x0, y0 + scale}});
            }
        left += GLYPH_COLUMNS * scale + gap;
    }
    return left - gap - x;
}

void paintTitleLogo(SpriteCanvas& canvas) {
    const std::string name = "ZENVAR";
    const double gap = 7;
    double width = name.size() * TITLE_LETTER_W + (name.size() - 1) * gap + TITLE_LETTER_H * TITLE_SLANT;
    double left = std::floor((TITLE_W - width) / 2), top = 20;
    ShapeMask letters(TITLE_W, TITLE_H);
    addTitleName(letters, name, left, top, gap);
    // A swept streak under the name, like a ship's trail.
    ShapeMask streak(TITLE_W, TITLE_H);
    streak.addPolygon({{14, 96}, {TITLE_W - 14.0, 90}, {TITLE_W - 40.0, 98}, {30, 101}});
    canvas.paintVertical(streak, rgb(120, 220, 255), rgb(30, 80, 200), 90, 101);
    paintTwoToneText(canvas, letters, top + TITLE_LETTER_H * 0.5, rgb(170, 200, 240), rgb(240, 160, 50), 5.0);
    canvas.outline(pal::OUTLINE);
    canvas.outline(rgb(40, 90, 200));
    canvas.outline(pal::OUTLINE);
    sparkle(canvas, left + 14, top + 2, 14, rgb(255, 255, 255));
    sparkle(canvas, TITLE_W - 30, 92, 9, rgb(200, 240, 255));
    canvas.clearBorder();
}

void paintPublisherLogo(SpriteCanvas& canvas) {
    // Holtrane: a gold hexagon badge bearing a tall H, the name beneath.
    fillBlack(canvas);
    backLight(canvas, 320, 200, 220, rgb(50, 34, 10));
    ShapeMask badge(640, 480), inner(640, 480), letter(640, 480), name(640, 480);
    Outline hexagon;
    for (int i = 0; i < 6; ++i) {
        double a = M_PI / 6 + i * M_PI / 3;
        hexagon.push_back(Point2{320 + std::cos(a) * 92, 200 + std::sin(a) * 92});
    }
    badge.addPolygon(hexagon);
    inner.addPolygon(scaledAbout(hexagon, 320, 200, 0.82, 0.82));
    letter.addPolygon({{282, 150}, {302, 150}, {302, 190}, {338, 190}, {338, 150}, {358, 150}, {358, 250},
                       {338, 250}, {338, 210}, {302, 210}, {302, 250}, {282, 250}});
    canvas.paintShaded(badge, Material{pal::GOLD, 8.0, 0.6, 1.2, 0.4});
    canvas.paintShaded(inner, Material{rgb(40, 26, 20), 4.0, 0.2, 1.0, -0.3});
    canvas.paintShaded(letter, Material{mix(pal::GOLD, pal::LIGHT_TINT, 0.2), 6.0, 0.7, 1.3, 0.5});
    int w = letteringWidth("HOLTRANE", 5, 6);
    addLettering(name, "HOLTRANE", 320 - w / 2, 330, 5, 6);
    paintTwoToneText(canvas, name, 330 + 17.5, rgb(250, 230, 180), rgb(210, 140, 50), 2.5);
    canvas.outline(pal::OUTLINE);
}

void paintDeveloperLogo(SpriteCanvas& canvas) {
    // Ostwick: a teal planet with an orbit ring and a bright moon, the name beneath.
    fillBlack(canvas);
    backLight(canvas, 320, 200, 240, rgb(8, 40, 50));
    ShapeMask orbit(640, 480), planet(640, 480), moon(640, 480), name(640, 480);
    orbit.addEllipse(320, 200, 130, 46);
    orbit.cutEllipse(320, 200, 118, 38);
    planet.addEllipse(320, 200, 70, 70);
    ShapeMask front(640, 480);
    front.add([](double, double y) { return y > 200; });
    front.intersectWith(orbit);
    moon.addEllipse(424, 166, 14, 14);
    canvas.paintShaded(orbit, Material{rgb(120, 200, 210), 3.0, 0.5, 1.0, 0.3});
    canvas.paintShaded(planet, Material{rgb(40, 170, 170), 30.0, 0.5, 1.3, 0.3});
    canvas.paintShaded(front, Material{rgb(150, 225, 230), 3.0, 0.6, 1.0, 0.3});
    canvas.paintShaded(moon, Material{rgb(235, 235, 220), 6.0, 0.7, 1.2, 0.3});
    int w = letteringWidth("OSTWICK", 5, 6);
    addLettering(name, "OSTWICK", 320 - w / 2, 330, 5, 6);
    paintTwoToneText(canvas, name, 330 + 17.5, rgb(220, 245, 250), rgb(60, 170, 180), 2.5);
    canvas.outline(pal::OUTLINE);
}

void makeLogos(AssetOutput& out) {
    out.newSheetRow();
    SpriteCanvas title(TITLE_W, TITLE_H);
    paintTitleLogo(title);
    out.savePicture("logo/zenvarlogo.bmp", title, 1);
    SpriteCanvas publisher(640, 480);
    paintPublisherLogo(publisher);
    out.savePicture("logo/holtrane.bmp", publisher, -2);
    SpriteCanvas developer(640, 480);
    paintDeveloperLogo(developer);
    out.savePicture("logo/ostwick.bmp", developer, -2);
}
