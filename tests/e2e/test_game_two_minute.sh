#!/bin/bash
# A whole 2-Minute game flown by the autopilot build, menus and name entry by
# mouse: TIME OVER, the name typed and shown on the score screen (the table's
# fifth score is -1, so any score qualifies). Another copy then
# saves a better score and Ctrl+C ends this one: both names are kept.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

e2e_write_scores "$E2E_RUN/twominute.dat" 900 AAA 800 BBB 700 CCC 600 DDD -1 EEE
# A background job starts with SIGINT ignored; give the game the terminal's default.
E2E_GAME=zenvar-autopilot e2e_start_game env --default-signal=INT
window=$(e2e_wait_window 20) || e2e_fail "the game window never appeared"
xdotool mousemove --window "$window" 10 10
xdotool windowfocus --sync "$window"

e2e_wait_title 30 || e2e_fail "the title menu never appeared"
e2e_click 300 280
e2e_wait_round 10 || e2e_fail "a click on 2-Minute Game started no round"

# The clock runs out 121 seconds after "GO!!"; the letters stand from 1.6 s later.
sleep 112
end_shown() {
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended during the round"
    e2e_screenshot "$E2E_WORK/end.png"
    e2e_text_shown "$E2E_WORK/end.png" normal 240 224 "GAME" &&
        e2e_fail "the autopilot lost its last ship before the clock ran out (GAME OVER)"
    e2e_text_shown "$E2E_WORK/end.png" normal 240 224 "TIME" && e2e_text_shown "$E2E_WORK/end.png" normal 336 224 "OVER"
}
e2e_poll 40 end_shown || e2e_fail "TIME OVER was never shown"

# Name entry opens after the 300 frames of the end sequence.
e2e_wait_text 15 green 200 32 "Enter Your Name" || e2e_fail "name entry did not open for a qualifying score"
e2e_click 240 248   # E
e2e_click 320 264   # 2
e2e_click 240 248   # E
e2e_wait_text 3 normal 296 64 "E2E" || e2e_fail "the typed name is not shown"
e2e_click 320 312   # END!

# Back at the title; the two-minute table comes round after 1300 passes.
xdotool mousemove 630 10
e2e_wait_text 35 green 192 32 "Two  Min  Scores" || e2e_fail "the two-minute score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 416 112 "E2E" || e2e_fail "the new name is not at the top of the score screen"
e2e_text_shown "$E2E_WORK/last.png" normal 416 160 "AAA" || e2e_fail "the old best is not second on the score screen"

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
