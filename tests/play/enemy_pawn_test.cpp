// The pawn's single bullet: when it may be fired, how it flies and when it is
// free again.
#include <gtest/gtest.h>

#include "core/whole_fixed.h"
#include "play/enemy_fixture.h"

using namespace enemy_testing;

// Every kind that shoots fires only while alive with the whole sprite on screen.
TEST(EnemyFiring, FiresOnlyWhileAliveAndWhollyOnScreen) {
    GraphicLibrary library;
    for (const KindFacts& kind : allKinds()) {
        if (kind.shots == Blade::LINKS) continue;  // the blade's chain is not fired
        Enemy* probe = kind.make(&library);
        const double right = 640 - probe->getWidth(), bottom = 480 - probe->getHeight();
        retire(probe, &library);
        struct Case { double x, y; bool fires; };
        const Case cases[] = {
            {right, bottom, true}, {0, 0, true},     {right + 1, bottom, false}, {right, bottom + 1, false},
            {-0.5, 100, false},    {100, -0.5, false}, {right + 0.5, 10, false}, {0, -1, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << kind.name << " at " << c.x << "," << c.y);
            Enemy* enemy = kind.make(&library);
            enemy->setPosition(c.x, c.y);
            enemy->fire(nullptr);
            EXPECT_EQ(!activeShots(enemy).empty(), c.fires);
            for (int i = 0; i < enemy->getShotCount(); ++i) enemy->getShot(i)->setActive(false);
            enemy->setHitPoints(0);
            enemy->fire(nullptr);
            EXPECT_TRUE(activeShots(enemy).empty()) << "an exploding enemy does not fire";
            retire(enemy, &library);
        }
    }
}

TEST(PawnFiring, BulletLeavesTheMuzzleAlongTheHeadingAndIsReusedOnlyAfterRetirement) {
    GraphicLibrary library;
    Pawn pawn(&library);
    pawn.setPosition(300, 200);
    pawn.setAngle(wholeFixed(64));
    pawn.fire(nullptr);
    EnemyShot* bullet = pawn.getShot(0);
    ASSERT_TRUE(bullet->isActive());
    EXPECT_EQ(bullet->getX(), 315.0);
    EXPECT_EQ(bullet->getY(), 215.0);
    EXPECT_EQ(bullet->getAngle(), wholeFixed(64));
    EXPECT_NEAR(bullet->getVX(), 4.0, 1e-4) << "shots fly at 4 whatever the pawn's speed";
    EXPECT_NEAR(bullet->getVY(), 0.0, 1e-4);

    pawn.updateShots();
    EXPECT_NEAR(bullet->getX(), 319.0, 1e-4);
    pawn.setAngle(wholeFixed(0));
    pawn.fire(nullptr);
    EXPECT_NEAR(bullet->getX(), 319.0, 1e-4) << "a bullet in flight is not launched again";
    EXPECT_NEAR(bullet->getVX(), 4.0, 1e-4);

    // 319 + 4k reaches 640 or more after 81 more frames.
    int frames = 0;
    while (frames < 200) {
        pawn.updateShots();
        ++frames;
        if (!bullet->isActive()) break;
        pawn.fire(nullptr);
        EXPECT_NEAR(bullet->getVY(), 0.0, 1e-4);
    }
    EXPECT_EQ(frames, 81);
    pawn.fire(nullptr);
    EXPECT_TRUE(bullet->isActive());
    EXPECT_EQ(bullet->getX(), 315.0);
    EXPECT_NEAR(bullet->getVY(), -4.0, 1e-4) << "relaunched along the new heading";
    pawn.releaseGraphics(&library);
}

TEST(PawnFiring, BulletsRetireOnTheFieldEdgesExactly) {
    GraphicLibrary library;
    Pawn pawn(&library);
    EnemyShot* bullet = pawn.getShot(0);
    struct Case { double x, y, vx, vy; bool staysActive; };
    const Case cases[] = {
        {636, 100, 4, 0, false},    // reaches x = 640
        {635.5, 100, 4, 0, true},   // 639.5
        {100, -12, 0, -4, false},   // reaches y = -16
        {100, -11.5, 0, -4, true},  // -15.5
        {-12, 100, -4, 0, false},   // x = -16
        {100, 476, 0, 4, false},    // y = 480
        {100, 475.5, 0, 4, true},   // 479.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << "," << c.y);
        bullet->setPosition(c.x, c.y);
        bullet->setVelocity(c.vx, c.vy);
        bullet->setActive(true);
        pawn.updateShots();
        EXPECT_EQ(bullet->getX(), c.x + c.vx);
        EXPECT_EQ(bullet->getY(), c.y + c.vy);
        EXPECT_EQ(bullet->isActive(), c.staysActive);
    }
    // An idle bullet is not moved.
    bullet->setActive(false);
    bullet->setPosition(10, 10);
    pawn.updateShots();
    EXPECT_EQ(bullet->getX(), 10.0);
    pawn.releaseGraphics(&library);
}
