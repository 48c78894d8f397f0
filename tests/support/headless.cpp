#include "support/headless.h"

#include "app/headless_platform.h"
#include "core/frame_clock.h"

namespace testing_support {

namespace {
BITMAP* screen_stand_in = nullptr;
std::function<void()> frame_script;
long presented = 0;

void simulatedWait() {
    ++presented;
    if (frame_script) frame_script();
}
}  // namespace

void initHeadlessAllegro() {
    if (screen_stand_in) return;
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
    for (auto& axis : joy[0].stick[0].axis) axis.d1 = axis.d2 = axis.pos = 0;
}

void setMouse(int x, int y, int buttons) {
    mouse_x = x;
    mouse_y = y;
    mouse_b = buttons;
}

}  // namespace testing_support
