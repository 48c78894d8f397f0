// Enemy: the abstract hostile ship. Five kinds derive from it.
//
// The round loop owns enemies through Enemy pointers: it places and aims each
// new one, steers the homing kinds with turn(), calls the seven virtual
// operations every frame and, before deleting one, always calls
// releaseGraphics so its bitmaps and shots go back to the GraphicLibrary.
//
// All kinds fly, animate, explode and move their shots the same way, with the
// art their row names (enemy_kinds.h), so the seven operations do that here;
// a kind overrides only what is its own: how it fires, and the blade's chain.
#pragma once

#include <allegro.h>

#include "play/enemy_kinds.h"

class GraphicLibrary;
class SoundBank;
class EnemyShot;

class Enemy {
public:
    // The seven operations, in this order in every kind that overrides them.
    virtual void update();
    virtual void draw(BITMAP* dest);
    virtual void fire(SoundBank* sounds);
    virtual void updateShots();
    virtual bool isFinished();
    virtual EnemyShot* getShot(int i);
    virtual void releaseGraphics(GraphicLibrary* library);
    virtual ~Enemy();

    void setPosition(double newX, double newY);  // ignored while exploding
    double getX() const { return x; }
    double getY() const { return y; }
    void setHitPoints(int hp);                   // below 1 starts the explosion
    int getHitPoints() const { return hitPoints; }
    int getScoreValue() const { return scoreValue; }
    void setAngle(fixed a) { angle = a; }
    fixed getAngle() const { return angle; }
    void setVelocityFromAngle();
    void turn(int delta);
    void setVelocity(double newVX, double newVY) { vx = newVX; vy = newVY; }
    double getVX() const { return vx; }
    double getVY() const { return vy; }
    int getShotCount() const { return shotCount; }
    int getHitInset() const { return hitInset; }
    int getWidth() const { return width; }
    int getHeight() const { return height; }
    char getKind() const { return kind; }
    // The kind's row of numbers and rules (enemy_kinds.h).
    const EnemyKind& getKindRow() const { return *row; }
    int getExplosionCounter() const { return explosionCounter; }

    // The hit box: the sprite shrunk by hitInset on every side, edges included.
    double hitLeft() const { return x + hitInset; }
    double hitRight() const { return x + width - 1 - hitInset; }
    double hitTop() const { return y + hitInset; }
    double hitBottom() const { return y + height - 1 - hitInset; }

protected:
    // Takes the numbers and the art of the kind's row; throws
    // ERR_GRAPHIC_MISSING, holding nothing, when any image is missing.
    Enemy(char letter, GraphicLibrary* library);

    // One frame of flight and body animation; nothing while exploding.
    void flyAndAnimate();
    // Body while alive (image 0 for phases 0-1, image 1 for 2-3), rotated to the heading.
    void drawBody(BITMAP* dest);
    // Explosion image k while 5(k-1) <= counter < 5k, then the counter advances;
    // upright or turned to the heading as the row says.
    void drawExplosion(BITMAP* dest);
    // Alive and the whole sprite on screen.
    bool mayFire() const;
    EnemyShot* firstIdleShot() const;

    BITMAP* bodyImages[2] = {};
    BITMAP* explosionImages[MOST_EXPLOSION_IMAGES] = {};
    EnemyShot* shots[MOST_SHOTS] = {};
    int hitPoints = 0;
    int speed = 0;
    int explosionCounter = 0;
    int shotCount = 0;
    int animCounter = 0;
    double x = 0, y = 0;
    double vx = 0, vy = 0;
    char kind = '?';
    int scoreValue = 0;
    int hitInset = 0;
    int width = 0, height = 0;
    fixed angle = 0;
    const EnemyKind* row = nullptr;
};
