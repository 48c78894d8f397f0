#include "support/headless.h"

#include "core/frame_clock.h"
#include "app/headless_platform.h"

namespace testing_support {

namespace {
bool initialised = false;
BITMAP* screen_stand_in = nullptr;
std::function<void()> frame_script;
long presented = 0;

void simulatedWait() {
    ++presented;
    if (frame_script) frame_script();
}
}  // namespace

void initHeadlessAllegro() {
    if (initialised) return;
    initialised = true;
    screen_stand_in = startHeadlessPlatform();
    frame_wait_override = simulatedWait;
}

BITMAP* fakeScreen() { return screen_stand_in; }

void setFrameScript(std::function<void()> script) { frame_script = std::move(script); }
void clearFrameScript() { frame_script = nullptr; }
long framesPresented() { return presented; }

void releaseAllInput() {
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    mouse_b = 0;
    for (int a = 0; a < 2; ++a) {
        joy[0].stick[0].axis[a].d1 = 0;
        joy[0].stick[0].axis[a].d2 = 0;
        joy[0].stick[0].axis[a].pos = 0;
    }
}

int rgb16(int r, int g, int b) { return makecol16(r, g, b); }

}  // namespace testing_support
