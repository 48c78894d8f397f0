#include "assetgen/shape_mask.h"

#include <algorithm>
#include <cmath>

Outline mirroredAbout(const Outline& left_half, double axis_x) {
    Outline all = left_half;
    for (auto it = left_half.rbegin(); it != left_half.rend(); ++it) {
        all.push_back(Point2{2 * axis_x - it->x, it->y});
    }
    return all;
}

Outline rotatedAbout(const Outline& points, double cx, double cy, double turns) {
    double a = turns * 2 * M_PI, c = std::cos(a), s = std::sin(a);
    Outline out;
    for (const Point2& p : points) {
        double dx = p.x - cx, dy = p.y - cy;
        out.push_back(Point2{cx + dx * c - dy * s, cy + dx * s + dy * c});
    }
    return out;
}

Outline scaledAbout(const Outline& points, double cx, double cy, double sx, double sy) {
    Outline out;
    for (const Point2& p : points) out.push_back(Point2{cx + (p.x - cx) * sx, cy + (p.y - cy) * sy});
    return out;
}

ShapeMask::ShapeMask(int width, int height) : w(width), h(height), coverage(size_t(width) * height, 0.0) {}

double ShapeMask::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return 0;
    return coverage[size_t(y) * w + x];
}

void ShapeMask::combine(const std::function<bool(double, double)>& inside, bool adding, double x0, double y0,
                        double x1, double y1) {
    int left = std::max(0, int(std::floor(x0))), right = std::min(w, int(std::ceil(x1)) + 1);
    int top = std::max(0, int(std::floor(y0))), bottom = std::min(h, int(std::ceil(y1)) + 1);
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5) / 4, y + (sy + 0.5) / 4)) ++hits;
            double c = hits / 16.0;
            double& cell = coverage[size_t(y) * w + x];
            cell = adding ? std::max(cell, c) : std::min(cell, 1.0 - c);
        }
    }
}

void ShapeMask::add(const std::function<bool(double, double)>& inside) { combine(inside, true, 0, 0, w, h); }
void ShapeMask::cut(const std::function<bool(double, double)>& inside) { combine(inside, false, 0, 0, w, h); }

void ShapeMask::combinePolygon(const Outline& points, bool adding) {
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Point2& p : points) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    combine([&](double x, double y) { return insidePolygon(points, x, y); }, adding, x0, y0, x1, y1);
}

bool ShapeMask::insidePolygon(const Outline& points, double x, double y) {
    bool in = false;
    size_t n = points.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Point2& a = points[i];
        const Point2& b = points[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

void ShapeMask::addPolygon(const Outline& points) { combinePolygon(points, true); }

void ShapeMask::cutPolygon(const Outline& points) { combinePolygon(points, false); }

void ShapeMask::addEllipse(double cx, double cy, double rx, double ry) {
    auto inside = [=](double x, double y) {
        double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    combine(inside, true, cx - rx, cy - ry, cx + rx, cy + ry);
}

void ShapeMask::cutEllipse(double cx, double cy, double rx, double ry) {
    auto inside = [=](double x, double y) {
        double dx = (x - cx) / rx, dy = (y - cy) / ry;
        return dx * dx + dy * dy <= 1.0;
    };
    combine(inside, false, cx - rx, cy - ry, cx + rx, cy + ry);
}

void ShapeMask::addCapsule(double x0, double y0, double x1, double y1, double radius) {
    auto inside = [=](double x, double y) {
        double vx = x1 - x0, vy = y1 - y0;
        double len2 = vx * vx + vy * vy;
        double t = len2 > 0 ? std::clamp(((x - x0) * vx + (y - y0) * vy) / len2, 0.0, 1.0) : 0.0;
        double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
        return dx * dx + dy * dy <= radius * radius;
    };
    combine(inside, true, std::min(x0, x1) - radius, std::min(y0, y1) - radius, std::max(x0, x1) + radius,
            std::max(y0, y1) + radius);
}

void ShapeMask::intersectWith(const ShapeMask& other) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            double& cell = coverage[size_t(y) * w + x];
            cell = std::min(cell, other.at(x, y));
        }
}
