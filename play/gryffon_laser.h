// GryffonLaser: one of the ship's fifty lasers.
//
// The ship owns a fixed pool of these and reuses idle ones, so firing never
// allocates. A laser only carries its position, velocity and heading; the ship
// moves it and retires it, and the hit pass switches it off when it strikes.
#pragma once

#include <allegro.h>

class GraphicLibrary;

class GryffonLaser {
public:
    explicit GryffonLaser(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    double getX() const { return x; }
    double getY() const { return y; }
    void setPosition(double newX, double newY) { x = newX; y = newY; }
    double getVX() const { return vx; }
    double getVY() const { return vy; }
    void setVelocity(double newVX, double newVY) { vx = newVX; vy = newVY; }
    bool isActive() const { return active; }
    void setActive(bool on) { active = on; }
    fixed getAngle() const { return angle; }
    void setAngle(fixed a) { angle = a; }

    // Drawn rotated to its heading, only while active.
    void draw(BITMAP* dest);
    void releaseGraphics(GraphicLibrary* library);

private:
    double x = 0, y = 0;
    double vx = 0, vy = 0;
    fixed angle = 0;
    bool active = false;
    BITMAP* sprite = nullptr;
};
