// Rules of play by name: the fire cadence, the gem's odds and lifetime, the
// homing dead band, the triangle's sweep, where the end letters stop and how
// long the shape banner stays. A change to any of them fails its own case here, not only
// the replay digest.
#include "core/whole_fixed.h"
#include "play/big_battleship.h"
#include "play/blade.h"
#include "play/end_sequence.h"
#include "play/enemy_shot.h"
#include "play/game_random.h"
#include "play/gem.h"
#include "play/gem_step.h"
#include "play/homing.h"
#include "play/hit_pass.h"
#include "play/hud.h"
#include "play/pawn.h"
#include "play/spawn_director.h"
#include "play/wyvern.h"
#include "play/shadow.h"
#include "round_fixture.h"
#include "support/recording_sound.h"

namespace {
using namespace round_testing;

struct Point { int x, y; };

class RulesTest : public RoundTest {
protected:
    void SetUp() override {
        RoundTest::SetUp();
        freshShip();
        flyingShipAt(301, 221);
    }
    int activeLasers() const {
        int n = 0;
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) n += gryffon->getLaser(i)->isActive();
        return n;
    }
    // The frames of a hold, from 0, on which a laser leaves.
    std::vector<int> fireFrames(int frames) {
        std::vector<int> fired;
        mouse_b = 1;
        for (int frame = 0; frame < frames; ++frame) {
            int before = activeLasers();
            steerShip(gryffon, fire_counter, right_click_latch, sound_bank);
            if (activeLasers() > before) fired.push_back(frame);
        }
        mouse_b = 0;
        steerShip(gryffon, fire_counter, right_click_latch, sound_bank);
        return fired;
    }
};

// A press fires at once, then every 6th frame held (every 4th with a vertical
// line drawn); letting go and pressing again fires at once.
TEST_F(RulesTest, FireCadenceIsAPressThenEverySixthFrameHeld) {
    EXPECT_EQ(fireFrames(13), (std::vector<int>{0, 6, 12}));
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    EXPECT_EQ(fireFrames(2), (std::vector<int>{0}));
    for (Point p : {Point{10, 0}, Point{10, 20}, Point{10, 40}}) gryffon->addPoint(p.x, p.y);
    ASSERT_EQ(gryffon->getActiveShape(), SHAPE_VERTICAL_LINE);
    for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
    EXPECT_EQ(fireFrames(9), (std::vector<int>{0, 4, 8}));
}

// A laser kill drops a gem when its roll % 20 is below 8; the gem shows
// steadily to age 349, blinks every third frame from 350 and goes after 500.
TEST_F(RulesTest, GemsDropOnEightRollsInTwentyAndLastFiveHundredFrames) {
    Enemy* enemy = makeEnemy<Shadow>(100, 100);
    int drops = 0;
    for (unsigned seed = 1; seed <= 40; ++seed) {
        srand(seed);
        bool expected = gameRandom() % 20 < 8;
        srand(seed);
        dropGem(enemy);
        EXPECT_EQ(gem_slots[0] != nullptr, expected) << "seed " << seed;
        drops += gem_slots[0] != nullptr;
        removeGem(0);
    }
    EXPECT_GT(drops, 8);
    EXPECT_LT(drops, 28);

    const struct { int age; bool shown; } ages[] = {
        {0, false}, {1, true}, {349, true}, {350, false}, {351, true}, {352, false}, {354, true}, {498, true},
    };
    for (const auto& c : ages) EXPECT_EQ(gemVisibleAtAge(c.age), c.shown) << "age " << c.age;

    do { srand(rand()); dropGem(enemy); } while (!gem_slots[0]);
    gem_slots[0]->setPosition(600, 20);  // out of the ship's reach
    gem_ages[0] = 499;
    gemStep(buffer);
    EXPECT_NE(gem_slots[0], nullptr) << "at age 500";
    gemStep(buffer);
    EXPECT_EQ(gem_slots[0], nullptr) << "at age 501";
    enemy->releaseGraphics(graphic_library);
    delete enemy;
    // It drops at its kind's offset from the corner: the middle of the sprite.
    const struct { Enemy* killed; int gemX; } kills[] = {
        {makeEnemy<Pawn>(100, 100), 115}, {makeEnemy<Blade>(100, 100), 112}, {makeEnemy<Wyvern>(100, 100), 144}};
    for (const auto& [killed, gemX] : kills) {
        do { srand(rand()); dropGem(killed); } while (!gem_slots[0]);
        EXPECT_EQ(gem_slots[0]->getX(), gemX) << killed->getKind();
        removeGem(0);
        killed->releaseGraphics(graphic_library), delete killed;
    }
}

