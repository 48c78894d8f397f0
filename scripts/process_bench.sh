#!/usr/bin/env bash
# Whole-process CPU of the real game on a real X display, against the bare
# frame tail measured in the same run.
#
#   scripts/process_bench.sh BUILD [ROUNDS [OTHER_BUILD...]]
#
# BUILD is a build folder holding run/zenvar, run/zenvar-autopilot and
# bench/zenvar-frame-tail. On Xvfb 640x480x16, each round measures, one after
# the other: the bare frame tail, the title and attract screens, a Marathon
# round flown by the autopilot and a Marathon round with fire held through
# xdotool. A scene's cost is utime+stime of the whole process (every thread)
# from /proc/PID/stat over a window of WINDOW seconds (default 12) after it has settled,
# divided by the frames in the window. The table gives the medians over the
# rounds and each scene's ratio to the tail. Each OTHER_BUILD's game scenes are
# measured too, interleaved with ours and labelled with its folder name.
# Start-up is timed too, without a tracer, by bench/zenvar-startup-probe: the
# wall clock from launch to the end of the start-up grid's 1.5 s rest.
set -euo pipefail
source "$(dirname "$0")/xvfb.sh"

build=$(cd "$1" && pwd)
rounds=${2:-3}
shift $(( $# < 2 ? $# : 2 ))
others=()
for other in "$@"; do others+=("$(cd "$other" && pwd)"); done
window=${WINDOW:-12}
# SCREEN=WxHxD picks another display; full screen centres the game on it.
screen=${SCREEN:-640x480x16}
screen_w=${screen%%x*} screen_h=${screen#*x}; screen_h=${screen_h%%x*}
ox=$(((screen_w - 640) / 2)) oy=$(((screen_h - 480) / 2))
tail_bin=$build/bench/zenvar-frame-tail
ticks=$(getconf CLK_TCK)

xvfb_session "$screen"

# The game rewrites score files at exit: each build plays in a copy of its run folder.
cp -r "$build/run" "$work/ours"
for i in "${!others[@]}"; do cp -r "${others[$i]}/run" "$work/other$i"; done

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

# measure LABEL SETTLE_SECONDS COMMAND...: start, settle, run the scene's
# input, then read the CPU over the window; appends "label ms_per_frame kB".
measure() {
    local label=$1 settle=$2; shift 2
    "$@" >/dev/null 2>&1 &
    game_pid=$!
    sleep "$settle"
    case $label in
        *play*)
            xdotool mousemove $((ox + 230)) $((oy + 245)); sleep 0.1; xdotool mousedown 1; sleep 0.15; xdotool mouseup 1
            sleep 4  # the countdown and GO!!
            case $label in *fire*) xdotool mousemove $((ox + 320)) $((oy + 60)) mousedown 1 ;; esac
            sleep 1 ;;
    esac
    local before after
    before=$(cpu_ticks "$game_pid")
    sleep "$window"
    after=$(cpu_ticks "$game_pid")
    local peak
    peak=$(awk '/VmHWM/ { print $2 }' "/proc/$game_pid/status")
    xdotool mouseup 1 2>/dev/null || true
    kill -KILL "$game_pid"
    wait "$game_pid" 2>/dev/null || true
    game_pid=
    awk -v l="$label" -v d=$((after - before)) -v t="$ticks" -v w="$window" -v p="$peak" \
        'BEGIN { printf "%s %.4f %d\n", l, d * 1000 / t / (w * 60), p }' >>"$work/samples"
}

# SCENES picks some of: title play-autopilot play-fire-held (default all; "none" for none).
scenes() {  # PREFIX RUN_FOLDER
    local scene
    for scene in ${SCENES:-title play-autopilot play-fire-held}; do
        case $scene in
            title) (cd "$2" && measure "$1title" 9 ./zenvar) ;;
            play-autopilot) (cd "$2" && measure "$1play-autopilot" 9 ./zenvar-autopilot) ;;
            play-fire-held) (cd "$2" && measure "$1play-fire-held" 9 ./zenvar) ;;
        esac
    done
}

for round in $(seq "$rounds"); do
    measure tail 2 "$tail_bin"
    scenes "" "$work/ours"
    for i in "${!others[@]}"; do scenes "$(basename "${others[$i]}"):" "$work/other$i"; done
    echo "round $round of $rounds done" >&2
done

# startup LABEL RUN_FOLDER PROBE: one launch; appends "label ms beyond the rest".
startup() {
    [ -x "$3" ] || return 0
    cp "$3" "$2/startup-probe"
    local launched done
    launched=$(date +%s.%N)
    done=$(cd "$2" && ./startup-probe 2>/dev/null | tail -1)
    awk -v l="$1" -v a="$launched" -v b="$done" 'BEGIN { printf "%s %.1f\n", l, (b - a) * 1000 - 1500 }' \
        >>"$work/startups"
}
for _ in 1 2 3 4 5; do
    startup ours "$work/ours" "$build/bench/zenvar-startup-probe"
    for i in "${!others[@]}"; do
        startup "$(basename "${others[$i]}")" "$work/other$i" "${others[$i]}/bench/zenvar-startup-probe"
    done
done
[ ! -s "$work/startups" ] || sort -k1,1 -k2,2n "$work/startups" | awk '
    { n[$1]++; v[$1, n[$1]] = $2 }
    END { for (l in n) printf "start-up beyond the 1.5 s rest, %s: median %.1f ms of %d interleaved launches (%.1f .. %.1f)\n",
                               l, v[l, int((n[l] + 1) / 2)], n[l], v[l, 1], v[l, n[l]] }'

echo "Whole process on Xvfb $screen, $rounds interleaved rounds of $window s, medians:"
printf "%-28s %12s %10s %12s %14s\n" scene "CPU ms/frame" "% of core" "x frame tail" "peak RSS (MB)"
sort -k1,1 -k2,2n "$work/samples" | awk '
    { n[$1]++; v[$1, n[$1]] = $2; if ($3 > peak[$1]) peak[$1] = $3 }
    END {
        floor = v["tail", int((n["tail"] + 1) / 2)]
        for (s in n) {
            m = v[s, int((n[s] + 1) / 2)]
            printf "%-28s %12.3f %10.1f %12.2f %14.1f\n", s, m, m * 6, m / floor, peak[s] / 1024
        }
    }' | sort
