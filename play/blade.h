// Blade: a homing kind that never shoots but drags a chain of fifteen links
// along its own path. The links are EnemyShots, so the round loop draws them
// and tests them against the ship like any other shot, but the Blade places
// them itself every frame instead of letting them fly.
//
// The Blade keeps its recent path as a trail of 30 points (the sprite's
// centre, newest first); link m sits where the Blade was 2m frames ago. The
// trail is filled from the Blade's placed position on its first update, not
// at construction, because the round loop places a new Blade on its entry
// edge only after creating it; until then the links stay idle. That way the
// whole chain lies on the Blade's own path from the first frame instead of
// waiting in a screen corner.
//
// While exploding the chain dissolves from the Blade outward, one link per
// drawn frame; link 0 stays where the Blade was hit until it is removed.
#pragma once

#include "play/enemy.h"

class Blade : public Enemy {
public:
    explicit Blade(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    void update() override;
    void draw(BITMAP* dest) override;
    // fire stays the Enemy no-op, and the links are placed by update, never
    // launched or moved by velocity.
    void updateShots() override {}

    static const int LINKS = 15;
    static const int TRAIL_LENGTH = 30;

private:
    void fillTrail();
    void advanceTrail();
    void placeLinks();

    int trailX[TRAIL_LENGTH] = {};
    int trailY[TRAIL_LENGTH] = {};
    bool trailFilled = false;
};
