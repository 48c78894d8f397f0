#include "play/enemy.h"

#include <string>

#include "core/game_types.h"
#include "core/whole_fixed.h"
#include "gfx/graphic_library.h"
#include "play/enemy_kinds.h"
#include "play/enemy_shot.h"

namespace {
// Acquires stem + k + ".bmp" for k = 1..count into out[0..]; false when any is
// missing (the found ones are kept in out for releasing).
bool acquireNumbered(GraphicLibrary* library, const std::string& stem, int count, BITMAP* out[]) {
    bool allFound = true;
    for (int k = 1; k <= count; ++k) {
        out[k - 1] = library->acquire(stem + std::to_string(k) + ".bmp");
        if (!out[k - 1]) allFound = false;
    }
    return allFound;
}

// Creates count idle shots one by one; false when the sprite is missing.
bool createShots(GraphicLibrary* library, const char* spritePath, EnemyShot* out[], int count) {
    for (int i = 0; i < count; ++i) {
        try {
            out[i] = new EnemyShot(library, spritePath);
        } catch (int) {
            return false;
        }
    }
    return true;
}

// Give back what the arrays hold and clear them; null entries are skipped,
// so a half-built enemy is cleaned up the same way.
void releaseImages(GraphicLibrary* library, BITMAP* images[], int count) {
    for (int i = 0; i < count; ++i) {
        if (images[i]) library->release(images[i]);
        images[i] = nullptr;
    }
}

void deleteShots(GraphicLibrary* library, EnemyShot* shots[], int count) {
    for (int i = 0; i < count; ++i) {
        if (!shots[i]) continue;
        shots[i]->releaseGraphics(library);
        delete shots[i];
        shots[i] = nullptr;
    }
}
}  // namespace

Enemy::Enemy(char letter, GraphicLibrary* library) : row(enemyKind(letter)) {
    kind = letter;
    hitPoints = row->hitPoints;
    speed = row->speed;
    width = row->size;
    height = row->size;
    hitInset = row->hitInset;
    scoreValue = row->score;
    bool complete = acquireNumbered(library, row->bodySprites, 2, bodyImages) &&
                    acquireNumbered(library, row->explosionSprites, row->explosionImages, explosionImages) &&
                    createShots(library, row->shotSprite, shots, row->shots);
    if (!complete) {
        Enemy::releaseGraphics(library);
        throw ERR_GRAPHIC_MISSING;
    }
    shotCount = row->shots;
}

void Enemy::update() { flyAndAnimate(); }

void Enemy::draw(BITMAP* dest) {
    if (explosionCounter == 0)
        drawBody(dest);
    else
        drawExplosion(dest);
}

void Enemy::fire(SoundBank*) {}

// Moves every active shot and retires those outside -16 < x < 640, -16 < y < 480.
void Enemy::updateShots() {
    for (int i = 0; i < shotCount; ++i) {
        EnemyShot* shot = shots[i];
        if (!shot->isActive()) continue;
        double nx = shot->getX() + shot->getVX();
        double ny = shot->getY() + shot->getVY();
        shot->setPosition(nx, ny);
        bool onField = nx > -16 && nx < 640 && ny > -16 && ny < 480;
        if (!onField) shot->setActive(false);
    }
}

bool Enemy::isFinished() { return explosionCounter >= 5 * row->explosionImages; }

EnemyShot* Enemy::getShot(int i) { return i < 0 || i >= shotCount ? nullptr : shots[i]; }

void Enemy::releaseGraphics(GraphicLibrary* library) {
    releaseImages(library, bodyImages, 2);
    releaseImages(library, explosionImages, MOST_EXPLOSION_IMAGES);
    deleteShots(library, shots, MOST_SHOTS);
}

Enemy::~Enemy() {}

void Enemy::setPosition(double newX, double newY) {
    if (explosionCounter != 0) return;
    x = newX;
    y = newY;
}

void Enemy::setHitPoints(int hp) {
    hitPoints = hp;
    if (hp < 1 && explosionCounter == 0) {
        explosionCounter = 1;
    } else if (hp > 0) {
        explosionCounter = 0;
    }
}

void Enemy::setVelocityFromAngle() {
    vx = fixtof(fixsin(angle)) * static_cast<double>(speed);
    vy = fixtof(fixcos(angle)) * -1.0 * static_cast<double>(speed);
}

void Enemy::turn(int delta) {
    int a = fixtoi(angle) + delta;
    if (a > 127) a -= 256;
    if (a < -128) a += 256;
    angle = wholeFixed(a);
    setVelocityFromAngle();
}

void Enemy::flyAndAnimate() {
    if (explosionCounter != 0) return;
    ++animCounter;
    if (animCounter == 4) animCounter = 0;
    x += vx;
    y += vy;
}

void Enemy::drawBody(BITMAP* dest) {
    BITMAP* image = animCounter < 2 ? bodyImages[0] : bodyImages[1];
    rotateSprite(dest, image, static_cast<int>(x), static_cast<int>(y), angle);
}

void Enemy::drawExplosion(BITMAP* dest) {
    if (isFinished()) return;
    BITMAP* image = explosionImages[explosionCounter / 5];
    ++explosionCounter;
    if (row->explosionTurns) {
        rotateSprite(dest, image, static_cast<int>(x), static_cast<int>(y), angle);
    } else {
        draw_sprite(dest, image, static_cast<int>(x), static_cast<int>(y));
    }
}

bool Enemy::mayFire() const {
    return hitPoints > 0 && x >= 0 && x <= SCREEN_WIDTH - width && y >= 0 && y <= SCREEN_HEIGHT - height;
}

EnemyShot* Enemy::firstIdleShot() const {
    for (int i = 0; i < shotCount; ++i) {
        if (!shots[i]->isActive()) return shots[i];
    }
    return nullptr;
}
