# Sourced by the scripts and the end-to-end tests that need a screen.
#
# start_xvfb WORK_FOLDER [SCREEN]: starts Xvfb on a free display (SCREEN is its
# size and depth, 640x480x24 by default), logging to WORK_FOLDER/xvfb.log;
# sets XVFB_PID, exports DISPLAY once the server answers. Returns 1, the
# server's pid still in XVFB_PID for the caller's clean-up, when it does not.
start_xvfb() {
    local work=$1 screen=${2:-640x480x24} tries
    exec 9>"$work/display"
    # -noreset: by default the server resets when its last client leaves, and a
    # client connecting in that moment (just after the xdpyinfo below) is refused.
    Xvfb -displayfd 9 -screen 0 "$screen" -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    XVFB_PID=$!
    exec 9>&-
    for tries in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || return 1
    export DISPLAY=":$(head -n 1 "$work/display")"
    # The server must also answer before a client may try to open it.
    for tries in $(seq 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}

# xvfb_session [SCREEN]: a scratch folder in $work and Xvfb on it, both gone
# at exit with the game in $game_pid (set it when one starts). Exits 1 when
# the server does not start.
xvfb_session() {
    work=$(mktemp -d)
    xvfb_pid= game_pid=
    trap 'xvfb_session_end' EXIT
    start_xvfb "$work" "${1:-640x480x24}" || { xvfb_pid=$XVFB_PID; echo "Xvfb did not start" >&2; exit 1; }
    xvfb_pid=$XVFB_PID
}
xvfb_session_end() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
