// The hit pass: box edges, slot order, kills and their awards, extra ships,
// rams and shots against a ship that cannot be hit.
#include "play/enemy_shot.h"
#include "play/gem_step.h"
#include "play/hit_pass.h"
#include "play/pawn.h"
#include "play/wyvern.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class HitsTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        flyingShipAt(300, 300);
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    }
    GryffonLaser* laserAt(int slot, double x, double y) {
        GryffonLaser* laser = gryffon->getLaser(slot);
        laser->setPosition(x, y);
        laser->setActive(true);
        return laser;
    }
    // Kills a 160-point pawn with a laser in a frame's hit pass.
    void laserKill(double x = 100, double y = 100) {
        enemy_slots[0] = makeEnemy<Pawn>(x, y);
        laserAt(0, x + 10, y + 10);
        hitPass();
        ASSERT_LE(enemy_slots[0]->getHitPoints(), 0);
        clearRoundObjects();
    }
    int gemCount() {
        int n = 0;
        for (int i = 0; i < GEM_SLOT_COUNT; ++i) n += gem_slots[i] != nullptr;
        return n;
    }
};

// Laser (L) against a pawn at (100, 100), hit box 108..129; shot (S) and pawn
// (R) against the ship at (300, 300), hit box 304..333; by top-left corner.
TEST_F(HitsTest, BoxesThatOnlyShareAnEdgeCollide) {
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    GryffonLaser* laser = laserAt(0, 0, 0);
    EnemyShot* shot = pawn->getShot(0);
    shot->setActive(true);
    const struct { char what; double x, y; bool hits; } cases[] = {
        {'L', 129, 129, true}, {'L', 129.5, 100, false}, {'L', 92, 92, true},   {'L', 91.5, 100, false},
        {'S', 333, 333, true}, {'S', 333.5, 310, false}, {'S', 296, 296, true}, {'S', 310, 295.5, false},
        {'R', 325, 325, true}, {'R', 325.5, 300, false}};
    for (const auto& c : cases) {
        if (c.what == 'L') laser->setPosition(c.x, c.y);
        if (c.what == 'S') shot->setPosition(c.x, c.y);
        if (c.what == 'R') pawn->setPosition(c.x, c.y);  // last: the laser cases need it at (100, 100)
        bool hits = c.what == 'L'   ? laserHitsEnemy(laser, pawn)
                    : c.what == 'S' ? shotHitsShip(gryffon, shot)
                                    : shipTouchesEnemy(gryffon, pawn);
        EXPECT_EQ(hits, c.hits) << c.what << " at " << c.x << "," << c.y;
    }
    pawn->setPosition(100, 100);
    laser->setPosition(110, 110);
    laser->setActive(false);
    EXPECT_FALSE(laserHitsEnemy(laser, pawn));
    EXPECT_FALSE(shipTouchesEnemy(gryffon, nullptr));
    pawn->releaseGraphics(graphic_library);
    delete pawn;
}

// A laser over two enemies strikes the lower slot only; two lasers on one-hit
// enemies kill two of them; two on a wyvern wound it twice.
TEST_F(HitsTest, EachLaserStrikesOnlyTheLowestSlotStillAlive) {
    enemy_slots[5] = makeEnemy<Pawn>(100, 100);
    enemy_slots[2] = makeEnemy<Pawn>(105, 105);
    GryffonLaser* laser = laserAt(9, 112, 112);
    hitPass();
    EXPECT_FALSE(laser->isActive());
    EXPECT_EQ(enemy_slots[2]->getHitPoints(), 0);
    EXPECT_EQ(enemy_slots[5]->getHitPoints(), 1);
    EXPECT_EQ(gryffon->getScore(), 160);

    clearRoundObjects();
    for (int i = 0; i < 3; ++i) enemy_slots[i] = makeEnemy<Pawn>(100, 100);
    GryffonLaser* first = laserAt(3, 110, 110);
    GryffonLaser* second = laserAt(17, 110, 110);
    hitPass();
    EXPECT_FALSE(first->isActive());
    EXPECT_FALSE(second->isActive());
    EXPECT_EQ(enemy_slots[0]->getHitPoints(), 0);
    EXPECT_EQ(enemy_slots[1]->getHitPoints(), 0);
    EXPECT_EQ(enemy_slots[2]->getHitPoints(), 1);
    EXPECT_EQ(gryffon->getScore(), 480);

    Wyvern* wyvern = makeEnemy<Wyvern>(300, 50);
    enemy_slots[3] = wyvern;
    int hp = wyvern->getHitPoints();
    laserAt(0, 340, 90);
    laserAt(1, 341, 91);
    hitPass();
    EXPECT_EQ(wyvern->getHitPoints(), hp - 2);
    EXPECT_EQ(gryffon->getScore(), 480);  // wounded, not killed
}

