#!/bin/bash
# Under Xwayland (Weston's, nested in Xvfb through its x11 back end, so the
# keyboard and pointer come from Weston as on a real desktop) the game is
# playable: it opens a window the compositor manages, a click on "Marathon
# Game" starts a round, ESC ends it, ESC at the title quits, the scores saved.
source "$(dirname "$0")/lib.sh"

e2e_need weston Xwayland xwininfo

# Weston's output is smaller than the Xvfb screen: the pointer can leave it.
e2e_setup "$1" 1280x800x24
mkdir -m 700 "$E2E_WORK/xdg"
# Its own HOME: Weston's defaults (the panel on top), not a user's weston.ini.
HOME="$E2E_WORK" XDG_RUNTIME_DIR="$E2E_WORK/xdg" weston --backend=x11-backend.so --xwayland \
    --socket=zenvar-wayland --width=1024 --height=768 --log="$E2E_WORK/weston.log" >/dev/null 2>&1 &
E2E_PIDS+=($!)
if ! e2e_poll 20 'grep -q "xserver listening on display" "$E2E_WORK/weston.log" 2>/dev/null'; then
    echo "SKIP: Weston with Xwayland cannot run here:"
    tail -n 5 "$E2E_WORK/weston.log" 2>/dev/null
    exit 0
fi
xwayland=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$E2E_WORK/weston.log" | head -n 1)

e2e_start_game env DISPLAY="$xwayland"
# The game's picture: its window's place on Xwayland's root is its place on
# Weston's output, which sits at the top left of the Xvfb screen. Weston puts
# the window in its frame a moment after it is mapped: wait until it stays.
game_window() { DISPLAY=$xwayland xwininfo -name Zenvar 2>/dev/null | grep -E "Absolute|Width|Height|Map State|Override"; }
e2e_poll 30 'geometry=$(game_window) && echo "$geometry" | grep -q "Width: 640" &&
    echo "$geometry" | grep -q "IsViewable" && sleep 0.5 && [ "$(game_window)" = "$geometry" ]' ||
    e2e_fail "no 640x480 game window on Xwayland"
window_x=$(echo "$geometry" | awk '/Absolute upper-left X/ { print $4 }')
window_y=$(echo "$geometry" | awk '/Absolute upper-left Y/ { print $4 }')
echo "$geometry" | grep -q "Override Redirect State: no" || e2e_fail "the game window is not managed by Weston"
echo "the game runs in a managed 640x480 window at +$window_x+$window_y on Xwayland $xwayland"
e2e_screenshot() { import -window root -crop "640x480+$window_x+$window_y" +repage "$1" 2>/dev/null; }

# Weston's x11 back end moves its pointer by the difference between X motion
# events, from where the pointer last entered its window: enter it once.
xdotool mousemove 1200 780
sleep 0.3
xdotool mousemove $((window_x + 320)) $((window_y + 400))
sleep 0.3

e2e_wait_title 40 || e2e_fail "the title never appeared"
e2e_click $((window_x + 300)) $((window_y + 248))
e2e_wait_round 10 || e2e_fail "a click on Marathon Game started no round"

# Away from the menu, which lights the item under the pointer.
xdotool mousemove $((window_x + 630)) $((window_y + 10))
e2e_key Escape
e2e_wait_title 10 || e2e_fail "ESC in the round did not lead back to the title"
e2e_key Escape
e2e_ended "by ESC at the title on Xwayland"
e2e_check_score_files
echo "PASS"
