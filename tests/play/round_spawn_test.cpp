// Which enemy a spawn roll brings, when it is retired, and when the homing
// kinds steer.
#include "core/whole_fixed.h"
#include "play/homing.h"
#include "play/pawn.h"
#include "play/shadow.h"
#include "play/spawn_director.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class SpawnTest : public RoundTest {};

// The odds of each kind are the widths of these bands of a roll out of the divisor.
TEST_F(SpawnTest, RollsPickTheKindByTheTable) {
    const struct { int from, to; char kind; } bands[] = {
        {0, 44, 'P'}, {45, 64, 'S'}, {65, 69, 'B'}, {70, 74, 'W'}, {75, 76, 'H'}, {77, 3999, 0}};
    for (const auto& band : bands)
        for (int r = band.from; r <= band.to; ++r) ASSERT_EQ(kindForRoll(r), band.kind) << r;
    for (int r : {0, 45, 65, 70, 75, 77}) {
        Enemy* enemy = createEnemyForRoll(r, graphic_library);
        EXPECT_EQ(enemy ? enemy->getKind() : 0, kindForRoll(r));
        if (enemy) enemy->releaseGraphics(graphic_library), delete enemy;
    }
}

// Enemies are retired past 120 pixels off the field, or once their explosion has run.
TEST_F(SpawnTest, EnemiesFarOffTheFieldOrFinishedAreRetired) {
    const struct { double x, y; bool stays; } cases[] = {
        {800.0, 100, true}, {800.5, 100, false}, {-120, 100, true}, {-120.5, 100, false},
        {100, 640, true},   {100, 640.5, false}, {100, -120, true}, {100, -120.5, false}};
    for (const auto& c : cases) {
        enemy_slots[3] = makeEnemy<Pawn>(c.x, c.y);
        retireEnemies();
        EXPECT_EQ(enemy_slots[3] != nullptr, c.stays) << c.x << "," << c.y;
        clearRoundObjects();
    }
    Pawn* dying = makeEnemy<Pawn>(100, 100);
    enemy_slots[0] = dying;
    dying->setHitPoints(0);
    for (int i = 0; i < 18; ++i) dying->draw(scratch);
    retireEnemies();
    ASSERT_EQ(enemy_slots[0], dying);
    dying->draw(scratch);
    retireEnemies();
    EXPECT_EQ(enemy_slots[0], nullptr);
}

// Homing steers at the ship until its explosion has run 20 frames, and never
// at the last ship's wreck (whose counter stops at 20).
TEST_F(SpawnTest, HomingStopsOnceTheShipsExplosionHasRunItsCourse) {
    flyingShipAt(301, 221);                        // centre (319, 239)
    Shadow* shadow = makeEnemy<Shadow>(400, 220);  // the ship is due left: -64
    const struct { int hitCounter, lives, angle; } cases[] = {{-1, 3, -2}, {20, 2, -4}, {21, 2, -4}, {19, 0, -6}, {20, 0, -6}};
    for (const auto& c : cases) {
        while (gryffon->getLives() > c.lives) drawUntilHitCounter(-1, scratch), gryffon->takeHit();
        for (int guard = 0; guard < 60 && gryffon->getHitCounter() != c.hitCounter; ++guard) gryffon->draw(scratch);
        ASSERT_EQ(gryffon->getHitCounter(), c.hitCounter);
        homeOnShip(shadow, gryffon);
        EXPECT_EQ(fixtoi(shadow->getAngle()), c.angle) << c.hitCounter << " with " << c.lives;
    }
    shadow->releaseGraphics(graphic_library);
    delete shadow;
}

}  // namespace
