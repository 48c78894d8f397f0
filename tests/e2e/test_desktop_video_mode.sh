#!/bin/bash
# On a real Xorg server (the dummy video driver, a 1920x1080 desktop that also
# offers 640x480) full screen switches the video mode. However the game ends,
# the desktop's own mode comes back: killed with SIGKILL, its guardian puts it
# back; after ESC the game has restored it and the guardian leaves untouched.
source "$(dirname "$0")/lib.sh"

e2e_need Xorg xvidtune
driver=$(ls /usr/lib/xorg/modules/drivers/dummy_drv.so 2>/dev/null) ||
    { echo "SKIP: the Xorg dummy video driver is not installed (xserver-xorg-video-dummy)"; exit 0; }

e2e_copy_run "$1"

# No input devices of the machine, no system configuration: only the dummy
# screen, driven through XTEST.
mkdir -p "$E2E_WORK/xorg.conf.d"
cat >"$E2E_WORK/xorg.conf" <<'CONF'
Section "ServerFlags"
    Option "AutoAddDevices" "false"
    Option "AutoEnableDevices" "false"
    Option "DontVTSwitch" "true"
EndSection
Section "Device"
    Identifier "dummy"
    Driver "dummy"
    VideoRam 16384
EndSection
Section "Monitor"
    Identifier "monitor"
    HorizSync 28.0-80.0
    VertRefresh 48.0-75.0
    Modeline "1920x1080" 148.50 1920 2008 2052 2200 1080 1084 1089 1125 +hsync +vsync
    Modeline "640x480" 25.18 640 656 752 800 480 490 492 525 -hsync -vsync
EndSection
Section "Screen"
    Identifier "screen"
    Device "dummy"
    Monitor "monitor"
    DefaultDepth 24
    SubSection "Display"
        Depth 24
        Modes "1920x1080" "640x480"
        Virtual 1920 1080
    EndSubSection
EndSection
CONF
exec 9>"$E2E_WORK/display"
Xorg -displayfd 9 -config "$E2E_WORK/xorg.conf" -configdir "$E2E_WORK/xorg.conf.d" \
    -logfile "$E2E_WORK/xorg.log" -noreset -nolisten tcp >"$E2E_WORK/xorg.out" 2>&1 &
E2E_PIDS+=($!)
exec 9>&-
if ! e2e_poll 15 '[ -s "$E2E_WORK/display" ]'; then
    echo "SKIP: Xorg with the dummy driver cannot run here:"
    grep -E '\(EE\)|Fatal' "$E2E_WORK/xorg.log" "$E2E_WORK/xorg.out" 2>/dev/null | head -n 5
    exit 0
fi
export DISPLAY=":$(head -n 1 "$E2E_WORK/display")"
e2e_poll 10 'xdpyinfo >/dev/null 2>&1' || e2e_fail "Xorg on $DISPLAY does not answer"

# mode: the width x height the video mode shows now.
mode() { xvidtune -show 2>/dev/null | awk 'NF { print $3 "x" $7; exit }'; }
desktop=$(mode)
[ "$desktop" = 1920x1080 ] || e2e_fail "the desktop starts at $desktop, not 1920x1080"

# guardians: the guardian processes running in this scenario's run folder.
guardians() {
    local pid
    for pid in $(pgrep -x zenvar-guardian); do
        [ "$(readlink "/proc/$pid/cwd")" = "$E2E_RUN" ] && echo "$pid"
    done
}

start_full_screen() {
    e2e_start_game
    e2e_poll 20 '[ "$(mode)" = 640x480 ]' || e2e_fail "full screen did not switch to 640x480 (now $(mode))"
    local guardian
    guardian=$(guardians)
    [ -n "$guardian" ] || e2e_fail "no guardian runs beside the game in full screen"
    # While it waits it holds no connection to the server (nor the game's).
    ! ls -l "/proc/$guardian/fd" | grep -q 'socket:' || e2e_fail "the waiting guardian holds a socket"
}

# Killed in full screen: the mode comes back and the guardian is gone.
start_full_screen
kill -KILL "$E2E_GAME_PID"
killed=$(date +%s%N)
wait "$E2E_GAME_PID" 2>/dev/null
E2E_GAME_PID=""
e2e_poll 5 '[ "$(mode)" = "$desktop" ]' || e2e_fail "after SIGKILL the desktop stays at $(mode)"
echo "SIGKILL in full screen: the desktop is back at $desktop after $((($(date +%s%N) - killed) / 1000000)) ms"
e2e_poll 5 '[ -z "$(guardians)" ]' || e2e_fail "the guardian outlives the killed game"

# ESC: the game restores the mode itself, saves its scores, and leaves no guardian.
start_full_screen
e2e_wait_title 30 || e2e_fail "the title never appeared in full screen"
e2e_quit "full screen on Xorg"
[ "$(mode)" = "$desktop" ] || e2e_fail "after ESC the desktop is at $(mode)"
e2e_check_score_files
e2e_poll 2 '[ -z "$(guardians)" ]' || e2e_fail "a guardian is left after a normal exit"
echo "PASS"
