// Which enemy a spawn roll brings, where it enters, when it is retired, and
// how the homing kinds steer.
#include "core/whole_fixed.h"
#include "play/big_battleship.h"
#include "play/game_random.h"
#include "play/homing.h"
#include "play/pawn.h"
#include "play/shadow.h"
#include "play/spawn_director.h"
#include "play/wyvern.h"
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

// Each edge: just off the field at a random place along it, aimed inwards.
TEST_F(SpawnTest, ASpawnEntersOnItsEdgeAimedInwards) {
    for (int side = 0; side < 4; ++side) {
        srand(side + 7);
        int q = gameRandom(), h = gameRandom();
        srand(side + 7);
        Pawn* pawn = makeEnemy<Pawn>(0, 0);
        placeOnSpawnEdge(pawn, side);
        const double x[4] = {q % 840 - 100.0, q % 840 - 100.0, -96, 640};
        const double y[4] = {-96, 480, q % 680 - 100.0, q % 680 - 100.0};
        const int base[4] = {96, 224, 32, 160};
        EXPECT_EQ(pawn->getX(), x[side]) << side;
        EXPECT_EQ(pawn->getY(), y[side]) << side;
        EXPECT_EQ(pawn->getAngle(), wholeFixed(h % 64 + base[side]));
        EXPECT_NEAR(pawn->getVY(), -pawn->getSpeed() * fixtof(fixcos(pawn->getAngle())), 1e-9);
        pawn->releaseGraphics(graphic_library);
        delete pawn;
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

// Homing turns the short way round, not inside the dead band of +-5.
TEST(HomingTurn, TurnsTheShortWayRoundOutsideTheDeadBand) {
    const struct { int d, turn; } cases[] = {{5, 0}, {-5, 0}, {6, 2}, {-6, -2}, {128, 2}, {-128, -2}, {129, -2}, {-129, 2}};
    for (const auto& c : cases) EXPECT_EQ(homingTurn(c.d, 2), c.turn) << c.d;
    EXPECT_EQ(homingTurn(-129, 4), 4);
}

// No steering when the ship is straight below, once its explosion has run 20
// frames, or at all while the last ship's wreck lies there.
TEST_F(SpawnTest, HomingKindsSteerAtTheShipUnlessStraightBelowOrItIsGone) {
    flyingShipAt(301, 221);  // centre (319, 239)
    Shadow* shadow = makeEnemy<Shadow>(400, 220);  // the ship is due left: -64
    Wyvern* below = makeEnemy<Wyvern>(271, 400);   // the ship straight above
    below->setAngle(wholeFixed(50));
    homeOnShip(below, gryffon);
    EXPECT_EQ(fixtoi(below->getAngle()), 50);
    const struct { int hitCounter, lives, angle; } cases[] = {{-1, 3, -2}, {20, 2, -4}, {21, 2, -4}, {19, 0, -6}, {20, 0, -6}};
    for (const auto& c : cases) {
        while (gryffon->getLives() > c.lives) drawUntilHitCounter(-1, scratch), gryffon->takeHit();
        for (int guard = 0; guard < 60 && gryffon->getHitCounter() != c.hitCounter; ++guard) gryffon->draw(scratch);
        ASSERT_EQ(gryffon->getHitCounter(), c.hitCounter);
        homeOnShip(shadow, gryffon);
        EXPECT_EQ(fixtoi(shadow->getAngle()), c.angle) << c.hitCounter << " with " << c.lives;
    }
    for (Enemy* e : std::initializer_list<Enemy*>{shadow, below}) e->releaseGraphics(graphic_library), delete e;
}

}  // namespace