// The ship due right of the enemy's centre is heading 64. Within 5 of it the
// enemy flies on; past that it turns 2 a frame the short way (the battleship 4).
TEST_F(RulesTest, HomingHoldsInsideTheDeadBandAndTurnsByTheKindsRateOutside) {
    Enemy* shadow = makeEnemy<Shadow>(100, 200);  // centre (119, 219)
    flyingShipAt(301, 201);                        // centre (319, 219)
    const struct { int heading, after; } cases[] = {
        {64, 64}, {59, 59}, {69, 69}, {58, 60}, {70, 68}, {-100, -102},
    };
    for (const auto& c : cases) {
        shadow->setAngle(wholeFixed(c.heading));
        homeOnShip(shadow, gryffon);
        EXPECT_EQ(fixtoi(shadow->getAngle()), c.after) << "from " << c.heading;
    }
    Enemy* battleship = makeEnemy<BigBattleship>(71, 171);  // the same centre
    battleship->setAngle(wholeFixed(40));
    homeOnShip(battleship, gryffon);
    EXPECT_EQ(fixtoi(battleship->getAngle()), 44);
    for (Enemy* enemy : {shadow, battleship}) enemy->releaseGraphics(graphic_library), delete enemy;
}
// TIME OVER's letters all leave x = 4 together, 4 pixels a frame, and each
// stops at its own column: 240, 256, 272, 288, then 336 to 384 after the gap.
TEST_F(RulesTest, EndLettersStopAtTheirOwnColumns) {
    const int STOPS[8] = {240, 256, 272, 288, 336, 352, 368, 384};
    const char* LETTERS[8] = {"T", "I", "M", "E", "O", "V", "E", "R"};
    for (int counter : {62, 70, 150}) {
        SCOPED_TRACE(counter);
        end_counter = counter - 1;
        clear_bitmap(buffer);
        endSequenceStep(buffer);
        clear_bitmap(scratch);
        for (int i = 0; i < 8; ++i) bitmap_font->draw(scratch, LETTERS[i], std::min(4 * counter, STOPS[i]), 224);
        EXPECT_TRUE(sameRegion(buffer, scratch, 0, 224, 640, 16));
    }
    end_counter = -1;
}

// The banner blinks 8 frames on, 8 off, and goes after its 401st frame, which
// still shows the name.
TEST_F(RulesTest, TheShapeBannerStaysFourHundredFrames) {
    current_shape = SHAPE_TRIANGLE;
    banner_timer = 0;
    std::vector<int> shown;
    for (int frame = 1; frame <= 403; ++frame) {
        clear_bitmap(buffer);
        shapeBannerStep(buffer);
        bool lit = false;
        for (int y = 0; y < 16 && !lit; ++y)
            for (int x = 0; x < 640 && !lit; ++x) lit = getpixel(buffer, x, y) != 0;
        if (lit && frame > 390) shown.push_back(frame);
        if (frame == 400) { EXPECT_EQ(banner_timer, 400); }
    }
    EXPECT_EQ(banner_timer, -1);
    EXPECT_EQ(shown, (std::vector<int>{391, 400, 401}));
    current_shape = SHAPE_NONE;
}
// The triangle's side lasers sweep 8 a volley out to 96 either side of the
// centre one and back in to 24.
TEST_F(RulesTest, TheTrianglesSideLasersSweepBetween24And96) {
    for (Point p : {Point{50, 0}, Point{0, 40}, Point{100, 40}}) gryffon->addPoint(p.x, p.y);
    ASSERT_EQ(gryffon->getActiveShape(), SHAPE_TRIANGLE);
    gryffon->setAngle(0);
    std::vector<int> offsets;
    for (int volley = 0; volley < 14; ++volley) {
        for (int i = 0; i < GRYFFON_LASER_COUNT; ++i) gryffon->getLaser(i)->setActive(false);
        gryffon->fire(sound_bank);
        offsets.push_back(fixtoi(gryffon->getLaser(1)->getAngle()));
        EXPECT_EQ(fixtoi(gryffon->getLaser(2)->getAngle()), -offsets.back());
    }
    EXPECT_EQ(offsets, (std::vector<int>{-32, -24, -32, -40, -48, -56, -64, -72, -80, -88, -96, -88, -80, -72}));
}

