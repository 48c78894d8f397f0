// Gem: a glinting pickup worth 100 points that a destroyed enemy may leave behind.
//
// A gem only knows where it is and how to glint; the round loop keeps up to ten
// of them in fixed slots, ages them, tests pickups and removes them. The glint
// phase advances in draw, so a blinking gem (drawn every third frame) also
// glints three times slower. Like the enemies, a gem gives back every image it
// acquired when one is missing, before it throws ERR_GRAPHIC_MISSING.
#pragma once

#include <allegro.h>

class GraphicLibrary;

class Gem {
public:
    explicit Gem(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    int getX() const { return x; }
    int getY() const { return y; }
    void setPosition(int newX, int newY) { x = newX; y = newY; }
    bool isActive() const { return active; }
    void setActive(bool on) { active = on; }
    void draw(BITMAP* dest);
    void releaseGraphics(GraphicLibrary* library);
    // Index 0..4 of the image shown at glint phase 0..24.
    static int imageForPhase(int phase);

private:
    int x = 0, y = 0;
    int animCounter = 0;
    bool active = false;
    BITMAP* images[5] = {};
};
