#!/bin/bash
# A whole 2-Minute game, played to the end of its clock: "TIME 120" when it
# starts, TIME OVER when the clock runs out, the name typed with the mouse on
# the on-screen keyboard, and the name both in the saved table and on the
# two-minute score screen. The fifth score of the crafted table is -1, so any
# score qualifies. The ship is flown by the autopilot build of the game
# (zenvar-autopilot), which dodges and fires; the menus and the name entry are
# worked with the real mouse. At the end another copy of the game saves a
# better score, and Ctrl+C ends this one: both names are kept. Takes about
# three minutes.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

e2e_write_scores "$E2E_RUN/twominute.dat" 900 AAA 800 BBB 700 CCC 600 DDD -1 EEE
# A background job starts with SIGINT ignored; give the game the terminal's default.
E2E_GAME=zenvar-autopilot e2e_start_game env --default-signal=INT
window=$(e2e_wait_window Zenvar 20) || e2e_fail "the game window never appeared"
xdotool mousemove --window "$window" 10 10
xdotool windowfocus --sync "$window"

e2e_wait_title 30 || e2e_fail "the title menu never appeared"
e2e_click 300 280

# The clock shows 120 only for the first second after the countdown: shoot
# the screen as fast as possible and look afterwards.
# The countdown takes 2.25 s; shoot for six seconds.
shots=0
until_time=$((SECONDS + 6))
while [ "$SECONDS" -lt "$until_time" ]; do
    shots=$((shots + 1))
    e2e_screenshot "$E2E_WORK/start-$(printf %03d "$shots").png"
done
time_shown=""
for shot in "$E2E_WORK"/start-*.png; do
    if e2e_text_shown "$shot" normal 512 464 "TIME 120"; then
        time_shown=yes
        break
    fi
done
[ -n "$time_shown" ] || e2e_fail "\"TIME 120\" was not shown at the start of the round"
e2e_text_shown "$E2E_WORK/start-$(printf %03d "$shots").png" normal 512 464 "TIME 1" ||
    e2e_fail "no TIME display a few seconds in"
echo "round started with TIME 120"

# The clock runs out 121 seconds after "GO!!"; the letters stand from 1.6 s later.
sleep 110
over=""
for attempt in $(seq 1 120); do
    e2e_screenshot "$E2E_WORK/end.png"
    if e2e_text_shown "$E2E_WORK/end.png" normal 240 224 "TIME" &&
        e2e_text_shown "$E2E_WORK/end.png" normal 336 224 "OVER"; then
        over=time
        break
    fi
    if e2e_text_shown "$E2E_WORK/end.png" normal 240 224 "GAME"; then
        over=game
        break
    fi
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended during the round"
    sleep 0.25
done
[ "$over" = game ] && e2e_fail "the autopilot lost its last ship before the clock ran out (GAME OVER)"
[ "$over" = time ] || e2e_fail "TIME OVER was never shown"
echo "TIME OVER shown"

# Name entry opens after the 300 frames of the end sequence.
e2e_wait_text 15 green 200 32 "Enter Your Name" || e2e_fail "name entry did not open for a qualifying score"
e2e_click 240 248   # E
e2e_click 320 264   # 2
e2e_click 240 248   # E
e2e_wait_text 3 normal 296 64 "E2E" || e2e_fail "the typed name is not shown"
e2e_click 320 312   # END!
echo "name typed"

# Back at the title; the two-minute table comes round after 1300 passes.
xdotool mousemove 630 10
e2e_wait_text 35 green 192 32 "Two  Min  Scores" || e2e_fail "the two-minute score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 416 112 "E2E" || e2e_fail "the new name is not at the top of the score screen"
e2e_text_shown "$E2E_WORK/last.png" normal 416 160 "AAA" || e2e_fail "the old best is not second on the score screen"
echo "name on the score screen"

e2e_write_scores "$E2E_RUN/twominute.dat" 9999999 OTH 900 AAA 800 BBB 700 CCC 600 DDD
kill -INT "$E2E_GAME_PID"
e2e_wait_exit 15
[ "$E2E_EXIT" = 0 ] || e2e_fail "Ctrl+C on the score screen ended the game with $E2E_EXIT"
e2e_check_score_files
[ "$(e2e_score_row "$E2E_RUN/twominute.dat" 0)" = "9999999 OTH" ] || e2e_fail "the other copy's score was lost"
read -r score name <<<"$(e2e_score_row "$E2E_RUN/twominute.dat" 1)"
[ "$name" = E2E ] || e2e_fail "row 1 of twominute.dat holds \"$name\", not E2E"
[ "$score" -gt 900 ] || e2e_fail "row 1 of twominute.dat holds score $score"
[ "$(e2e_score_row "$E2E_RUN/twominute.dat" 2)" = "900 AAA" ] || e2e_fail "the old rows did not move down"
[ "$(e2e_score_row "$E2E_RUN/twominute.dat" 4)" = "700 CCC" ] || e2e_fail "the old third row is not last"
echo "saved beside the other copy's score: $score E2E"
echo "PASS"
