// Enemy: the abstract hostile ship. Five kinds derive from it.
//
// The round loop owns enemies through Enemy pointers: it places and aims each
// new one, steers the homing kinds with turn(), calls the seven virtual
// operations every frame and, before deleting one, always calls
// releaseGraphics so its bitmaps and shots go back to the GraphicLibrary.
//
// All kinds fly, animate, explode and move their shots the same way, so those
// steps live here as protected helpers working on the kind's own fixed arrays
// of images and shots; each kind keeps only its constants, its arrays and the
// way it fires. The helpers that acquire bitmaps report a missing one instead
// of throwing, so a kind's constructor can give back everything it already
// holds before it throws ERR_GRAPHIC_MISSING.
#pragma once

#include <allegro.h>
#include <string>

class GraphicLibrary;
class SoundBank;
class EnemyShot;
struct EnemyKind;

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
    // Takes the numbers of the kind's row.
    explicit Enemy(char letter);

    // One frame of flight and body animation; nothing while exploding.
    void flyAndAnimate();
    // Body while alive (image 0 for phases 0-1, image 1 for 2-3), rotated to the heading.
    void drawBody(BITMAP* dest, BITMAP* const body[2]);
    // Explosion image k while 5(k-1) <= counter < 5k, then the counter advances.
    // Small kinds draw it upright, large kinds turned to the heading.
    void drawExplosion(BITMAP* dest, BITMAP* const images[], int imageCount, bool rotated);
    bool explosionOver(int imageCount) const { return explosionCounter >= 5 * imageCount; }
    // Alive and the whole sprite on screen: 0 <= x <= maxX and 0 <= y <= maxY.
    bool mayFire(double maxX, double maxY) const;

    // Moves every active shot and retires those outside -16 < x < 640, -16 < y < 480.
    static void moveShots(EnemyShot* const shots[], int count);
    static EnemyShot* firstIdleShot(EnemyShot* const shots[], int count);
    static EnemyShot* shotInRange(EnemyShot* const shots[], int count, int i);

    // Acquires stem + k + ".bmp" for k = first..last into out[0..]; false when
    // any of them is missing (the found ones are kept in out for releasing).
    static bool acquireNumbered(GraphicLibrary* library, const std::string& stem,
                                int first, int last, BITMAP* out[]);
    // Creates count idle shots one by one; false when the sprite is missing.
    static bool createShots(GraphicLibrary* library, const std::string& spritePath,
                            EnemyShot* out[], int count);
    // Give back what the arrays hold and clear them; null entries are skipped,
    // so a half-built enemy can be cleaned up with the same calls.
    static void releaseImages(GraphicLibrary* library, BITMAP* images[], int count);
    static void deleteShots(GraphicLibrary* library, EnemyShot* shots[], int count);

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