// Spawns come faster by one step of the divisor on every 2000th frame.
TEST_F(RulesTest, SpawnsComeFasterByOneStepEvery2000Frames) {
    const struct { int frame, divisorAfter; } steps[] = {{1000, 4000}, {1999, 4000}, {2000, 3999}, {3000, 3999}, {4000, 3998}};
    spawn_divisor = 4000;
    for (const auto& step : steps) {
        frame_count = step.frame;
        advanceSpawnDivisor();
        EXPECT_EQ(spawn_divisor, step.divisorAfter) << "frame " << step.frame;
    }
}

// The timed modes start at 120 and 300 seconds.
TEST_F(RulesTest, TimedModesStartAt120And300Seconds) {
    for (GameMode mode : {TwoMinute, FiveMinute}) {
        startRound(mode);
        EXPECT_EQ(seconds_left, mode == TwoMinute ? 120 : 300);
    }
}

// A laser leaves the nose at 8 pixels a frame.
TEST_F(RulesTest, ShipLasersFlyEightPixelsAFrame) {
    gryffon->setAngle(0);
    gryffon->fire(sound_bank);
    GryffonLaser* laser = gryffon->getLaser(0);
    ASSERT_TRUE(laser->isActive());
    double x = laser->getX(), y = laser->getY();
    gryffon->update();
    EXPECT_EQ(laser->getX(), x);
    EXPECT_EQ(laser->getY(), y - 8);
}

// With a stand-in sound card: a pawn's kill is the small explosion, a wyvern's
// the big one at 80 %, a battleship's is silent but its wreck rumbles on every
// 6th frame; a pawn fires on one roll in 200 a frame.
TEST_F(RulesTest, KillsAndShotsSoundByKind) {
    SoundBank* silent = sound_bank;
    testing_support::installRecordingSoundCard();
    sound_bank = new SoundBank();
    sound_bank->load();
    auto heard = [](const char* only) {
        std::string names;
        for (const auto& sound : testing_support::soundsStarted())
            if (!*only || sound.name == only) names += sound.name + (sound.permille == 1000 ? " " : "@" + std::to_string(sound.permille) + " ");
        testing_support::soundsStarted().clear();
        return names;
    };
    const struct { Enemy* enemy; int hits; const char* kill; } kills[] = {
        {makeEnemy<Pawn>(100, 100), 1, "enemydie "}, {makeEnemy<Wyvern>(100, 100), 25, "enemybigdie@800 "},
        {makeEnemy<BigBattleship>(100, 100), 25, ""}};
    for (const auto& k : kills) {
        enemy_slots[0] = k.enemy;
        for (int hit = 0; hit < k.hits; ++hit) {
            gryffon->getLaser(0)->setPosition(110, 110);
            gryffon->getLaser(0)->setActive(true);
            heard("");
            hitPass();
        }
        EXPECT_EQ(heard(""), k.kill) << k.hits;
        if (k.hits == 25 && !*k.kill) {
            for (int frame = 0; frame < 24; ++frame) runEnemies(buffer);
            EXPECT_EQ(heard("enemybigdie"), "enemybigdie@800 enemybigdie@800 enemybigdie@800 enemybigdie@800 ");
        }
        clearRoundObjects();
    }
    Pawn* pawn = makeEnemy<Pawn>(300, 60);
    enemy_slots[0] = pawn;
    srand(7);
    for (int frame = 0; frame < 12000; ++frame) {
        pawn->setPosition(300, 60);
        pawn->getShot(0)->setActive(false);
        runEnemies(buffer);
    }
    std::string shots = heard("enemybullet");
    int fired = static_cast<int>(std::count(shots.begin(), shots.end(), ' '));
    EXPECT_TRUE(fired > 45 && fired < 75) << fired << " shots in 12000 frames";
    clearRoundObjects();
    sound_bank->unload();
    delete sound_bank;
    sound_bank = silent;
    testing_support::removeRecordingSoundCard();
}
}  // namespace
