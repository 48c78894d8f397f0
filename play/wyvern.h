// Wyvern: a large, slow, tough homing kind that fires three-way volleys.
//
// Its nine bullets form three volley groups: group g is bullets g (straight
// ahead), g + 3 (45 degrees right) and g + 6 (45 degrees left). A group is
// launched only when all three of its bullets are idle, so at most three
// volleys are in flight. The explosion turns with the heading, since the
// round loop keeps steering a dying Wyvern towards the player.
#pragma once

#include "play/enemy.h"

class Wyvern : public Enemy {
public:
    explicit Wyvern(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    void fire(SoundBank* sounds) override;

private:
    static const int GROUPS = 3;

    bool groupIdle(int group) const;
};
