// Coverage masks for building sprite silhouettes out of simple shapes.
// Each pixel holds how much of it a shape covers (0..1), found by sampling the
// pixel on a 4x4 grid, so parts of a sprite blend smoothly into each other even
// though the finished picture keys its outside to the transparent colour.
#pragma once

#include <functional>
#include <vector>

struct Point2 {
    double x, y;
};

using Outline = std::vector<Point2>;

// A polygon given by its left half (x <= axis) mirrored onto the right half.
Outline mirroredAbout(const Outline& left_half, double axis_x);
// Points turned by `turns` of a full circle (clockwise on screen) around (cx, cy).
Outline rotatedAbout(const Outline& points, double cx, double cy, double turns);
Outline scaledAbout(const Outline& points, double cx, double cy, double sx, double sy);

class ShapeMask {
public:
    ShapeMask(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    double at(int x, int y) const;
    bool solid(int x, int y) const { return at(x, y) >= 0.5; }

    // Union with a shape given as an inside test on continuous coordinates
    // (pixel (x, y) spans x..x+1, y..y+1).
    void add(const std::function<bool(double, double)>& inside);
    // Remove a shape from the mask.
    void cut(const std::function<bool(double, double)>& inside);

    void addPolygon(const Outline& points);
    void addEllipse(double cx, double cy, double rx, double ry);
    void addCapsule(double x0, double y0, double x1, double y1, double radius);
    void cutPolygon(const Outline& points);
    void cutEllipse(double cx, double cy, double rx, double ry);
    void intersectWith(const ShapeMask& other);

    static bool insidePolygon(const Outline& points, double x, double y);

private:
    // Only pixels inside the box [x0, x1) x [y0, y1) are tested.
    void combine(const std::function<bool(double, double)>& inside, bool adding, double x0, double y0, double x1,
                 double y1);
    void combinePolygon(const Outline& points, bool adding);

    int w, h;
    std::vector<double> coverage;
};
