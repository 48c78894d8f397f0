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

failed=0
# check_piece NAME SHORTEST LONGEST: the synthesiser adds a few seconds of
# release tail after the last note.
check_piece() {
    timidity "${config[@]}" -Ow -s 22050 --output-mono -o "$work/$1.wav" "$run_dir/music/$1.mid" >/dev/null 2>&1
    local stats rms seconds
    stats=$(sox "$work/$1.wav" -n stat 2>&1)
    rms=$(awk '/RMS +amplitude/ {print $3}' <<<"$stats")
    seconds=$(awk '/Length \(seconds\)/ {print $3}' <<<"$stats")
    awk -v r="${rms:-0}" -v s="${seconds:-0}" -v lo="$2" -v hi="$3" 'BEGIN { exit !(r > 0.01 && s >= lo && s <= hi) }' &&
        echo "ok   $1: RMS $rms over $seconds s" && return
    echo "FAIL $1: RMS $rms over $seconds s (wanted RMS > 0.01, $2-$3 s)"
    failed=1
}
check_piece title 60 125
check_piece marathon 90 200
exit "$failed"
