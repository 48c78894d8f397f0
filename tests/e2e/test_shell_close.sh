#!/bin/bash
# The window's close button ends the game from every screen through the normal
# shut-down: exit code 0 and the three score files written. Tried during the
# intro, at the title, in a round and in the pause. Ctrl+C, a kill and a
# closed terminal (SIGINT, SIGTERM, SIGHUP) do the same at the title and in a
# round, without Allegro's own "Shutting down" handler or a crash.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# close_game WHERE WINDOW [SIGNAL]: presses the close button, or sends the
# signal, and checks the shut-down.
close_game() {
    local where=$1 window=$2 signal=${3:-}
    if [ -n "$signal" ]; then
        kill "-$signal" "$E2E_GAME_PID"
        where="by SIG$signal $where"
    else
        e2e_close_window "$window"
    fi
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "the game ended $where with $E2E_EXIT"
    ! grep -q "Shutting down Allegro" "$E2E_WORK/stderr" || e2e_fail "Allegro's own handler ran $where"
    e2e_check_score_files
    rm -f "$E2E_RUN"/*.dat
    echo "closed $where: normal shut-down"
}

start() {
    e2e_start_game "$@"
    window=$(e2e_wait_window Zenvar 20) || e2e_fail "the game window never appeared"
}

# pixels_changed A B: how many pixels differ between two screenshots.
pixels_changed() {
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# From the live title, click "Marathon Game" and let the countdown pass; the
# screen must then be a moving round, not the title.
start_round() {
    sleep 8
    e2e_screenshot "$E2E_WORK/title.png"
    xdotool mousemove 300 248
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 5
    e2e_screenshot "$E2E_WORK/round1.png"
    sleep 0.3
    e2e_screenshot "$E2E_WORK/round2.png"
    [ "$(pixels_changed "$E2E_WORK/title.png" "$E2E_WORK/round1.png")" -gt 50000 ] ||
        e2e_fail "no round started"
    [ "$(pixels_changed "$E2E_WORK/round1.png" "$E2E_WORK/round2.png")" -gt 1000 ] ||
        e2e_fail "the round does not move"
}

# The intro runs from 1.5 s to about 6 s after the window opens.
start
sleep 3
close_game "during the intro" "$window"

# The live title: after the intro and the 32-pass fade-in.
start
sleep 8
close_game "at the title" "$window"

# In a round.
start
start_round
close_game "in a round" "$window"

# In the pause: the picture stands still.
start
start_round
e2e_key p
sleep 0.5
e2e_screenshot "$E2E_WORK/pause1.png"
sleep 0.5
e2e_screenshot "$E2E_WORK/pause2.png"
[ "$(pixels_changed "$E2E_WORK/pause1.png" "$E2E_WORK/pause2.png")" -lt 300 ] || e2e_fail "P did not pause"
close_game "in the pause" "$window"

# A background job starts with SIGINT ignored, and a game started so keeps it
# ignored: give it the terminal's default.
for signal in INT TERM HUP; do
    start env --default-signal=INT
    sleep 8
    close_game "at the title" "$window" "$signal"
    start env --default-signal=INT
    start_round
    close_game "in a round" "$window" "$signal"
done
echo "PASS"
