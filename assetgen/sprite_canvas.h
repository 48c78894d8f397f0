// A painting surface for one picture: floating-point colour plus coverage per
// pixel. Parts are painted in order, each shaded as a bevelled, lit solid (light
// from the upper left, the same for every sprite), then the whole silhouette gets
// a dark rim. Only when the picture is finished is coverage turned into the hard
// transparent key the game's sprite drawing needs.
#pragma once

#include <allegro.h>

#include <vector>

#include "assetgen/palette.h"
#include "assetgen/shape_mask.h"

struct Material {
    Rgb base;
    double bevel = 3.0;     // width of the rounded rim, in pixels
    double gloss = 0.3;     // strength of the specular highlight
    double contrast = 1.0;  // how strongly light and shadow depart from the base
    double tilt = 0.25;     // extra light towards the top of the part
};

class SpriteCanvas {
public:
    SpriteCanvas(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Rgb colourAt(int x, int y) const;
    double coverageAt(int x, int y) const;

    // Paint over what is there, weighted by the mask's coverage.
    void paintShaded(const ShapeMask& mask, const Material& material);
    void paintFlat(const ShapeMask& mask, Rgb colour, double opacity = 1.0);
    void paintVertical(const ShapeMask& mask, Rgb top, Rgb bottom, double y_top, double y_bottom);
    // Blend one pixel (alpha 0..1); `over_only` leaves uncovered pixels alone.
    void blendPixel(int x, int y, Rgb colour, double alpha, bool over_only = false);
    // A soft line drawn only over painted pixels (panel seams, scratches).
    void seam(double x0, double y0, double x1, double y1, Rgb colour, double alpha);
    // Add light: brightens painted pixels and, where strong enough, makes new
    // opaque pixels around a light source.
    void glow(double cx, double cy, double radius, Rgb colour, double strength, double solid_from = 0.45);
    // A dark rim around everything painted so far.
    void outline(Rgb colour);
    // Keep the outermost ring of pixels transparent.
    void clearBorder();

    // A new 24/32-bit Allegro bitmap of the picture, transparent outside.
    BITMAP* toBitmap() const;

private:
    std::vector<double> distanceInside(const ShapeMask& mask, double limit) const;

    int w, h;
    std::vector<Rgb> colour;
    std::vector<double> cover;
};
