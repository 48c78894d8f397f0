// Rules of play by name, so that a change to one fails its own case here and
// not only the replay digest.
#include "round_fixture.h"
#include "support/recording_sound.h"

namespace {
using namespace round_testing;

using RulesTest = RoundTest;

// The frames of a hold, from 0, on which a laser leaves; then the button is let go.
std::vector<int> fireFrames(int frames) {
    std::vector<int> fired;
    for (int frame = 0; frame <= frames; ++frame) {
        idleLasers();
        mouse_b = frame < frames;
        steerShip(gryffon, fire_counter, right_click_latch, sound_bank);
        if (gryffon->getLaser(0)->isActive()) fired.push_back(frame);
    }
    return fired;
}

// Every 4th frame with a vertical line drawn; letting go and pressing again fires at once.
TEST_F(RulesTest, FireCadenceIsAPressThenEverySixthFrameHeld) {
    EXPECT_EQ(fireFrames(13), (std::vector<int>{0, 6, 12}));
    EXPECT_EQ(fireFrames(2), (std::vector<int>{0}));
    addPoints({{10, 0}, {10, 20}, {10, 40}});
    ASSERT_EQ(gryffon->getActiveShape(), SHAPE_VERTICAL_LINE);
    EXPECT_EQ(fireFrames(9), (std::vector<int>{0, 4, 8}));
}

// A laser kill drops a gem on 8 rolls in 20, at its kind's offset; it shows
// steadily to age 349, blinks every third frame from 350 and goes after 500.
TEST_F(RulesTest, GemsDropOnEightRollsInTwentyAndLastFiveHundredFrames) {
    const struct { Enemy* killed; int gemX; } kills[] = {
        {makeEnemy<Pawn>(100, 100), 115}, {makeEnemy<Blade>(100, 100), 112}, {makeEnemy<Wyvern>(100, 100), 144}};
    int drops = 0;
    for (unsigned seed = 1; seed <= 2000; ++seed) {
        srand(seed);
        dropGem(kills[0].killed);
        drops += gem_slots[0] != nullptr;
        removeGem(0);
    }
    EXPECT_TRUE(drops > 740 && drops < 860) << drops << " gems from 2000 kills";
    for (const auto& [killed, gemX] : kills) {
        do { srand(rand()); dropGem(killed); } while (!gem_slots[0]);
        EXPECT_EQ(gem_slots[0]->getX(), gemX) << killed->getKind();
        removeGem(0);
        retire(killed);
    }
    const struct { int age; bool shown; } ages[] = {
        {0, false}, {1, true}, {349, true}, {350, false}, {351, true}, {352, false}, {354, true}, {498, true}};
    for (const auto& c : ages) EXPECT_EQ(gemVisibleAtAge(c.age), c.shown) << "age " << c.age;
    putGem(0, 600, 20, 499);  // out of the ship's reach
    gemStep(buffer);
    EXPECT_NE(gem_slots[0], nullptr) << "at age 500";
    gemStep(buffer);
    EXPECT_EQ(gem_slots[0], nullptr) << "at age 501";
}

// The ship due right of the enemy's centre is heading 64. Past 5 off it the enemy
// turns 2 a frame the short way, the battleship 4.
TEST_F(RulesTest, HomingHoldsInsideTheDeadBandAndTurnsByTheKindsRate) {
    Enemy* shadow = makeEnemy<Shadow>(100, 200);  // centre (119, 219)
    flyingShipAt(301, 201);                        // centre (319, 219)
    const struct { int heading, after; } cases[] = {{64, 64}, {59, 59}, {69, 69}, {58, 60}, {70, 68}, {-100, -102}};
    for (const auto& c : cases) {
        shadow->setAngle(wholeFixed(c.heading));
        homeOnShip(shadow, gryffon);
        EXPECT_EQ(fixtoi(shadow->getAngle()), c.after) << "from " << c.heading;
    }
    Enemy* battleship = makeEnemy<BigBattleship>(71, 171);  // the same centre
    battleship->setAngle(wholeFixed(40));
    homeOnShip(battleship, gryffon);
    EXPECT_EQ(fixtoi(battleship->getAngle()), 44);
    retire(shadow), retire(battleship);
}

// TIME OVER's letters all leave x = 4 together, 4 pixels a frame, each stopping at its own column.
TEST_F(RulesTest, EndLettersStopAtTheirOwnColumns) {
    const int STOPS[8] = {240, 256, 272, 288, 336, 352, 368, 384};
    for (int counter : {62, 70, 150}) {
        SCOPED_TRACE(counter);
        end_counter = counter - 1;
        clear_bitmap(buffer);
        endSequenceStep(buffer);
        clear_bitmap(scratch);
        for (int i = 0; i < 8; ++i)
            bitmap_font->draw(scratch, std::string(1, "TIMEOVER"[i]), std::min(4 * counter, STOPS[i]), 224);
        EXPECT_TRUE(sameRegion(buffer, scratch, 0, 224, 640, 16));
    }
}

// The banner blinks 8 frames on, 8 off, and goes after its 401st frame, which still shows it.
TEST_F(RulesTest, TheShapeBannerStaysFourHundredFrames) {
    current_shape = SHAPE_TRIANGLE;
    banner_timer = 0;
    clear_bitmap(scratch);
    std::vector<int> shown;
    for (int frame = 1; frame <= 403; ++frame) {
        clear_bitmap(buffer);
        shapeBannerStep(buffer);
        if (frame > 390 && !sameRegion(buffer, scratch, 0, 0, 640, 16)) shown.push_back(frame);
    }
    EXPECT_EQ(banner_timer, -1);
    EXPECT_EQ(shown, (std::vector<int>{391, 400, 401}));
}

// The side lasers sweep 8 a volley out to 96 either side of the centre one and back in to 24.
TEST_F(RulesTest, TheTrianglesSideLasersSweepBetween24And96) {
    addPoints({{50, 0}, {0, 40}, {100, 40}});
    ASSERT_EQ(gryffon->getActiveShape(), SHAPE_TRIANGLE);
    gryffon->setAngle(0);
    std::vector<int> offsets;
    for (int volley = 0; volley < 14; ++volley) {
        idleLasers();
        gryffon->fire(sound_bank);
        offsets.push_back(fixtoi(gryffon->getLaser(1)->getAngle()));
        EXPECT_EQ(fixtoi(gryffon->getLaser(2)->getAngle()), -offsets.back());
    }
    EXPECT_EQ(offsets, (std::vector<int>{-32, -24, -32, -40, -48, -56, -64, -72, -80, -88, -96, -88, -80, -72}));
}

TEST_F(RulesTest, SpawnsComeFasterByOneStepOfTheDivisorEvery2000Frames) {
    const struct { int frame, divisorAfter; } steps[] = {
        {1000, 4000}, {1999, 4000}, {2000, 3999}, {3000, 3999}, {4000, 3998}};
    spawn_divisor = 4000;
    for (const auto& step : steps) {
        frame_count = step.frame;
        advanceSpawnDivisor();
        EXPECT_EQ(spawn_divisor, step.divisorAfter) << "frame " << step.frame;
    }
}

TEST_F(RulesTest, TimedModesStartAt120And300Seconds) {
    for (GameMode mode : {TwoMinute, FiveMinute}) {
        startRound(mode);
        EXPECT_EQ(seconds_left, mode == TwoMinute ? 120 : 300);
    }
}

// Enemy shots move first, then retire outside -16 < x < 640, -16 < y < 480.
TEST_F(RulesTest, ShipLasersFlyEightPixelsAFrameAndShotsRetireAtTheFieldsEdges) {
    gryffon->setAngle(0);
    gryffon->fire(sound_bank);
    double y = gryffon->getLaser(0)->getY();
    gryffon->update();
    EXPECT_EQ(gryffon->getLaser(0)->getY(), y - 8);
    Pawn* pawn = makeEnemy<Pawn>(100, 100);
    enemy_slots[0] = pawn;
    EnemyShot* shot = pawn->getShot(0);
    const struct { double x, y, vx, vy; bool staysActive; } cases[] = {
        {636, 100, 4, 0, false},  {635.5, 100, 4, 0, true}, {100, -12, 0, -4, false}, {100, -11.5, 0, -4, true},
        {-12, 100, -4, 0, false}, {100, 476, 0, 4, false},  {100, 475.5, 0, 4, true}};
    for (const auto& c : cases) {
        shot->setPosition(c.x, c.y);
        shot->setVelocity(c.vx, c.vy);
        shot->setActive(true);
        pawn->updateShots();
        EXPECT_EQ(shot->getX(), c.x + c.vx) << c.x << "," << c.y;
        EXPECT_EQ(shot->isActive(), c.staysActive) << c.x << "," << c.y;
    }
}

// With a stand-in sound card: each kind dies on the laser that takes its last hit
// point with its score and kill sound; the battleship's wreck rumbles every 6th frame.
TEST_F(RulesTest, KillsScoreAndSoundByKindAndEnemiesFireOnOneRollIn200) {
    SoundBank* silent = sound_bank;
    testing_support::installRecordingSoundCard();
    sound_bank = new SoundBank();
    sound_bank->load();
    auto heard = [](const char* only) {
        std::string names;
        for (const auto& sound : testing_support::soundsStarted())
            if (!*only || sound.name == only)
                names += sound.name + (sound.permille == 1000 ? "" : "@" + std::to_string(sound.permille)) + " ";
        testing_support::soundsStarted().clear();
        return names;
    };
    for (const KindFacts& kind : allKinds()) {
        SCOPED_TRACE(kind.name);
        gryffon->setScore(0);
        enemy_slots[0] = kind.make(graphic_library);
        enemy_slots[0]->setPosition(100, 100);
        for (int hit = 1; hit <= kind.hitPoints; ++hit) {
            heard("");
            laserAt(110, 110);
            hitPass();
        }
        EXPECT_EQ(gryffon->getScore(), kind.score);
        EXPECT_EQ(heard(""), kind.killSound);
        for (int frame = 0; frame < 24; ++frame) runEnemies(buffer);
        const char* rumble = "enemybigdie@800 enemybigdie@800 enemybigdie@800 enemybigdie@800 ";
        EXPECT_EQ(heard("enemybigdie"), *kind.killSound ? "" : rumble);
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
