#!/bin/bash
# A whole session as a player has it: the white start-up grid, the logo intro,
# the title; a Marathon game with the HUD, moving, firing and a triangle drawn
# with three right-clicks (the "TRIANGLE" banner must blink at the top); ESC
# back to the title and ESC again to quit: exit code 0 and three 35-byte
# score files.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# mean_brightness SHOT: 0..1.
mean_brightness() {
    convert "$1" -colorspace Gray -format '%[fx:mean]' info:
}

e2e_start_game
window=$(e2e_wait_window Zenvar 20) || e2e_fail "the game window never appeared"

grid=""
for attempt in $(seq 1 20); do
    e2e_screenshot "$E2E_WORK/grid.png"
    if [ "$(e2e_pixel "$E2E_WORK/grid.png" 16 100)" = "255,255,255" ] &&
        [ "$(e2e_pixel "$E2E_WORK/grid.png" 8 8)" = "0,0,0" ]; then
        grid=yes
        break
    fi
    sleep 0.1
done
[ -n "$grid" ] || e2e_fail "the start-up grid was not shown"

# The intro: a logo over a black screen, no longer the grid.
intro=""
for attempt in $(seq 1 30); do
    e2e_screenshot "$E2E_WORK/intro.png"
    if [ "$(e2e_pixel "$E2E_WORK/intro.png" 16 100)" != "255,255,255" ] &&
        awk -v m="$(mean_brightness "$E2E_WORK/intro.png")" 'BEGIN { exit !(m > 0.03) }'; then
        intro=yes
        break
    fi
    sleep 0.2
done
[ -n "$intro" ] || e2e_fail "no intro logo was shown after the grid"
echo "grid and intro shown"

e2e_wait_title 30 || e2e_fail "the title menu never appeared"
e2e_text_shown "$E2E_WORK/last.png" normal 288 336 "Exit" || e2e_fail "the title has no Exit item"
xdotool mousemove --window "$window" 300 248
xdotool windowfocus --sync "$window" 2>/dev/null
e2e_click 300 248

# After the countdown: the HUD of a Marathon game, three ships, no clock.
e2e_wait_text 10 green 0 0 "Score" || e2e_fail "the round's HUD never appeared"
e2e_text_shown "$E2E_WORK/last.png" green 0 464 "Rest" || e2e_fail "no \"Rest\" line"
e2e_text_shown "$E2E_WORK/last.png" normal 80 464 "2" || e2e_fail "three ships should leave 2 in reserve"
e2e_text_shown "$E2E_WORK/last.png" normal 512 464 "TIME" && e2e_fail "a Marathon game shows a clock"
echo "round running"
# The HUD is drawn from the countdown on, and the countdown reads no input:
# wait until its digits have gone.
for tries in $(seq 40); do
    e2e_screenshot "$E2E_WORK/last.png"
    e2e_text_shown "$E2E_WORK/last.png" normal 280 224 "3" || break
    sleep 0.1
done

# The triangle of the controls screen: three right-clicks, placed first while
# the new ship blinks and cannot be hit (a hit clears the points). A click
# lost under load spoils an attempt; its stray points vanish after 200
# frames, well inside one attempt's look for the banner.
banner=""
for attempt in 1 2 3; do
    e2e_click 94 184 3
    e2e_click 44 284 3
    e2e_click 144 284 3
    # The banner blinks for about 6.7 s: look for all of it.
    if e2e_wait_text 6 normal 256 0 "TRIANGLE"; then
        banner=yes
        break
    fi
done
[ -n "$banner" ] || e2e_fail "the TRIANGLE banner did not show after three right-clicks"
echo "TRIANGLE banner shown"

# Fly a little and fire a burst at the top of the field.
xdotool keydown Left
sleep 0.4
xdotool keyup Left keydown w
sleep 0.3
xdotool keyup w
xdotool mousemove 320 40 mousedown 1
sleep 0.8
xdotool mouseup 1

kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended during the round"

xdotool mousemove 630 10
e2e_key Escape
e2e_wait_title 10 || e2e_fail "ESC in the round did not return to the title"
kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "ESC in the round ended the program"
echo "back at the title"

e2e_key Escape
e2e_wait_exit 15
[ "$E2E_EXIT" = 0 ] || e2e_fail "ESC at the title ended the game with $E2E_EXIT"
e2e_check_score_files
echo "PASS"
