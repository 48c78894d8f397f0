// EnemyShot: one enemy bullet, laser or blade chain link.
//
// Shots never move themselves: their owning enemy moves them in updateShots
// (or, for the blade's chain, places them in update) and reuses idle ones.
// A shot is created idle at (0, 0) and lives as long as its enemy, so a
// volley costs no allocation; only the sprite comes from the GraphicLibrary.
#pragma once

#include <allegro.h>
#include <string>

class GraphicLibrary;

class EnemyShot {
public:
    EnemyShot(GraphicLibrary* library, std::string spritePath);  // throws ERR_GRAPHIC_MISSING

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

    // Aim the shot: position, drawn angle, 4 px/frame along direction, active.
    void launch(double fromX, double fromY, fixed drawnAngle, fixed direction);

private:
    double x = 0, y = 0;
    double vx = 0, vy = 0;
    fixed angle = 0;
    bool active = false;
    BITMAP* sprite = nullptr;
};
