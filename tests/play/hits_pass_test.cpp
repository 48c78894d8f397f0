// The hit pass and the gems: box edges, kills and their awards, extra ships,
// and the gem pickup box.
#include "play/enemy_fixture.h"
#include "play/enemy_shot.h"
#include "play/gem_step.h"
#include "play/hit_pass.h"
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
    GryffonLaser* laserAt(double x, double y) {
        GryffonLaser* laser = gryffon->getLaser(0);
        laser->setPosition(x, y);
        laser->setActive(true);
        return laser;
    }
    void putGem(int slot, int x, int y) {
        gem_slots[slot] = new Gem(graphic_library);
        gem_slots[slot]->setPosition(x, y);
        gem_slots[slot]->setActive(true);
        gem_ages[slot] = 20;
    }
};

// Laser (L) against a pawn at (100, 100), hit box 108..129; shot (S) and pawn
// (R) against the ship at (300, 300), hit box 304..333; by top-left corner.
TEST_F(HitsTest, BoxesThatOnlyShareAnEdgeCollide) {
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    GryffonLaser* laser = laserAt(0, 0);
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
    enemy_testing::retire(pawn, graphic_library);
}

// Each kind dies on the laser that takes its last hit point and scores its value.
TEST_F(HitsTest, EveryKindDiesOnItsLastHitPointAndScoresItsValue) {
    for (const enemy_testing::KindFacts& kind : enemy_testing::allKinds()) {
        SCOPED_TRACE(kind.name);
        gryffon->setScore(0);
        enemy_slots[0] = kind.make(graphic_library);
        enemy_slots[0]->setPosition(100, 100);
        for (int hit = 1; hit <= kind.hitPoints; ++hit) {
            EXPECT_EQ(gryffon->getScore(), 0) << hit;
            laserAt(110, 110);
            hitPass();
        }
        EXPECT_EQ(enemy_slots[0]->getExplosionCounter(), 1);
        EXPECT_EQ(gryffon->getScore(), kind.score);
        clearRoundObjects();
    }
}

// A laser kill that reaches 30000, then every further 50000, adds a ship, but
// not while the round ends; points from a gem wait for the next laser kill.
TEST_F(HitsTest, ExtraShipsComeAt30000ThenEvery50000ButNotWhileTheRoundEnds) {
    srand(3);
    const struct { int scoreBefore, gemAt, endCounter, lives, nextBonus; } kills[] = {
        {29839, -1, -1, 3, 30000}, {29999, -1, -1, 4, 80000}, {79900, -1, -1, 5, 130000},
        {129900, -1, 40, 5, 130000}, {129950, 310, -1, 6, 180000}};
    for (const auto& k : kills) {
        gryffon->setScore(k.scoreBefore);
        end_counter = k.endCounter;
        if (k.gemAt > 0) {
            putGem(0, k.gemAt, k.gemAt);
            gemStep(buffer);
            hitPass();
            EXPECT_EQ(gryffon->getLives(), k.lives - 1);
        }
        enemy_slots[0] = makeEnemy<Pawn>(100, 100);
        laserAt(110, 110);
        hitPass();
        clearRoundObjects();
        EXPECT_EQ(gryffon->getLives(), k.lives) << k.scoreBefore;
        EXPECT_EQ(next_bonus, k.nextBonus) << k.scoreBefore;
    }
}

// The ship's box (+4..+33) against the gem's (+0..+7), for a hundred points;
// never while the ship explodes or hides (counts 0..75).
TEST_F(HitsTest, TheShipTakesGemsThatTouchItsBoxForAHundredPoints) {
    flyingShipAt(0, 0);
    const struct { int x, y, hitCounter; bool taken; } cases[] = {
        {33, 33, -1, true}, {34, 0, -1, false}, {0, 34, -1, false}, {-3, -3, -1, true},
        {-4, 10, -1, false}, {10, -4, -1, false}, {10, 10, 75, false}, {10, 10, 76, true}};
    for (const auto& c : cases) {
        clearRoundObjects();
        if (c.hitCounter >= 0) gryffon->takeHit(), drawUntilHitCounter(c.hitCounter, scratch);
        gryffon->setScore(1000);
        putGem(6, c.x, c.y);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[6] == nullptr, c.taken) << c.x << "," << c.y << " at count " << c.hitCounter;
        EXPECT_EQ(gryffon->getScore(), c.taken ? 1100 : 1000);
    }
}

}  // namespace
