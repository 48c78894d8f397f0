#!/bin/bash
# Renders both music pieces through a General MIDI synthesiser and measures
# the result: each must play audibly for about as long as its score says.
# Argument 1: the run folder holding music/title.mid and music/marathon.mid.
set -u
run_dir="${1:?usage: test_assets_render.sh <run folder>}"
for tool in timidity sox; do
    command -v "$tool" >/dev/null || { echo "test_assets_render: $tool is not installed"; exit 1; }
done
# Debian's timidity.cfg points at a sound font that is only a recommended
# package; the freepats instruments the game's own synth uses are always there.
config=()
[ -f /etc/timidity/freepats.cfg ] && config=(-c /etc/timidity/freepats.cfg)
work=$(mktemp -d /tmp/zenvar-render-XXXXXX)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
check_piece() {  # name, shortest seconds, longest seconds
    local name=$1 shortest=$2 longest=$3
    local wav="$work/$name.wav"
    if ! timidity "${config[@]}" -Ow -s 22050 --output-mono -o "$wav" "$run_dir/music/$name.mid" >/dev/null 2>&1; then
        echo "FAIL $name: timidity could not render it"; failed=$((failed + 1)); return
    fi
    local stats rms seconds
    stats=$(sox "$wav" -n stat 2>&1)
    rms=$(awk '/RMS +amplitude/ {print $3}' <<<"$stats")
    seconds=$(awk '/Length \(seconds\)/ {print $3}' <<<"$stats")
    if awk -v r="$rms" -v s="$seconds" -v lo="$shortest" -v hi="$longest" \
        'BEGIN { exit !(r > 0.01 && s >= lo && s <= hi) }'; then
        echo "ok   $name: RMS $rms over $seconds s"; passed=$((passed + 1))
    else
        echo "FAIL $name: RMS $rms over $seconds s (wanted RMS > 0.01, $shortest-$longest s)"; failed=$((failed + 1))
    fi
}
# The synthesiser adds a few seconds of release tail after the last note.
check_piece title 60 125
check_piece marathon 90 200
echo "assets_render: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
