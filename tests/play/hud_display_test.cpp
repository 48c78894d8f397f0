// The score, the reserve ships and the seconds left, as the player reads them.
#include <string>

#include "gfx/bitmap_font.h"
#include "play/hud.h"
#include "round_fixture.h"

namespace {
using namespace round_testing;

class HudTest : public RoundTest {
protected:
    // The buffer shows exactly these texts, the white ones and the green ones.
    bool shows(std::initializer_list<std::pair<std::string, std::pair<int, int>>> white,
               std::initializer_list<std::pair<std::string, std::pair<int, int>>> green = {}) {
        clear_bitmap(scratch);
        for (const auto& t : white) bitmap_font->draw(scratch, t.first, t.second.first, t.second.second);
        for (const auto& t : green) bitmap_font->drawGreen(scratch, t.first, t.second.first, t.second.second);
        return sameRegion(buffer, scratch, 0, 0, 640, 480);
    }
};

// Reserve ships are the lives beyond the one in play, none shown once all are
// lost; the seconds show in the timed modes down to 0, then go.
TEST_F(HudTest, ScoreReserveShipsAndTheSecondsLeft) {
    flyingShipAt(300, 200);
    gryffon->setScore(12345);
    drawHud(buffer);
    EXPECT_TRUE(shows({{"12345", {0, 16}}, {"2", {80, 464}}}, {{"Score", {0, 0}}, {"Rest", {0, 464}}}));
    for (int i = 0; i < 3; ++i) gryffon->takeHit(), drawUntilHitCounter(-1, scratch);
    clear_bitmap(buffer);
    drawHud(buffer);
    EXPECT_TRUE(shows({{"12345", {0, 16}}}, {{"Score", {0, 0}}}));

    const struct { GameMode mode; int seconds; const char* text; } timers[] = {
        {TwoMinute, 0, "TIME 0"}, {TwoMinute, -1, ""}, {Marathon, 120, ""}, {FiveMinute, 120, "TIME 120"}};
    for (const auto& t : timers) {
        game_mode = t.mode;
        seconds_left = t.seconds;
        clear_bitmap(buffer);
        drawTimer(buffer);
        EXPECT_TRUE(shows({{t.text, {512, 464}}})) << t.seconds;
    }
}

}  // namespace
