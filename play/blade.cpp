#include "play/blade.h"

#include "play/enemy_shot.h"

// The trail records the centre of the 38 x 38 sprite, where the links hang.
static const int CENTRE_OFFSET = 12;

Blade::Blade(GraphicLibrary* library) : Enemy('B', library) {}

void Blade::fillTrail() {
    for (int k = 0; k < TRAIL_LENGTH; ++k) {
        trailX[k] = static_cast<int>(x) + CENTRE_OFFSET;
        trailY[k] = static_cast<int>(y) + CENTRE_OFFSET;
    }
    trailFilled = true;
}

void Blade::advanceTrail() {
    for (int k = TRAIL_LENGTH - 3; k >= 0; --k) {
        trailX[k + 1] = trailX[k];
        trailY[k + 1] = trailY[k];
    }
    trailX[0] = static_cast<int>(x) + CENTRE_OFFSET;
    trailY[0] = static_cast<int>(y) + CENTRE_OFFSET;
}

void Blade::placeLinks() {
    for (int m = 0; m < LINKS; ++m) {
        shots[m]->setPosition(trailX[2 * m], trailY[2 * m]);
        shots[m]->setActive(true);
    }
}

void Blade::update() {
    if (explosionCounter != 0) return;
    if (!trailFilled) fillTrail();
    flyAndAnimate();
    advanceTrail();
    placeLinks();
}

void Blade::draw(BITMAP* dest) {
    if (explosionCounter == 0) {
        drawBody(dest);
        return;
    }
    if (explosionCounter < LINKS) shots[explosionCounter]->setActive(false);
    drawExplosion(dest);
}
