// Enemy: the abstract hostile ship. Five kinds derive from it.
//
// The round loop owns enemies through Enemy pointers: it places and aims each
// new one, steers the homing kinds with turn(), calls the seven virtual
// operations every frame and, before deleting one, always calls
// releaseGraphics so its bitmaps and shots go back to the GraphicLibrary.
#pragma once

#include <allegro.h>

class GraphicLibrary;
class SoundBank;
class EnemyShot;

class Enemy {
public:
    // The seven operations, in this order in every kind.
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
    int getSpeed() const { return speed; }
    void setSpeed(int s) { speed = s; }
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
    int getExplosionCounter() const { return explosionCounter; }
    int getAnimCounter() const { return animCounter; }

protected:
    Enemy() = default;

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
};
