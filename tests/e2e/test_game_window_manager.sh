#!/bin/bash
# The game in a window of a desktop: a 1920x1080x24 screen under openbox, with
# another program's window beside it. Full screen is refused while that
# program holds the pointer (xwininfo waiting for its click), and the game
# opens a window. Giving the focus to the other window leaves the title
# running, but pauses a round as P does: "Pause!" and a still picture until P
# in the game's window. Minimised and restored it plays on; its close button
# in the pause quits with 0 and the scores saved.
source "$(dirname "$0")/lib.sh"
e2e_need openbox wmctrl xmessage xwininfo
e2e_setup "$1" 1920x1080x24
e2e_openbox
e2e_capture_sound  # no sound card: a file, so nothing is said on the terminal

xmessage -geometry +20+20 "another program" 2>/dev/null &
E2E_PIDS+=($!)
e2e_poll 10 'OTHER=$(xdotool search --class xmessage | head -n 1); [ -n "$OTHER" ]' || e2e_fail "no other window"
xwininfo >/dev/null &
GRABBER_PID=$!
sleep 0.3
e2e_start_game
e2e_poll 20 'wmctrl -l | grep -q " Zenvar$"' ||
    e2e_fail "the game's window never came up under the window manager (full screen was not refused?)"
xdotool mousemove 5 1000 click 1  # the grab's own click ends xwininfo
e2e_poll 5 '! kill -0 "$GRABBER_PID" 2>/dev/null' || e2e_fail "xwininfo kept the pointer"
GAME=$(wmctrl -l | awk '/ Zenvar$/ { print $1 }')
read -r x y w h < <(xwininfo -id "$GAME" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
[ "$w"x"$h" = 640x480 ] || e2e_fail "the game's window is ${w}x$h, not 640x480"
echo "windowed: 640x480 at +$x+$y on 1920x1080, framed by openbox"
E2E_CROP=640x480+$x+$y
at() { echo $(($1 + x)) $(($2 + y)); }
focus_other() { xdotool windowactivate --sync "$OTHER" 2>/dev/null; sleep 0.3; }
focus_game() { xdotool windowactivate --sync "$GAME" 2>/dev/null; sleep 0.3; }
# still SECONDS: the game's picture does not change in that time, though the
# pointer moves over it (a running game draws its cursor where it goes).
still() {
    xdotool mousemove $(at 320 400)
    sleep 0.1
    e2e_screenshot "$E2E_WORK/still1.png"
    xdotool mousemove $(at 360 420)
    sleep "$1"
    e2e_screenshot "$E2E_WORK/still2.png"
    [ "$(e2e_changed still1 still2)" = 0 ]
}
paused_shown() { e2e_screenshot "$1" && e2e_text_shown "$1" normal 272 224 "Pause!"; }

focus_game
e2e_wait_title 40 || e2e_fail "the title never appeared in the game's window"
focus_other
still 0.5 && e2e_fail "the title stood still while another window had the focus"

focus_game
e2e_click $(at 300 280)
e2e_wait_round 15 || e2e_fail "no two-minute round started"
sleep 1
focus_other
paused_shown "$E2E_WORK/away.png" || e2e_fail "the round did not pause when the focus went to another window"
still 2 || e2e_fail "the round went on while another window had the focus"
focus_game
paused_shown "$E2E_WORK/back.png" || e2e_fail "the focus coming back resumed the round without P"
e2e_key p
sleep 0.3
e2e_screenshot "$E2E_WORK/resumed.png"
e2e_text_shown "$E2E_WORK/resumed.png" normal 272 224 "Pause!" && e2e_fail "P did not resume the round"
still 0.5 && e2e_fail "the round stood still after P"

xdotool windowminimize --sync "$GAME"
sleep 0.5
wmctrl -i -a "$GAME"
sleep 0.5
paused_shown "$E2E_WORK/restored.png" || e2e_fail "minimised, the round did not pause"
e2e_key p
sleep 0.3
still 0.5 && e2e_fail "the round did not play on after minimising and restoring"
e2e_screenshot "$E2E_WORK/playing.png"
e2e_text_shown "$E2E_WORK/playing.png" green 0 0 "Score" || e2e_fail "no round on the screen after restoring"

e2e_key p
sleep 0.3
paused_shown "$E2E_WORK/paused.png" || e2e_fail "P did not pause the round"
wmctrl -c Zenvar
e2e_ended "by the close button in the pause"
e2e_check_score_files
echo "PASS"
