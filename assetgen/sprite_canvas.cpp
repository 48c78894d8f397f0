#include "assetgen/sprite_canvas.h"

#include <algorithm>
#include <cmath>

namespace {
// Light from the upper left and a little in front of the picture.
const double LIGHT_X = -0.55, LIGHT_Y = -0.70, LIGHT_Z = 0.45;
}  // namespace

SpriteCanvas::SpriteCanvas(int width, int height)
    : w(width), h(height), colour(size_t(width) * height, Rgb{0, 0, 0}), cover(size_t(width) * height, 0.0) {}

Rgb SpriteCanvas::colourAt(int x, int y) const { return colour[size_t(y) * w + x]; }
double SpriteCanvas::coverageAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0;
    return cover[size_t(y) * w + x];
}

void SpriteCanvas::blendPixel(int x, int y, Rgb c, double alpha, bool over_only) {
    if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0) return;
    size_t i = size_t(y) * w + x;
    if (over_only && cover[i] < 0.5) return;
    alpha = std::min(alpha, 1.0);
    colour[i] = cover[i] > 0 ? mix(colour[i], c, alpha) : c;
    cover[i] = alpha + cover[i] * (1 - alpha);
}

std::vector<double> SpriteCanvas::distanceInside(const ShapeMask& mask, double limit) const {
    // Distance from each solid pixel to the nearest pixel outside the shape,
    // searched only as far as the bevel reaches.
    int reach = int(std::ceil(limit)) + 1;
    std::vector<double> dist(size_t(w) * h, 0.0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (mask.at(x, y) <= 0) continue;
            double best = limit;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    if (mask.solid(x + dx, y + dy)) continue;
                    double d = std::sqrt(double(dx * dx + dy * dy)) - 0.5 + mask.at(x + dx, y + dy);
                    best = std::min(best, d);
                }
            dist[size_t(y) * w + x] = std::max(0.0, best);
        }
    }
    return dist;
}

void SpriteCanvas::paintShaded(const ShapeMask& mask, const Material& m) {
    double bevel = std::max(0.5, m.bevel);
    std::vector<double> dist = distanceInside(mask, bevel);
    auto height = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h) return 0.0;
        double t = std::min(1.0, dist[size_t(y) * w + x] / bevel);
        return std::sqrt(1 - (1 - t) * (1 - t));
    };
    int top = h, bottom = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (mask.at(x, y) > 0) top = std::min(top, y), bottom = std::max(bottom, y);
    double span = std::max(1, bottom - top);
    double ll = std::sqrt(LIGHT_X * LIGHT_X + LIGHT_Y * LIGHT_Y + LIGHT_Z * LIGHT_Z);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double c = mask.at(x, y);
            if (c <= 0) continue;
            double gx = (height(x + 1, y) - height(x - 1, y)) * 0.5 * bevel;
            double gy = (height(x, y + 1) - height(x, y - 1)) * 0.5 * bevel;
            double nx = -gx, ny = -gy, nz = 1.0;
            double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            nx /= nl, ny /= nl, nz /= nl;
            double diffuse = (nx * LIGHT_X + ny * LIGHT_Y + nz * LIGHT_Z) / ll;
            double flat = LIGHT_Z / ll;
            double light = (diffuse - flat) * 1.6 * m.contrast;
            light += m.tilt * (0.5 - (y - top) / span);
            // Half vector between the light and the viewer for the highlight.
            double hx = LIGHT_X / ll, hy = LIGHT_Y / ll, hz = LIGHT_Z / ll + 1.0;
            double hl = std::sqrt(hx * hx + hy * hy + hz * hz);
            double shine = std::pow(std::max(0.0, (nx * hx + ny * hy + nz * hz) / hl), 24.0) * m.gloss;
            Rgb lit = shadeOf(m.base, light);
            lit = mix(lit, pal::LIGHT_TINT, std::min(1.0, shine));
            blendPixel(x, y, lit, c);
        }
    }
}

void SpriteCanvas::paintFlat(const ShapeMask& mask, Rgb c, double opacity) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) blendPixel(x, y, c, mask.at(x, y) * opacity);
}

void SpriteCanvas::paintVertical(const ShapeMask& mask, Rgb top, Rgb bottom, double y_top, double y_bottom) {
    for (int y = 0; y < h; ++y) {
        double t = std::clamp((y + 0.5 - y_top) / std::max(1e-6, y_bottom - y_top), 0.0, 1.0);
        Rgb c = mix(top, bottom, t);
        for (int x = 0; x < w; ++x) blendPixel(x, y, c, mask.at(x, y));
    }
}

void SpriteCanvas::seam(double x0, double y0, double x1, double y1, Rgb c, double alpha) {
    double len = std::max(std::fabs(x1 - x0), std::fabs(y1 - y0));
    int steps = std::max(1, int(std::ceil(len * 2)));
    std::vector<bool> done(size_t(w) * h, false);
    for (int i = 0; i <= steps; ++i) {
        double t = double(i) / steps;
        int x = int(std::floor(x0 + (x1 - x0) * t)), y = int(std::floor(y0 + (y1 - y0) * t));
        if (x < 0 || y < 0 || x >= w || y >= h || done[size_t(y) * w + x]) continue;
        done[size_t(y) * w + x] = true;
        blendPixel(x, y, c, alpha, true);
    }
}

void SpriteCanvas::glow(double cx, double cy, double radius, Rgb c, double strength, double solid_from) {
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double d = std::sqrt(dx * dx + dy * dy) / radius;
            if (d >= 1) continue;
            double k = (1 - d) * (1 - d) * strength;
            size_t i = size_t(y) * w + x;
            if (cover[i] >= 0.5) {
                colour[i] = clamped(added(colour[i], scaled(c, k)));
            } else if (k >= solid_from) {
                colour[i] = clamped(scaled(c, std::min(1.0, 0.55 + k * 0.6)));
                cover[i] = 1.0;
            }
        }
    }
}

void SpriteCanvas::outline(Rgb c) {
    std::vector<double> before = cover;
    auto solidBefore = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < w && y < h && before[size_t(y) * w + x] >= 0.5;
    };
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            size_t i = size_t(y) * w + x;
            if (before[i] >= 0.5) continue;
            bool edge = solidBefore(x - 1, y) || solidBefore(x + 1, y) || solidBefore(x, y - 1) ||
                        solidBefore(x, y + 1);
            bool corner = solidBefore(x - 1, y - 1) || solidBefore(x + 1, y - 1) ||
                          solidBefore(x - 1, y + 1) || solidBefore(x + 1, y + 1);
            if (edge || corner) {
                // A soft edge pixel keeps a hint of its own colour.
                colour[i] = before[i] > 0 ? mix(c, colour[i], before[i] * 0.6) : c;
                cover[i] = edge ? 1.0 : 0.6;
            }
        }
    }
}

void SpriteCanvas::clearBorder() {
    for (int x = 0; x < w; ++x) cover[x] = cover[size_t(h - 1) * w + x] = 0;
    for (int y = 0; y < h; ++y) cover[size_t(y) * w] = cover[size_t(y) * w + w - 1] = 0;
}

BITMAP* SpriteCanvas::toBitmap() const {
    BITMAP* bmp = create_bitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            size_t i = size_t(y) * w + x;
            putpixel(bmp, x, y, cover[i] >= 0.5 ? toAllegroColour(colour[i]) : maskColour());
        }
    return bmp;
}