TEST_F(HitsTest, ExtraShipsComeAt30000ThenEvery50000ButNotWhileTheRoundEnds) {
    srand(3);
    gryffon->setScore(29839);
    laserKill();
    EXPECT_EQ(gryffon->getScore(), 29999);
    EXPECT_EQ(gryffon->getLives(), 3);
    laserKill();
    EXPECT_EQ(gryffon->getLives(), 4);
    EXPECT_EQ(next_bonus, 80000);
    gryffon->setScore(79900);
    laserKill();
    EXPECT_EQ(gryffon->getLives(), 5);
    EXPECT_EQ(next_bonus, 130000);
    gryffon->setScore(129900);
    end_counter = 40;
    laserKill();
    EXPECT_EQ(gryffon->getScore(), 130060);  // the kill still scores
    EXPECT_EQ(gryffon->getLives(), 5);
    EXPECT_EQ(next_bonus, 130000);
}

TEST_F(HitsTest, GemPointsPastTheThresholdWaitForTheNextLaserKill) {
    gryffon->setScore(29950);
    gem_slots[0] = new Gem(graphic_library);
    gem_slots[0]->setPosition(310, 310);
    gem_slots[0]->setActive(true);
    gem_ages[0] = 10;
    gemStep(buffer);
    EXPECT_EQ(gryffon->getScore(), 30050);
    hitPass();
    EXPECT_EQ(gryffon->getLives(), 3);
    laserKill();
    EXPECT_EQ(gryffon->getLives(), 4);
    EXPECT_EQ(gryffon->getScore(), 30210);
}

TEST_F(HitsTest, RammingCostsAShipAndEarnsNothing) {
    for (int attempt = 0; attempt < 20; ++attempt) {  // whatever the gem roll would have been
        srand(attempt);
        flyingShipAt(300, 300);
        int lives = gryffon->getLives();
        enemy_slots[0] = makeEnemy<Pawn>(300, 300);
        hitPass();
        EXPECT_EQ(gryffon->getLives(), lives - 1);
        EXPECT_EQ(gryffon->getHitCounter(), 0);
        EXPECT_EQ(enemy_slots[0]->getHitPoints(), 0);
        EXPECT_EQ(enemy_slots[0]->getExplosionCounter(), 1);
        EXPECT_EQ(gryffon->getScore(), 0);
        EXPECT_EQ(gemCount(), 0);
        clearRoundObjects();
    }
}

TEST_F(HitsTest, AShotTouchingAShipThatCannotBeHitStaysActive) {
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    enemy_slots[0] = pawn;
    EnemyShot* shot = pawn->getShot(0);
    shot->setActive(true);
    shot->setPosition(310, 310);
    gryffon->reset();  // blinking in: count 75
    drawUntilHitCounter(120, scratch);
    hitPass();
    EXPECT_TRUE(shot->isActive());
    EXPECT_EQ(gryffon->getLives(), 3);

    drawUntilHitCounter(-1, scratch);
    hitPass();
    EXPECT_FALSE(shot->isActive());
    EXPECT_EQ(gryffon->getLives(), 2);
    EXPECT_EQ(end_counter, -1);
}

TEST_F(HitsTest, LosingTheLastShipEndsTheRoundOnce) {
    game_mode = Marathon;
    gryffon->takeHit();
    drawUntilHitCounter(-1, scratch);
    gryffon->takeHit();
    drawUntilHitCounter(-1, scratch);
    ASSERT_EQ(gryffon->getLives(), 1);
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    enemy_slots[0] = pawn;
    pawn->getShot(0)->setActive(true);
    pawn->getShot(0)->setPosition(310, 310);
    enemy_slots[1] = makeEnemy<Pawn>(300, 300);  // would ram too
    hitPass();
    EXPECT_EQ(gryffon->getLives(), 0);
    EXPECT_EQ(end_counter, 0);
    EXPECT_EQ(enemy_slots[1]->getHitPoints(), 1);  // no second hit once the ship is down
    end_counter = 17;
    hitPass();
    EXPECT_EQ(end_counter, 17);
}

}  // namespace
