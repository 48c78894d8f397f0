// Gem: a glinting pickup worth 100 points that a destroyed enemy may leave behind.
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

private:
    int x = 0, y = 0;
    int animCounter = 0;
    bool active = false;
    BITMAP* images[5] = {};
};
