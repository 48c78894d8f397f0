#include "play/enemy.h"

#include "core/whole_fixed.h"
#include "gfx/graphic_library.h"
#include "play/enemy_kinds.h"
#include "play/enemy_shot.h"

void Enemy::update() {}
void Enemy::draw(BITMAP*) {}
void Enemy::fire(SoundBank*) {}
void Enemy::updateShots() {}
bool Enemy::isFinished() { return true; }
EnemyShot* Enemy::getShot(int) { return nullptr; }
void Enemy::releaseGraphics(GraphicLibrary*) {}
Enemy::Enemy(char letter) : row(enemyKind(letter)) {
    kind = letter;
    hitPoints = row->hitPoints;
    speed = row->speed;
    width = row->size;
    height = row->size;
    hitInset = row->hitInset;
    scoreValue = row->score;
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

void Enemy::drawBody(BITMAP* dest, BITMAP* const body[2]) {
    BITMAP* image = animCounter < 2 ? body[0] : body[1];
    rotateSprite(dest, image, static_cast<int>(x), static_cast<int>(y), angle);
}

void Enemy::drawExplosion(BITMAP* dest, BITMAP* const images[], int imageCount, bool rotated) {
    if (explosionOver(imageCount)) return;
    BITMAP* image = images[explosionCounter / 5];
    ++explosionCounter;
    if (rotated) {
        rotateSprite(dest, image, static_cast<int>(x), static_cast<int>(y), angle);
    } else {
        draw_sprite(dest, image, static_cast<int>(x), static_cast<int>(y));
    }
}

bool Enemy::mayFire(double maxX, double maxY) const {
    return hitPoints > 0 && x >= 0 && x <= maxX && y >= 0 && y <= maxY;
}

void Enemy::moveShots(EnemyShot* const shots[], int count) {
    for (int i = 0; i < count; ++i) {
        EnemyShot* shot = shots[i];
        if (!shot->isActive()) continue;
        double nx = shot->getX() + shot->getVX();
        double ny = shot->getY() + shot->getVY();
        shot->setPosition(nx, ny);
        bool onField = nx > -16 && nx < 640 && ny > -16 && ny < 480;
        if (!onField) shot->setActive(false);
    }
}

EnemyShot* Enemy::firstIdleShot(EnemyShot* const shots[], int count) {
    for (int i = 0; i < count; ++i) {
        if (!shots[i]->isActive()) return shots[i];
    }
    return nullptr;
}

EnemyShot* Enemy::shotInRange(EnemyShot* const shots[], int count, int i) {
    if (i < 0 || i >= count) return nullptr;
    return shots[i];
}

bool Enemy::acquireNumbered(GraphicLibrary* library, const std::string& stem,
                            int first, int last, BITMAP* out[]) {
    bool allFound = true;
    for (int k = first; k <= last; ++k) {
        BITMAP* image = library->acquire(stem + std::to_string(k) + ".bmp");
        out[k - first] = image;
        if (!image) allFound = false;
    }
    return allFound;
}

bool Enemy::createShots(GraphicLibrary* library, const std::string& spritePath,
                        EnemyShot* out[], int count) {
    for (int i = 0; i < count; ++i) {
        try {
            out[i] = new EnemyShot(library, spritePath);
        } catch (int) {
            return false;
        }
    }
    return true;
}

void Enemy::releaseImages(GraphicLibrary* library, BITMAP* images[], int count) {
    for (int i = 0; i < count; ++i) {
        if (images[i]) library->release(images[i]);
        images[i] = nullptr;
    }
}

void Enemy::deleteShots(GraphicLibrary* library, EnemyShot* shots[], int count) {
    for (int i = 0; i < count; ++i) {
        if (!shots[i]) continue;
        shots[i]->releaseGraphics(library);
        delete shots[i];
        shots[i] = nullptr;
    }
}
