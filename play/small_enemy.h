// What the pawn and the shadow share: a 38-pixel body of two images, the small
// upright explosion, and up to three bullets, one launched per call from the
// nose along the heading. Only the kind letter, the body art and the number of
// bullets differ.
#pragma once

#include "play/enemy.h"

class SmallEnemy : public Enemy {
public:
    void update() override;
    void draw(BITMAP* dest) override;
    void fire(SoundBank* sounds) override;
    void updateShots() override;
    bool isFinished() override;
    EnemyShot* getShot(int i) override;
    void releaseGraphics(GraphicLibrary* library) override;
    ~SmallEnemy() override;

protected:
    // Throws ERR_GRAPHIC_MISSING, holding nothing, when any image is missing.
    SmallEnemy(char letter, const char* bodyStem, int shots, GraphicLibrary* library);

private:
    static const int EXPLOSION_IMAGES = 4;
    static const int MAX_SHOTS = 3;

    BITMAP* bodyImages[2] = {};
    BITMAP* explosionImages[EXPLOSION_IMAGES] = {};
    EnemyShot* bullets[MAX_SHOTS] = {};
};
