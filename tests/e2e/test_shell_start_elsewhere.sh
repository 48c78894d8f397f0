#!/bin/bash
# The game started from a folder that does not hold its files, by its full
# path and through a symlink: it finds them beside the executable, keeps its
# score files there and writes nothing where it was started. On the way, the
# left button held over "Marathon Game" through ESC: the title comes back and
# stays, with no new round, until the button is pressed again.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

elsewhere="$E2E_WORK/elsewhere"
mkdir "$elsewhere"
ln -s "$E2E_RUN/zenvar" "$E2E_WORK/zenvar-link"

# start_from FOLDER PROGRAM: the game in FOLDER, as a launcher would start it.
start_from() {
    (cd "$1" && exec "$2" >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr") &
    E2E_GAME_PID=$!
}

quit_and_check() {
    xdotool mousemove 20 20
    e2e_key Escape
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "$1: ESC at the title ended the game with $E2E_EXIT"
    [ -z "$(ls -A "$elsewhere")" ] || e2e_fail "$1: wrote $(ls -A "$elsewhere") where it was started"
    e2e_check_score_files
    rm -f "$E2E_RUN"/*.dat
}

start_from "$elsewhere" "$E2E_RUN/zenvar"
e2e_wait_title 30 || e2e_fail "started elsewhere, the title never showed"

xdotool mousemove 250 245 mousedown 1
sleep 1
e2e_screenshot "$E2E_WORK/round.png"
e2e_text_shown "$E2E_WORK/round.png" normal 216 272 "2-Minute Game" && e2e_fail "the press did not start a round"
e2e_key Escape
e2e_wait_text 10 normal 216 272 "2-Minute Game" || e2e_fail "ESC did not bring the title back to stay"
sleep 2
e2e_screenshot "$E2E_WORK/held.png"
e2e_text_shown "$E2E_WORK/held.png" normal 216 272 "2-Minute Game" ||
    e2e_fail "the button held through ESC started a new round"
xdotool mouseup 1
quit_and_check "by its full path"

start_from "$elsewhere" "$E2E_WORK/zenvar-link"
e2e_wait_title 30 || e2e_fail "started through a symlink, the title never showed"
quit_and_check "through a symlink"
echo "PASS"
