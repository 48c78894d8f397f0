#!/bin/bash
# The game at home on a desktop: a 1920x1080x24 screen under openbox, sound
# through PulseAudio on a null sink, recorded from the sink's monitor. Full
# screen is the 640x480 picture centred on black, with the desktop's pointer
# hidden over it (and seen on the desktop before). A round with fire held is
# heard; back at the title its music is heard with no dropout. ESC quits with 0, the
# scores saved and nothing on the terminal. Then, with the shot the only
# sound, each press of the button must be heard within LATENCY_MS.
source "$(dirname "$0")/lib.sh"
# Press to sound through the sound server: the input poll, mixing and the
# buffers of Allegro, ALSA and the server; about 90 ms, 130 with Allegro's
# own ALSA periods.
LATENCY_MS=120
for tool in openbox pulseaudio parec pactl python3; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 0; }
done
e2e_setup "$1" 1920x1080x24
E2E_CROP=640x480+640+300

openbox >"$E2E_WORK/openbox.log" 2>&1 &
OPENBOX_PID=$!
export HOME="$E2E_WORK" PULSE_RUNTIME_PATH="$E2E_WORK/pulse"
pulseaudio -n --daemonize=no --exit-idle-time=-1 -L "module-null-sink sink_name=zenvar" \
    -L module-native-protocol-unix >"$E2E_WORK/pulse.log" 2>&1 &
PULSE_PID=$!
stop_desktop() { kill "$OPENBOX_PID" "$PULSE_PID" 2>/dev/null; e2e_cleanup; }
trap stop_desktop EXIT
e2e_poll 10 'pactl info >/dev/null 2>&1' || e2e_fail "PulseAudio did not start"
sed -i 's/^\[sound\]$/[sound]\ndigi_card = ALSA/' "$E2E_RUN/allegro.cfg"

# at X Y: a point of the game's picture on the screen.
at() { echo $(($1 + 640)) $(($2 + 300)); }
press() { xdotool mousemove $(at "$1" "$2") mousedown 1; sleep 0.25; xdotool mouseup 1; }
# record SECONDS NAME: the sink's monitor into $E2E_WORK/NAME.wav.
record() {
    timeout "$1" parec -d zenvar.monitor --raw --format=s16le --channels=1 --rate=44100 >"$E2E_WORK/$2.raw"
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$E2E_WORK/$2.raw" "$E2E_WORK/$2.wav"
}
# longest_quiet WAV: the longest run of silence, in ms, between its first and last sound.
longest_quiet() {
    sox "$1" -t dat -r 1000 - 2>/dev/null | awk '!/^;/ { v = $2 < 0 ? -$2 : $2
        if (v > 0.002) { if (last && $1 - last > gap) gap = $1 - last; last = $1 } }
        END { printf "%d\n", gap * 1000 }'
}
pointer_shown=$(e2e_tool pointer_shown "-lX11 -lXfixes")
"$pointer_shown" || e2e_fail "no pointer is seen on the desktop (the check is blind)"
e2e_start_game
e2e_wait_window 20 >/dev/null || e2e_fail "the game window never appeared"
e2e_wait_title 40 || e2e_fail "the title never appeared in the middle of the screen"
xwininfo -root -tree | grep -q ' 640x480+640+300 ' || e2e_fail "no 640x480 window centred on the screen"
echo "full screen: a 640x480 window at +640+300 on 1920x1080"

# Full screen holds the pointer inside the picture, where only the game's own
# cursor may be seen.
xdotool mousemove $(at 320 400)
sleep 0.3
if "$pointer_shown"; then e2e_fail "the desktop's pointer shows over the game"; fi
echo "the desktop's pointer is hidden over the game"

press 300 248
e2e_wait_round 15 || e2e_fail "no round started"
xdotool mousemove $(at 320 30) mousedown 1
sleep 2
xdotool mouseup 1
record 2 round
awk -v r="$(e2e_rms "$E2E_WORK/round.wav")" 'BEGIN { exit !(r > 0.01) }' || e2e_fail "the round is silent through PulseAudio"
e2e_key Escape
e2e_wait_title 10 || e2e_fail "ESC did not end the round"
record 5 title
rms=$(e2e_rms "$E2E_WORK/title.wav") quiet=$(longest_quiet "$E2E_WORK/title.wav")
echo "title music through PulseAudio: RMS $rms, longest silence ${quiet} ms"
awk -v r="$rms" 'BEGIN { exit !(r > 0.01) }' || e2e_fail "the title music is not heard through PulseAudio"
[ "$quiet" -le 50 ] || e2e_fail "the title music drops out for $quiet ms"

xdotool mousemove $(at 630 10)
e2e_key Escape
e2e_wait_exit 20
[ "$E2E_EXIT" = 0 ] || e2e_fail "ESC at the title ended the game with $E2E_EXIT"
e2e_check_score_files
[ ! -s "$E2E_WORK/stderr" ] || e2e_fail "the game wrote on the terminal: $(head -n 3 "$E2E_WORK/stderr")"

# Again with the shot the only sound, so that each press is heard alone.
rm "$E2E_RUN/default.cfg"
for wav in "$E2E_RUN"/sfx/*.wav; do
    [ "$(basename "$wav")" = shot.wav ] || sox -n -r 22050 -c 1 -b 16 "$wav" trim 0 0.1 || e2e_fail "cannot silence $wav"
done
e2e_start_game
e2e_wait_title 40 || e2e_fail "the title never came back"
press 300 248
e2e_wait_round 15 || e2e_fail "no second round started"
# The new ship cannot fire while it flies in; a press it misses then, or
# while it is hit, is not heard at all and counts for nothing.
xdotool mousemove $(at 320 30)
sleep 4
latencies=$(python3 "$E2E_TOOLS/click_to_sound.py" zenvar.monitor 8 "$E2E_WORK/shots.raw") ||
    e2e_fail "cannot record the shots"
echo "press to sound, ms:" $latencies
heard=$(printf '%s\n' $latencies | grep -cv none)
[ "$heard" -ge 4 ] || e2e_fail "only $heard of 8 presses were heard"
median=$(printf '%s\n' $latencies | grep -v none | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }')
[ "$median" -le "$LATENCY_MS" ] || e2e_fail "a press is heard $median ms late (median of $heard)"
echo "PASS"
