#!/bin/bash
# The close button and the quit signals end the game through its normal
# shut-down: exit 0, score files written, no crash nor Allegro's own handler.
# The close button in a round and in the pause, SIGHUP at the title, SIGTERM
# in a round (Ctrl+C ends the two-minute game; the missing-assets scenario
# closes its silent run in the intro).
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# start [round]: a game at its live title, or in a running round.
start() {
    # A background job starts with SIGINT ignored, and a game started so keeps it
    # ignored: give it the terminal's default.
    e2e_start_game env --default-signal=INT
    window=$(e2e_wait_window 20) || e2e_fail "the game window never appeared"
    e2e_wait_title 30 || e2e_fail "the title never appeared"
    [ "${1:-}" = round ] || return 0
    e2e_click 300 248
    e2e_wait_round 10 || e2e_fail "no round started"
    e2e_screenshot "$E2E_WORK/a.png"
    sleep 0.3
    e2e_screenshot "$E2E_WORK/b.png"
    [ "$(changed a b)" -gt 1000 ] || e2e_fail "the round does not move"
}

# changed A B: how many pixels differ between two screenshots.
changed() { compare -metric AE "$E2E_WORK/$1.png" "$E2E_WORK/$2.png" null: 2>&1 | cut -d' ' -f1; }

# close_game WHERE [SIGNAL]: the close button, or the signal, and a normal shut-down.
close_game() {
    if [ -n "${2:-}" ]; then kill "-$2" "$E2E_GAME_PID"; else e2e_close_window "$window"; fi
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "the game ended $1 with $E2E_EXIT"
    ! grep -q "Shutting down Allegro" "$E2E_WORK/stderr" || e2e_fail "Allegro's own handler ran $1"
    e2e_check_score_files
    rm -f "$E2E_RUN"/*.dat
    echo "closed $1: normal shut-down"
}

start
close_game "by SIGHUP at the title" HUP
start round
close_game "by SIGTERM in a round" TERM
start round
close_game "by the close button in a round"
start round
e2e_key p
sleep 0.5
e2e_screenshot "$E2E_WORK/a.png"
sleep 0.5
e2e_screenshot "$E2E_WORK/b.png"
[ "$(changed a b)" -lt 300 ] || e2e_fail "P did not pause"
close_game "by the close button in the pause"
echo "PASS"
