// Projectile: what a ship's laser and an enemy's shot have in common.
//
// A projectile carries its position, velocity and drawn heading, and is drawn
// rotated to that heading while active. It never moves itself: its owner
// moves it, retires it and reuses idle ones, so firing costs no allocation;
// only the sprite comes from the GraphicLibrary.
#pragma once

#include <allegro.h>

#include <string>

class GraphicLibrary;

class Projectile {
public:
    Projectile(GraphicLibrary* library, const std::string& spritePath);  // throws ERR_GRAPHIC_MISSING

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

    void draw(BITMAP* dest);
    void releaseGraphics(GraphicLibrary* library);

protected:
    double x = 0, y = 0;
    double vx = 0, vy = 0;
    fixed angle = 0;
    bool active = false;

private:
    BITMAP* sprite = nullptr;
};
