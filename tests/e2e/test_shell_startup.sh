#!/bin/bash
# A normal run of the game: the white start-up grid, a quiet title screen (it
# must wait for the frame tick, not spin), ESC to quit, exit code 0 and the
# three score files written at shut-down. Without a sound card it is silent on
# the terminal too: ALSA's complaints about the missing card are not shown.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

e2e_start_game
window=$(e2e_wait_window Zenvar 20) || e2e_fail "the game window never appeared"

# The grid: white lines every 16 pixels on the black buffer, shown for 1.5 s.
grid_seen=""
for attempt in 1 2 3 4 5 6 7 8 9 10; do
    e2e_screenshot "$E2E_WORK/grid.png"
    if [ "$(e2e_pixel "$E2E_WORK/grid.png" 16 100)" = "255,255,255" ] &&
        [ "$(e2e_pixel "$E2E_WORK/grid.png" 100 16)" = "255,255,255" ] &&
        [ "$(e2e_pixel "$E2E_WORK/grid.png" 639 479)" = "0,0,0" ] &&
        [ "$(e2e_pixel "$E2E_WORK/grid.png" 8 8)" = "0,0,0" ]; then
        grid_seen=yes
        break
    fi
    sleep 0.1
done
[ -n "$grid_seen" ] || e2e_fail "the start-up grid was not shown"
# The last vertical line sits at x = 624 and the last horizontal one at y = 464.
[ "$(e2e_pixel "$E2E_WORK/grid.png" 624 300)" = "255,255,255" ] || e2e_fail "grid line x = 624 missing"
[ "$(e2e_pixel "$E2E_WORK/grid.png" 300 464)" = "255,255,255" ] || e2e_fail "grid line y = 464 missing"

# Grid 1.5 s, intro 280 passes, title fade-in 32 passes: the live title by ~7 s.
sleep 8
kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game ended on its own"
cpu=$(e2e_cpu_percent "$E2E_GAME_PID" 3)
echo "CPU use at the title: ${cpu}% of one core"
[ "$cpu" -lt 50 ] || e2e_fail "the title screen uses ${cpu}% of a core"

xdotool mousemove 20 20
e2e_key Escape
e2e_wait_exit 15
[ "$E2E_EXIT" = 0 ] || e2e_fail "ESC at the title ended the game with $E2E_EXIT"
e2e_check_score_files
if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
    [ ! -s "$E2E_WORK/stderr" ] || e2e_fail "a start without a sound card wrote: $(head -n 2 "$E2E_WORK/stderr")"
fi
echo "PASS"
