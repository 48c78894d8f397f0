#include "play/gryffon.h"

#include <string>

#include "core/game_types.h"
#include "core/whole_fixed.h"
#include "audio/sound_bank.h"
#include "gfx/graphic_library.h"
#include "play/gryffon_laser.h"

namespace {
const int LASER_SPEED = 8;
const int SWEEP_STEP = 8;

// Lasers leave the field a little beyond the right edge: x up to 650, not 640.
bool laserInBounds(double lx, double ly) {
    return ly > -16 && ly < 480 && lx > -16 && lx < 650;
}

void releaseSprites(GraphicLibrary* library, BITMAP** sprites, int count) {
    for (int i = 0; i < count; ++i) {
        library->release(sprites[i]);
        sprites[i] = nullptr;
    }
}
}  // namespace

Gryffon::Gryffon(GraphicLibrary* library) {
    bool missing = false;
    for (int i = 0; i < 3; ++i) {
        shipSprites[i] = library->acquire("sprites/gryffon/gryffon" + std::to_string(i + 1) + ".bmp");
        missing = missing || !shipSprites[i];
    }
    for (int i = 0; i < 5; ++i) {
        explosionSprites[i] =
            library->acquire("sprites/gryffon/gryffonexplode" + std::to_string(i + 1) + ".bmp");
        missing = missing || !explosionSprites[i];
    }
    for (int i = 0; i < 2; ++i) {
        pointSprites[i] = library->acquire("sprites/mini-star/mini-star" + std::to_string(i + 1) + ".bmp");
        missing = missing || !pointSprites[i];
    }
    if (missing) throw ERR_GRAPHIC_MISSING;
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) lasers[i] = new GryffonLaser(library);
}

void Gryffon::reset() {
    lives = 3;
    hitCounter = 75;
    score = 0;
    pointsTimer = 0;
    shapeTimer = 0;
    activeShape = 0;
    clearPoints();
}

void Gryffon::idleHorizontal() {
    if (!isControllable()) return;
    idleX = true;
    if (idleX && idleY) frame = 2;
}

void Gryffon::idleVertical() {
    if (!isControllable()) return;
    idleY = true;
    if (idleX && idleY) frame = 2;
}

// The marks are read before this axis clears its own, so thrust starts showing
// one frame after the ship begins to move from rest.
void Gryffon::moveHorizontal(int dx) {
    if (!isControllable()) return;
    if (frame == 2 && !(idleX && idleY)) frame = 0;
    idleX = false;
    x += dx;
}

void Gryffon::moveVertical(int dy) {
    if (!isControllable()) return;
    if (frame == 2 && !(idleX && idleY)) frame = 0;
    idleY = false;
    y += dy;
}

void Gryffon::setAngle(fixed a) {
    if (isControllable()) angle = a;
}

void Gryffon::updateSweep() {
    if (sweepWidening) {
        sweepOffset -= SWEEP_STEP;
        if (sweepOffset < -90) sweepWidening = false;
    } else {
        sweepOffset += SWEEP_STEP;
        if (sweepOffset > -32) sweepWidening = true;
    }
}

// Takes the next idle laser at or after slot; false when the pool has run out.
bool Gryffon::placeLaser(int& slot, fixed heading, SoundBank* sounds) {
    while (slot < GRYFFON_LASER_COUNT && lasers[slot]->isActive()) ++slot;
    if (slot >= GRYFFON_LASER_COUNT) return false;
    GryffonLaser* laser = lasers[slot];
    laser->setPosition(x + 11, y + 11);
    laser->setAngle(heading);
    laser->setVelocity(LASER_SPEED * fixtof(fixsin(heading)), -LASER_SPEED * fixtof(fixcos(heading)));
    laser->setActive(true);
    if (sounds) sounds->playShot();
    return true;
}

void Gryffon::fire(SoundBank* sounds) {
    if (!isControllable()) return;
    int slot = 0;
    switch (activeShape) {
        case SHAPE_NONE:
        case SHAPE_VERTICAL_LINE:
            placeLaser(slot, angle, sounds);
            break;
        case SHAPE_TRIANGLE:
            updateSweep();
            placeLaser(slot, angle, sounds) && placeLaser(slot, angle + wholeFixed(sweepOffset), sounds) &&
                placeLaser(slot, angle - wholeFixed(sweepOffset), sounds);
            break;
        case SHAPE_RECTANGLE:
            placeLaser(slot, angle + wholeFixed(64), sounds) && placeLaser(slot, angle + wholeFixed(128), sounds) &&
                placeLaser(slot, angle + wholeFixed(192), sounds) && placeLaser(slot, angle + wholeFixed(256), sounds);
            break;
        case SHAPE_V:
            placeLaser(slot, angle - wholeFixed(8), sounds) && placeLaser(slot, angle, sounds) &&
                placeLaser(slot, angle + wholeFixed(8), sounds);
            break;
        default:
            break;
    }
}

void Gryffon::moveLasers() {
    for (GryffonLaser* laser : lasers) {
        if (!laser->isActive()) continue;
        double lx = laser->getX() + laser->getVX();
        double ly = laser->getY() + laser->getVY();
        laser->setPosition(lx, ly);
        if (!laserInBounds(lx, ly)) laser->setActive(false);
    }
}

void Gryffon::update() {
    advanceShapeTimers();
    moveLasers();
}

void Gryffon::drawShip(BITMAP* dest) {
    if (frame == 0 || frame == 1) {
        frameCounter += 1;
        if (frameCounter == 6) frameCounter = 0;
        frame = frameCounter < 3 ? 0 : 1;
    }
    rotateSprite(dest, shipSprites[frame], x, y, angle);
    drawPoints(dest);
}

// Explosion (0-19), hidden (20-75), blinking and controllable (76-199), then
// flying again. With no ship left the count stops at 20 and the ship stays gone.
void Gryffon::drawHitSequence(BITMAP* dest) {
    if (!(lives <= 0 && hitCounter >= 20)) hitCounter += 1;
    if (hitCounter >= 200 && lives > 0) {
        hitCounter = -1;
        return;
    }
    if (hitCounter > 75 && hitCounter < 200) {
        if (hitCounter % 6 < 3) rotateSprite(dest, shipSprites[2], x, y, angle);
        drawPoints(dest);
    }
    if (hitCounter >= 0 && hitCounter < 20) rotateSprite(dest, explosionSprites[hitCounter / 4], x, y, angle);
}

void Gryffon::draw(BITMAP* dest) {
    if (hitCounter == -1)
        drawShip(dest);
    else
        drawHitSequence(dest);
}

void Gryffon::takeHit() {
    if (hitCounter != -1) return;
    lives -= 1;
    hitCounter = 0;
    pointsTimer = -1;
    shapeTimer = -1;
    activeShape = 0;
    clearPoints();
}

void Gryffon::releaseGraphics(GraphicLibrary* library) {
    releaseSprites(library, shipSprites, 3);
    releaseSprites(library, explosionSprites, 5);
    releaseSprites(library, pointSprites, 2);
    for (GryffonLaser*& laser : lasers) {
        if (!laser) continue;
        laser->releaseGraphics(library);
        delete laser;
        laser = nullptr;
    }
}
