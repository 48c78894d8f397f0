// Pawn: the most common kind. It flies straight along its entry heading, is
// never steered, and keeps at most one bullet in flight.
//
// Like every kind it owns fixed arrays of images and shots filled in its
// constructor and emptied only by releaseGraphics; the flight, drawing and
// shot movement come from Enemy, the Pawn adds its constants and its fire.
#pragma once

#include "play/enemy.h"

class Pawn : public Enemy {
public:
    explicit Pawn(GraphicLibrary* library);  // throws ERR_GRAPHIC_MISSING

    void update() override;
    void draw(BITMAP* dest) override;
    void fire(SoundBank* sounds) override;
    void updateShots() override;
    bool isFinished() override;
    EnemyShot* getShot(int i) override;
    void releaseGraphics(GraphicLibrary* library) override;
    ~Pawn() override;

private:
    static const int EXPLOSION_IMAGES = 4;
    static const int SHOTS = 1;

    BITMAP* bodyImages[2] = {};
    BITMAP* explosionImages[EXPLOSION_IMAGES] = {};
    EnemyShot* bullets[SHOTS] = {};
};
