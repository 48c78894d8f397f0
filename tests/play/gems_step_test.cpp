// Gems on the round's side: where a kill drops them, the full table, when they
// are drawn, when they expire, and the pickup box.
#include <functional>

#include "play/blade.h"
#include "play/game_random.h"
#include "play/gem_step.h"
#include "play/hit_pass.h"
#include "play/pawn.h"
#include "play/shadow.h"
#include "play/wyvern.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class GemsStepTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        flyingShipAt(500, 400);
    }
    // Seeds gameRandom() so that the next drop roll comes up as wanted.
    void seedDropRoll(bool drops) {
        for (unsigned seed = 1;; ++seed) {
            srand(seed);
            if ((gameRandom() % 20 < 8) == drops) {
                srand(seed);
                return;
            }
        }
    }
    void putGem(int slot, int x, int y, int age) {
        gem_slots[slot] = new Gem(graphic_library);
        gem_slots[slot]->setPosition(x, y);
        gem_slots[slot]->setActive(true);
        gem_ages[slot] = age;
    }
};

TEST_F(GemsStepTest, AKillDropsItsGemOffsetByKindIntoTheFirstFreeSlot) {
    const struct {
        std::function<Enemy*()> make;
        double x, y;
        int gx, gy;
    } cases[] = {
        {[] { return makeEnemy<Pawn>(100.9, 50.2); }, 100.9, 50.2, 115, 65},
        {[] { return makeEnemy<Wyvern>(-20.5, 10); }, -20.5, 10, 23, 54},
        {[] { return makeEnemy<Shadow>(10, 20); }, 10, 20, 25, 35},
        {[] { return makeEnemy<Blade>(10, 20); }, 10, 20, 22, 32},
    };
    for (const auto& c : cases) {
        clearRoundObjects();
        putGem(0, 1, 1, 40);
        Enemy* enemy = c.make();
        seedDropRoll(true);
        dropGem(enemy);
        ASSERT_NE(gem_slots[1], nullptr) << enemy->getKind();
        EXPECT_EQ(gem_slots[1]->getX(), c.gx) << enemy->getKind();
        EXPECT_EQ(gem_slots[1]->getY(), c.gy) << enemy->getKind();
        EXPECT_TRUE(gem_slots[1]->isActive());
        EXPECT_EQ(gem_ages[1], 0);
        EXPECT_EQ(gem_slots[2], nullptr);
        enemy->releaseGraphics(graphic_library);
        delete enemy;
    }
    EXPECT_EQ(gemDropOffset('H'), 44);

    clearRoundObjects();
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    seedDropRoll(false);
    dropGem(pawn);
    EXPECT_EQ(gem_slots[0], nullptr);
    for (int i = 0; i < GEM_SLOT_COUNT; ++i) putGem(i, 5 * i, 5, 30);
    Gem* before[GEM_SLOT_COUNT];
    std::copy(gem_slots, gem_slots + GEM_SLOT_COUNT, before);
    seedDropRoll(true);
    dropGem(pawn);
    EXPECT_TRUE(std::equal(gem_slots, gem_slots + GEM_SLOT_COUNT, before));
    pawn->releaseGraphics(graphic_library);
    delete pawn;
}

TEST_F(GemsStepTest, GemsShowSteadilyThenBlinkEveryThirdFrameAndGoAt501) {
    const struct { int ageBefore; bool drawn; bool present; } cases[] = {
        {0, true, true},     {348, true, true},    {349, false, true}, {350, true, true},  {352, false, true},
        {353, true, true},   {497, true, true},    {499, false, true}, {500, false, false}};
    for (const auto& c : cases) {
        clearRoundObjects();
        clear_bitmap(buffer);
        putGem(3, 200, 200, c.ageBefore);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[3] != nullptr, c.present) << "age " << c.ageBefore + 1;
        EXPECT_EQ(gem_ages[3], c.present ? c.ageBefore + 1 : -1);
        EXPECT_EQ(regionHasPaint(buffer, 200, 200, 8, 8), c.drawn) << "age " << c.ageBefore + 1;
    }
}

TEST_F(GemsStepTest, TheShipTakesGemsThatTouchItsBoxForAHundredPoints) {
    flyingShipAt(0, 0);
    const struct { int x, y; bool taken; } cases[] = {
        {33, 33, true}, {34, 0, false}, {0, 34, false}, {-3, -3, true}, {-4, 10, false}, {10, -4, false}};
    for (const auto& c : cases) {
        clearRoundObjects();
        gryffon->setScore(1000);
        putGem(6, c.x, c.y, 20);
        gemStep(buffer);
        EXPECT_EQ(gem_slots[6] == nullptr, c.taken) << c.x << "," << c.y;
        EXPECT_EQ(gryffon->getScore(), c.taken ? 1100 : 1000);
    }
    clearRoundObjects();
    putGem(6, 10, 10, 20);
    gem_slots[6]->setActive(false);
    gemStep(buffer);
    EXPECT_NE(gem_slots[6], nullptr);
}

TEST_F(GemsStepTest, NoPickupWhileTheShipIsExplodingOrHidden) {
    gryffon->setPosition(100, 100);
    gryffon->takeHit();
    putGem(0, 110, 110, 20);
    for (int count : {0, 19, 20, 75}) {
        drawUntilHitCounter(count, scratch);
        ASSERT_EQ(gryffon->getHitCounter(), count);
        EXPECT_FALSE(shipPicksUpGem(gryffon, 0)) << count;
    }
    gryffon->draw(scratch);
    EXPECT_TRUE(shipPicksUpGem(gryffon, 0));
    EXPECT_FALSE(shipPicksUpGem(gryffon, 1));  // an empty slot
}

}  // namespace
