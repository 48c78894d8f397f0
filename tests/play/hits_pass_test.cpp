// The hit pass and the gems: box edges, kills and their awards,
// extra ships, rams, the last ship; where gems drop, when they show and go,
// and the pickup box.
#include <functional>

#include "play/enemy_fixture.h"
#include "play/enemy_shot.h"
#include "play/game_random.h"
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
    GryffonLaser* laserAt(int slot, double x, double y) {
        GryffonLaser* laser = gryffon->getLaser(slot);
        laser->setPosition(x, y);
        laser->setActive(true);
        return laser;
    }
    // Kills a 160-point pawn with a laser in a frame's hit pass.
    void laserKill() {
        enemy_slots[0] = makeEnemy<Pawn>(100, 100);
        laserAt(0, 110, 110);
        hitPass();
        clearRoundObjects();
    }
    void putGem(int slot, int x, int y, int age) {
        gem_slots[slot] = new Gem(graphic_library);
        gem_slots[slot]->setPosition(x, y);
        gem_slots[slot]->setActive(true);
        gem_ages[slot] = age;
    }
    // Seeds gameRandom() so that the next drop roll (out of 20) comes up as wanted.
    void seedRoll(int roll) {
        for (unsigned seed = 1;; ++seed) {
            srand(seed);
            if (gameRandom() % 20 == roll) return srand(seed);
        }
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
    pawn->releaseGraphics(graphic_library);
    delete pawn;
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
            laserAt(0, 110, 110);
            hitPass();
        }
        EXPECT_EQ(enemy_slots[0]->getExplosionCounter(), 1);
        EXPECT_EQ(gryffon->getScore(), kind.score);
        clearRoundObjects();
    }
}

TEST_F(HitsTest, ExtraShipsComeAt30000ThenEvery50000ButNotWhileTheRoundEnds) {
    srand(3);
    const struct { int scoreBefore, endCounter, lives, nextBonus; } kills[] = {
        {29839, -1, 3, 30000}, {29999, -1, 4, 80000}, {79900, -1, 5, 130000}, {129900, 40, 5, 130000}};
    for (const auto& k : kills) {
        gryffon->setScore(k.scoreBefore);
        end_counter = k.endCounter;
        laserKill();
        EXPECT_EQ(gryffon->getScore(), k.scoreBefore + 160);
        EXPECT_EQ(gryffon->getLives(), k.lives) << k.scoreBefore;
        EXPECT_EQ(next_bonus, k.nextBonus) << k.scoreBefore;
    }
}

TEST_F(HitsTest, GemPointsPastTheThresholdWaitForTheNextLaserKill) {
    gryffon->setScore(29950);
    putGem(0, 310, 310, 10);
    gemStep(buffer);
    EXPECT_EQ(gryffon->getScore(), 30050);
    hitPass();
    EXPECT_EQ(gryffon->getLives(), 3);
    laserKill();
    EXPECT_EQ(gryffon->getLives(), 4);
}

TEST_F(HitsTest, RammingCostsAShipAndEarnsNothing) {
    for (int attempt = 0; attempt < 20; ++attempt) {  // whatever the gem roll would have been
        srand(attempt);
        flyingShipAt(300, 300);
        int lives = gryffon->getLives();
        enemy_slots[0] = makeEnemy<Pawn>(300, 300);
        hitPass();
        EXPECT_EQ(gryffon->getLives(), lives - 1);
        EXPECT_EQ(enemy_slots[0]->getExplosionCounter(), 1);
        EXPECT_EQ(gryffon->getScore(), 0);
        EXPECT_EQ(gem_slots[0], nullptr);
        clearRoundObjects();
    }
}

// Shots pass through a blinking ship; the last ship lost ends the round once.
TEST_F(HitsTest, ShotsHitOnlyAFlyingShipAndTheLastOneEndsTheRound) {
    gryffon->takeHit();
    drawUntilHitCounter(120, scratch);
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    enemy_slots[0] = pawn;
    pawn->getShot(0)->setActive(true);
    pawn->getShot(0)->setPosition(310, 310);
    hitPass();
    EXPECT_TRUE(pawn->getShot(0)->isActive());
    drawUntilHitCounter(-1, scratch);
    gryffon->takeHit();
    drawUntilHitCounter(-1, scratch);
    ASSERT_EQ(gryffon->getLives(), 1);
    enemy_slots[1] = makeEnemy<Pawn>(300, 300);  // would ram too
    hitPass();
    EXPECT_FALSE(pawn->getShot(0)->isActive());
    EXPECT_EQ(gryffon->getLives(), 0);
    EXPECT_EQ(end_counter, 0);
    EXPECT_EQ(enemy_slots[1]->getHitPoints(), 1);  // no second hit once the ship is down
    end_counter = 17;
    hitPass();
    EXPECT_EQ(end_counter, 17);
}

// A drop (rolls 0..7 of 20) goes into the first free slot, offset by kind.
TEST_F(HitsTest, AKillDropsItsGemOffsetByKindIntoTheFirstFreeSlot) {
    const struct { int kind, roll, offset; } cases[] = {{0, 7, 15}, {1, 0, 15}, {2, 0, 12}, {3, 0, 44}, {4, 0, 44},
                                                        {0, 8, -1}, {3, 19, -1}};
    for (const auto& c : cases) {
        clearRoundObjects();
        putGem(0, 1, 1, 40);
        Enemy* enemy = enemy_testing::allKinds()[c.kind].make(graphic_library);
        enemy->setPosition(-20.5, 10.9);
        seedRoll(c.roll);
        dropGem(enemy);
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " roll " << c.roll);
        ASSERT_EQ(gem_slots[1] != nullptr, c.offset >= 0);
        if (c.offset >= 0) {
            EXPECT_EQ(gem_slots[1]->getX(), static_cast<int>(-20.5 + c.offset));
            EXPECT_EQ(gem_slots[1]->getY(), static_cast<int>(10.9 + c.offset));
            EXPECT_EQ(gem_ages[1], 0);
        }
        enemy_testing::retire(enemy, graphic_library);
    }
}

TEST_F(HitsTest, GemsShowSteadilyThenBlinkEveryThirdFrameAndGoAt501) {
    const struct { int ageBefore; bool drawn; bool present; } cases[] = {
        {0, true, true},   {348, true, true}, {349, false, true}, {350, true, true},
        {352, false, true}, {497, true, true}, {499, false, true}, {500, false, false}};
    for (const auto& c : cases) {
        clearRoundObjects();
        clear_bitmap(buffer);
        putGem(3, 200, 200, c.ageBefore);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[3] != nullptr, c.present) << "age " << c.ageBefore + 1;
        EXPECT_EQ(regionHasPaint(buffer, 200, 200, 8, 8), c.drawn) << "age " << c.ageBefore + 1;
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
        if (c.hitCounter >= 0) {
            gryffon->takeHit();
            drawUntilHitCounter(c.hitCounter, scratch);
        }
        gryffon->setScore(1000);
        putGem(6, c.x, c.y, 20);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[6] == nullptr, c.taken) << c.x << "," << c.y << " at count " << c.hitCounter;
        EXPECT_EQ(gryffon->getScore(), c.taken ? 1100 : 1000);
    }
}

}  // namespace
