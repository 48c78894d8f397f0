#!/usr/bin/env bash
# Zenvar performance check.
#
#   scripts/bench.sh            build in Release and print the frame-cost table
#   scripts/bench.sh --session  also run the real game under Xvfb and measure
#                               start-up time, peak memory and file access in play
#   scripts/bench.sh --process  also measure the whole process's CPU per frame on
#                               Xvfb against the bare frame tail (process_bench.sh)
#
# The table comes from zenvar-bench (headless, real Allegro, no vsync or tick
# wait). The session part drives the real binary with xdotool: intro, title,
# a marathon round with the fire button held, ESC, ESC.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/xvfb.sh"
build=${ZENVAR_BENCH_BUILD_DIR:-$root/build-release}
session=0
process=0
for arg in "$@"; do
    case $arg in
        --session) session=1 ;;
        --process) process=1 ;;
        *) echo "usage: $0 [--session] [--process]" >&2; exit 2 ;;
    esac
done

# The autopilot build lives with the tests.
tests=$([ "$process" = 1 ] && echo ON || echo OFF)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZENVAR_TESTS="$tests" >/dev/null
cmake --build "$build" -j2 --target zenvar-bench zenvar assets patches >/dev/null
[ "$process" = 0 ] ||
    cmake --build "$build" -j2 --target zenvar-autopilot zenvar-frame-tail zenvar-startup-probe >/dev/null
run="$build/run"

status=0
"$build/bench/zenvar-bench" "$run" || status=$?
[ "$process" = 0 ] || "$root/scripts/process_bench.sh" "$build" || status=$?
[ "$session" = 1 ] || exit $status

# ---------------------------------------------------------------- session ----
for tool in Xvfb xdotool strace /usr/bin/time xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "session: $tool is missing" >&2; exit 2; }
done

xvfb_session 640x480x16

# The game rewrites the score files at exit: play on a copy of the run folder.
cp -r "$run" "$work/run"
cd "$work/run"

wait_for_window() {
    for _ in $(seq 100); do
        win=$(xdotool search --name '^Zenvar$' 2>/dev/null | head -1) && [ -n "$win" ] && { echo "$win"; return 0; }
        sleep 0.1
    done
    return 1
}
hold_key() { xdotool keydown "$1"; sleep 0.2; xdotool keyup "$1"; }

# 1. Start-up, five times: trace the main thread's sleeps and X requests with
#    timestamps. The start-up grid's rest is the only 1.5 s sleep; the time
#    before it plus the time from its end to the first X request of the first
#    intro pass is the start-up cost. The game is ended with SIGKILL once the
#    intro runs (a copy of the run folder, so no score file is at stake). The
#    median is judged: a busy machine can stretch a single run.
startup_awk='
    # Lines: "PID TIME syscall(...) = R <DURATION>" or "PID TIME <... syscall resumed>...";
    # a finished call shows its end time on a resumed line, its start time otherwise.
    NR == 1 { main = $1; launch = $2 }
    $1 != main { next }
    /<[0-9.]+>$/ {
        d = $NF; gsub(/[<>]/, "", d); d += 0
        resumed = ($3 == "<...")
        name = resumed ? $4 : $3; sub(/\(.*/, "", name)
        start = resumed ? $2 - d : $2 + 0
        if (!rest_end && d > 1.3 && d < 1.8 && name ~ /sleep|select/) { rest_start = start; rest_end = start + d; next }
        if (rest_end && !first_after && start >= rest_end && name ~ /^(writev|sendmsg|write)$/) first_after = start
    }
    END {
        if (!rest_end || !first_after) exit 1
        printf "%.1f %.1f\n", (rest_start - launch) * 1000, (first_after - rest_end) * 1000
    }
'
totals=()
for attempt in 1 2 3 4 5; do
    strace -f -ttt -T -o "$work/startup.trace" \
        -e trace=execve,nanosleep,clock_nanosleep,select,pselect6,poll,ppoll,writev,sendmsg,write \
        ./zenvar >/dev/null 2>&1 &
    tracer=$!
    # Wait until the first intro pass is in the trace (a cold start can be slow).
    for _ in $(seq 40); do
        sleep 0.25
        awk "$startup_awk" "$work/startup.trace" >/dev/null 2>&1 && break
    done
    traced=$(pgrep -P "$tracer" || true)
    [ -n "$traced" ] && kill -KILL $traced 2>/dev/null || true
    wait "$tracer" 2>/dev/null || true
    if read -r before after < <(awk "$startup_awk" "$work/startup.trace"); then
        total=$(awk -v b="$before" -v a="$after" 'BEGIN { printf "%.1f", b + a }')
        echo "start-up run $attempt (under strace): $before ms to the grid + $after ms from the end of its rest to the first intro pass = $total ms"
        totals+=("$total")
    else
        echo "start-up run $attempt: the 1.5 s rest was not found in the trace"
    fi
done
if [ ${#totals[@]} -gt 0 ]; then
    median=$(printf '%s\n' "${totals[@]}" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
    echo "start-up beyond the 1.5 s rest, median of ${#totals[@]}: $median ms (target < 250 ms)"
    awk -v m="$median" 'BEGIN { exit !(m < 250) }' || status=1
else
    status=1
fi

# 2. A full session under /usr/bin/time: intro, title, 40 s of marathon play
#    with fire held and the ship moving, ESC back to the title, ESC to quit.
#    While playing, strace counts the system calls and records any file opened.
/usr/bin/time -v -o "$work/time.txt" ./zenvar >/dev/null 2>&1 &
timer_pid=$!
sleep 1
game_pid=$(pgrep -P "$timer_pid" zenvar || true)
win=$(wait_for_window) || { echo "session: no game window" >&2; exit 1; }
sleep 8  # grid, intro and title fade-in
xdotool mousemove --window "$win" 230 245
sleep 0.3
xdotool mousedown 1; sleep 0.2; xdotool mouseup 1
sleep 4  # countdown and GO!!
xdotool mousemove --window "$win" 320 60 mousedown 1
for dir in Left Up Right Down; do xdotool keydown "$dir"; sleep 1; xdotool keyup "$dir"; done
timeout -s INT 20 strace -C -S calls -f -p "$game_pid" -o "$work/play.trace" >/dev/null 2>&1 || true
xdotool mouseup 1
hold_key Escape
sleep 2
hold_key Escape
# A round lost before the ESC opens name entry, which only the mouse leaves.
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then
    echo "session: the game did not quit on ESC; ended with SIGKILL"
    kill -KILL "$game_pid"
fi
wait "$timer_pid" || true
game_pid=

rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
echo "peak resident memory over the session: $(( rss / 1024 )) MB (${rss} kB; target < 40 MB)"
[ "$rss" -lt $(( 40 * 1024 )) ] || status=1
echo "system calls over 20 s of steady play (strace -C):"
sed -n '/^% time/,$p' "$work/play.trace"
opened=$(grep -E '(open|openat)\(' "$work/play.trace" | grep -o '"[^"]*"' || true)
echo "files opened in those 20 s: $(printf '%s' "$opened" | grep -c . || true)"
[ -z "$opened" ] || printf '%s\n' "$opened" | sort | uniq -c | sort -rn | head -30
exit $status
