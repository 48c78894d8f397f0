// zenvar-soak [FRAMES] [SEED]: plays the real game headless for FRAMES
// simulated frames (default 30000) with seeded random input across all three
// modes, checking the game's invariants after every frame and after every
// round. Exit code 0 when every check held.
#include <allegro.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "core/frame_clock.h"
#include "app/front_end.h"
#include "core/program.h"
#include "core/shell_state.h"
#include "play/gryffon.h"
#include "play/round_state.h"
#include "play/round_loop.h"
#include "soak/soak_allocations.h"
#include "soak/soak_checker.h"
#include "soak/soak_player.h"
#include "soak/soak_shell.h"

namespace {

const long DEFAULT_FRAMES = 30000;
const int FRAMES_PER_SECOND = 60;

SoakPlayer* player = nullptr;
SoakChecker checker;
long frames = 0;
long rounds[4] = {};
long restarts = 0;
GameMode mode_seen = FrontEnd;
unsigned seed = 1;
// Random flying rarely lasts two minutes; in every other timed round the soak
// tops up the last ship so the round runs until its clock does.
bool keep_alive = false;

[[noreturn]] void failAndExit(const std::string& what) {
    std::fprintf(stderr, "soak FAILED at frame %ld (seed %u): %s\n", frames, seed, what.c_str());
    std::exit(1);
}

void followRounds() {
    if (mode_seen == FrontEnd && game_mode != FrontEnd) {
        rounds[game_mode] += 1;
        keep_alive = game_mode != Marathon && rounds[game_mode] % 2 == 0;
        checker.roundStarted();
    } else if (mode_seen != FrontEnd && game_mode == FrontEnd) {
        if (!checker.checkRoundOver(liveAllocations())) failAndExit(checker.failure());
    }
    mode_seen = game_mode;
}

// Every wait of the game lands here instead of the 60 Hz tick: the end of a
// pass, a countdown rest, a step of the pause wait, a pass of name entry.
void simulatedFrame() {
    frames += 1;
    if (frames % FRAMES_PER_SECOND == 0) SoakShell::tickRoundClock();
    followRounds();
    if (keep_alive && end_counter == -1 && gryffon->getLives() == 1) gryffon->addLife();
    if (!checker.checkFrame()) failAndExit(checker.failure());
    if (!player->act()) failAndExit(player->violation());
}

// The main loop of the game; a quit from the title only restarts it, as a
// player starting the game again would.
void playFrames(long target) {
    while (frames < target) {
        if (!running) {
            running = true;
            restarts += 1;
        }
        if (intro_frame >= 0)
            introStep(back_buffer);
        else if (game_mode != FrontEnd)
            runPlayFrame(back_buffer);
        else
            frontEndPass(back_buffer);
        presentFrame(back_buffer, cursors);
    }
}

void report(double seconds) {
    std::printf("soak: %ld frames in %.1f s (%.0f frames/s), seed %u\n", frames, seconds, frames / seconds, seed);
    std::printf("soak: rounds marathon %ld, two-minute %ld, five-minute %ld; ended by the last ship %ld, "
                "by the clock %ld, ESC pressed %ld\n",
                rounds[Marathon], rounds[TwoMinute], rounds[FiveMinute], checker.endsByDeath(), checker.endsByTime(),
                player->escapesPressed());
    std::printf("soak: names typed %ld, pauses %ld, shapes drawn %ld, quits from the front end %ld\n",
                player->namesTyped(), player->pausesTaken(), player->shapesDrawn(), restarts);
    std::printf("soak: enemies spawned P %ld S %ld B %ld W %ld H %ld; at most %d enemies, %d gems, %d lasers\n",
                checker.kindCount('P'), checker.kindCount('S'), checker.kindCount('B'), checker.kindCount('W'),
                checker.kindCount('H'), checker.mostEnemies(), checker.mostGems(), checker.mostLasers());
}

}  // namespace

int main(int argc, char** argv) {
    long target = argc > 1 ? std::atol(argv[1]) : DEFAULT_FRAMES;
    seed = argc > 2 ? static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)) : 1;
    if (target <= 0) {
        std::fprintf(stderr, "usage: %s [FRAMES] [SEED]\n", argv[0]);
        return 2;
    }
    SoakShell shell;
    if (!shell.start()) return 1;
    srand(seed);
    player = new SoakPlayer(seed);
    checker.rememberShipEntries();
    frame_wait_override = simulatedFrame;

    auto started = std::chrono::steady_clock::now();
    playFrames(target);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

    frame_wait_override = nullptr;
    report(seconds);
    delete player;
    int left_over = shell.stop();
    if (left_over != 0) {
        std::fprintf(stderr, "soak FAILED: %d bitmaps still in the graphic library at shut-down\n", left_over);
        return 1;
    }
    std::printf("soak: all checks held\n");
    return 0;
}
