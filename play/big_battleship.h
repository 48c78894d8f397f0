// BigBattleship: the rarest and strongest kind. While fully on screen it
// launches one laser per call from a pool of 25, and the round loop calls it
// every frame, so it sweeps the field with a stream that bends as it turns;
// when all 25 fly the stream pauses until lasers leave the field.
//
// Its long explosion turns with the heading like the Wyvern's.
#pragma once

#include "play/enemy.h"

class BigBattleship : public Enemy {
public:
    explicit BigBattleship(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    void fire(SoundBank* sounds) override;
};
