// Gryffon: the player's ship, its laser pool and its drawn points.
//
// There is exactly one ship, created at start-up and reused for every round, so
// it carries everything about the player that outlives a single frame: position,
// aim, lives, score, the hit counter that runs the explosion and the respawn
// blink, the fifty lasers it owns, and the up-to-four points whose shape grants a
// special volley for a while. The round loop drives it in a fixed order each
// frame (input, update, laser draws, draw, hit pass); the hit counter therefore
// advances inside draw, like every other animation counter of the game.
#pragma once

#include <allegro.h>

class GraphicLibrary;
class GryffonLaser;
class SoundBank;

const int GRYFFON_LASER_COUNT = 50;
const int GRYFFON_POINT_COUNT = 4;

// Ids of the shapes the points can form; 0 is none.
const int SHAPE_NONE = 0;
const int SHAPE_TRIANGLE = 1;
const int SHAPE_RECTANGLE = 2;
const int SHAPE_V = 3;
const int SHAPE_VERTICAL_LINE = 4;

const int SHAPE_DURATION = 1500;  // frames a recognised shape lasts
const int POINTS_DURATION = 200;  // frames placed points stay without a shape

class Gryffon {
public:
    explicit Gryffon(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING
    Gryffon(const Gryffon&) = delete;
    Gryffon& operator=(const Gryffon&) = delete;

    // Start of a game: three ships, no score, no points or shape, blinking in.
    void reset();
    void setPosition(int newX, int newY) { x = newX; y = newY; }
    int getX() const { return x; }
    int getY() const { return y; }
    // The hit box runs from 4 to 33 past the corner, edges included; the
    // centre, 18 past it, is what the aim turns about and enemies home on.
    int hitLeft() const { return x + 4; }
    int hitTop() const { return y + 4; }
    int hitRight() const { return x + 33; }
    int hitBottom() const { return y + 33; }
    int centreX() const { return x + 18; }
    int centreY() const { return y + 18; }

    // Movement as the input step reports it; ignored unless controllable.
    void idleHorizontal();
    void idleVertical();
    void moveHorizontal(int dx);
    void moveVertical(int dy);

    void setAngle(fixed a);  // aim; ignored unless controllable
    fixed getAngle() const { return angle; }

    // One volley of the active shape, one shot sound per laser placed.
    void fire(SoundBank* sounds);
    // Point and shape timers, then the flight and retirement of every laser.
    void update();
    // Ship, points and explosion; advances the thrust animation and hit counter.
    void draw(BITMAP* dest);

    GryffonLaser* getLaser(int i) { return lasers[i]; }

    // Right-click: store a point and test the points for a shape.
    void addPoint(int px, int py);
    int getActiveShape() const { return activeShape; }

    bool isControllable() const { return hitCounter == -1 || hitCounter >= 75; }
    bool isVulnerable() const { return hitCounter == -1 && lives > 0; }
    void takeHit();
    int getLives() const { return lives; }
    void addLife() { lives += 1; }
    int getHitCounter() const { return hitCounter; }
    int getScore() const { return score; }
    void setScore(int s) { score = s; }

    // Gives back the ten ship bitmaps, then every laser's sprite; deletes the lasers.
    void releaseGraphics(GraphicLibrary* library);

private:
    int recognizeShape() const;
    int recognizeRectangle(const int* px, const int* py) const;
    int recognizeThreePoints(const int* px, const int* py) const;
    void clearPoints();
    void advanceShapeTimers();
    void drawPoints(BITMAP* dest);
    void updateSweep();
    bool placeLaser(int& slot, fixed heading, SoundBank* sounds);
    void moveLasers();
    void drawShip(BITMAP* dest);
    void drawHitSequence(BITMAP* dest);

    int x = 0, y = 0;
    int lives = 3;
    int hitCounter = 75;
    int frame = 2;
    int frameCounter = 0;
    bool idleX = false, idleY = false;
    int pointX[GRYFFON_POINT_COUNT] = {-1, -1, -1, -1};
    int pointY[GRYFFON_POINT_COUNT] = {-1, -1, -1, -1};
    int activeShape = 0;
    int pointsTimer = 0;
    int shapeTimer = 0;
    int sweepOffset = -40;
    bool sweepWidening = false;
    fixed angle = 0;
    int score = 0;
    BITMAP* shipSprites[3] = {};
    BITMAP* explosionSprites[5] = {};
    BITMAP* pointSprites[2] = {};
    GryffonLaser* lasers[GRYFFON_LASER_COUNT] = {};
};
