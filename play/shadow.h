// Shadow: a small homing kind with the pawn's size and single hit point, a
// tighter hit box, and up to three bullets in flight, launched one per call.
//
// Its flight, drawing, explosion and shot movement are the pawn's; the round
// loop steers it with turn().
#pragma once

#include "play/enemy.h"

class Shadow : public Enemy {
public:
    explicit Shadow(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    void update() override;
    void draw(BITMAP* dest) override;
    void fire(SoundBank* sounds) override;
    void updateShots() override;
    bool isFinished() override;
    EnemyShot* getShot(int i) override;
    void releaseGraphics(GraphicLibrary* library) override;
    ~Shadow() override;

private:
    static const int EXPLOSION_IMAGES = 4;
    static const int SHOTS = 3;

    BITMAP* bodyImages[2] = {};
    BITMAP* explosionImages[EXPLOSION_IMAGES] = {};
    EnemyShot* bullets[SHOTS] = {};
};
