// The logo intro, pass by pass: the translucency of each maker's logo, the end
// of the intro, and that no key or click reaches anything meanwhile.
#include <allegro.h>

#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "front_end_fixture.h"

namespace {

// The alpha each intro pass must leave, written out from the intro's timing:
// the publisher's logo rises, holds and falls, then the developer's logo
// starts from where the first one stopped.
int expectedAlpha(int pass) {
    if (pass <= 29) return 8 * pass;
    if (pass <= 109) return 255;
    if (pass <= 139) return 255 - 8 * (pass - 109);
    if (pass <= 169) return 15 + 8 * (pass - 139);
    if (pass <= 249) return 255;
    return 255 - 8 * (pass - 249);
}

TEST_F(FrontEndTest, IntroFadesEachLogoInAndOutAndEndsOnPass280) {
    makeLogos();
    intro_frame = 0;
    fade_alpha = 0;
    // Everything pressed at once: the intro reads no input.
    key[KEY_ESC] = 1;
    mouseAt(250, 245, true);

    for (int pass = 1; pass < INTRO_PASSES; ++pass) {
        clear_bitmap(buffer);
        introStep(buffer);
        ASSERT_EQ(intro_frame, pass);
        ASSERT_EQ(fade_alpha, expectedAlpha(pass)) << "pass " << pass;
        int pixel = getpixel(buffer, 320, 240);
        // Which logo shows: the yellow publisher's has no blue, the cyan
        // developer's no red. The faintest passes may round to black.
        bool visible = fade_alpha >= 32;
        if (pass < 140) {
            ASSERT_EQ(getb16(pixel), 0) << "pass " << pass;
            ASSERT_TRUE(!visible || getr16(pixel) > 0) << "pass " << pass;
        } else {
            ASSERT_EQ(getr16(pixel), 0) << "pass " << pass;
            ASSERT_TRUE(!visible || getb16(pixel) > 0) << "pass " << pass;
        }
        EXPECT_TRUE(pass != 100 || pixel == publisherLogoColour());
        EXPECT_TRUE(pass != 200 || pixel == developerLogoColour());
    }
    EXPECT_EQ(fade_alpha, 15);

    clear_bitmap(buffer);
    introStep(buffer);
    EXPECT_EQ(intro_frame, -1);
    EXPECT_EQ(fade_alpha, 0);
    EXPECT_EQ(publisher_logo, nullptr);
    EXPECT_EQ(developer_logo, nullptr);
    EXPECT_EQ(getpixel(buffer, 320, 240), 0) << "the last intro pass draws nothing";

    EXPECT_TRUE(running);
    EXPECT_FALSE(esc_latch);
    EXPECT_TRUE(click_latch);  // a button held through the intro starts nothing
    EXPECT_EQ(screen_timer, 0);
    EXPECT_EQ(game_mode, FrontEnd);
}

TEST_F(FrontEndTest, AFaintFirstLogoLetsWhatIsUnderneathShowThrough) {
    makeLogos();
    intro_frame = 0;
    fade_alpha = 0;
    clear_to_color(buffer, makecol16(255, 255, 255));
    introStep(buffer);  // alpha 8 of 255
    int pixel = getpixel(buffer, 10, 10);
    EXPECT_GT(getb16(pixel), 200) << "mostly the white underneath";
    EXPECT_LT(getb16(pixel), 255) << "with a trace of the yellow logo";
}

}  // namespace
