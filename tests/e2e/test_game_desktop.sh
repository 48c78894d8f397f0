#!/bin/bash
# The game on a 1920x1080x24 desktop under openbox: full screen is the 640x480
# picture centred, the desktop's pointer hidden over it. Sound goes through an
# ALSA file device, then PulseAudio and PipeWire on a null sink recorded in
# real time: the title music without a dropout, then a round where only the
# shot is heard, music and shot as loud as through the file device, a press
# heard within LATENCY_MS, no more CPU than the file device; ESC twice quits
# with 0, the scores saved and nothing on the terminal.
source "$(dirname "$0")/lib.sh"
# About 80 ms with the game's allegro.cfg, 130 with Allegro's own ALSA periods.
LATENCY_MS=110
# pipewire-alsa's plugins, unpacked beside the system by
# scripts/install-deps.sh: the package itself conflicts with PulseAudio.
PIPEWIRE_ALSA=/usr/local/lib/pipewire-alsa
e2e_need openbox pulseaudio parec pactl python3
e2e_setup "$1" 1920x1080x24
E2E_CROP=640x480+640+300
e2e_openbox
SERVER_PIDS=()
stop_server() {
    [ ${#SERVER_PIDS[@]} -eq 0 ] && return
    kill "${SERVER_PIDS[@]}" 2>/dev/null
    wait "${SERVER_PIDS[@]}" 2>/dev/null
    SERVER_PIDS=()
    unset ALSA_CONFIG_PATH
}
trap 'stop_server; e2e_cleanup' EXIT
export XDG_RUNTIME_DIR="$E2E_WORK/xdg" PULSE_RUNTIME_PATH="$E2E_WORK/xdg/pulse"
mkdir -m 700 "$XDG_RUNTIME_DIR"

# Only the shot is heard in a round: the other effects are cut to silence and
# the round's piece is a MIDI file of one silent bar.
for wav in "$E2E_RUN"/sfx/*.wav; do
    [ "$(basename "$wav")" = shot.wav ] || sox -n -r 22050 -c 1 -b 16 "$wav" trim 0 0.1 || e2e_fail "cannot silence $wav"
done
printf 'MThd\0\0\0\6\0\0\0\1\0\140MTrk\0\0\0\5\217\0\377\57\0' >"$E2E_RUN/music/marathon.mid"
cp "$E2E_RUN/allegro.cfg" "$E2E_WORK/allegro.cfg"

# Each route (sound and mixer controls) is pinned in the scratch HOME's
# ~/.asoundrc, whatever the system's ALSA default is.
route_to_server() {
    export HOME="$E2E_WORK"
    sed 's/^\[sound\]$/[sound]\ndigi_card = ALSA/' "$E2E_WORK/allegro.cfg" >"$E2E_RUN/allegro.cfg"
    echo "$1" >"$HOME/.asoundrc"
}
start_pulseaudio() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 -L "module-null-sink sink_name=zenvar" \
        -L module-native-protocol-unix >"$E2E_WORK/pulse.log" 2>&1 &
    SERVER_PIDS=($!)
    route_to_server 'pcm.!default { type pulse }
ctl.!default { type pulse }'
}
# PipeWire with its session manager (which wants a D-Bus session) and its
# PulseAudio server, for the null sink and the recording tools.
start_pipewire() {
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile >"$E2E_WORK/dbus.log" 2>&1 &
    SERVER_PIDS=($!)
    e2e_poll 5 '[ -S "$XDG_RUNTIME_DIR/bus" ]' || e2e_fail "no D-Bus session for PipeWire"
    pipewire >"$E2E_WORK/pipewire.log" 2>&1 &
    SERVER_PIDS+=($!)
    e2e_poll 5 '[ -S "$XDG_RUNTIME_DIR/pipewire-0" ]' || e2e_fail "PipeWire did not start"
    wireplumber >"$E2E_WORK/wireplumber.log" 2>&1 &
    SERVER_PIDS+=($!)
    pipewire-pulse >"$E2E_WORK/pipewire-pulse.log" 2>&1 &
    SERVER_PIDS+=($!)
    e2e_poll 10 'pactl info >/dev/null 2>&1' || e2e_fail "pipewire-pulse did not start"
    pactl load-module module-null-sink sink_name=zenvar >/dev/null || e2e_fail "no null sink in PipeWire"
    pactl set-default-sink zenvar
    # ALSA's whole configuration is the test's own, as on a PipeWire desktop,
    # where no PulseAudio hook tries to take the default device over.
    route_to_server ""
    export ALSA_CONFIG_PATH="$E2E_WORK/asound-pipewire.conf"
    cat >"$ALSA_CONFIG_PATH" <<ASOUND
pcm_type.pipewire { lib "$PIPEWIRE_ALSA/libasound_module_pcm_pipewire.so" }
ctl_type.pipewire { lib "$PIPEWIRE_ALSA/libasound_module_ctl_pipewire.so" }
pcm.!default { type pipewire }
ctl.!default { type pipewire }
ASOUND
}

# at X Y: a point of the game's picture on the screen.
at() { echo $(($1 + 640)) $(($2 + 300)); }
# record SECONDS NAME: the sink's monitor, in stereo like the file device's recording, into $E2E_WORK/NAME.wav.
record() {
    timeout "$1" parec -d zenvar.monitor --raw --format=s16le --channels=2 --rate=44100 >"$E2E_WORK/$2.raw"
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$E2E_WORK/$2.raw" "$E2E_WORK/$2.wav"
}
# longest_quiet WAV: the longest run of silence, in ms, between its first and last sound.
longest_quiet() {
    sox "$1" -t dat -r 1000 - 2>/dev/null | awk '!/^;/ { v = $2 < 0 ? -$2 : $2
        if (v > 0.002) { if (last && $1 - last > gap) gap = $1 - last; last = $1 } }
        END { printf "%d\n", gap * 1000 }'
}
# The loudest 50 ms of a recording (a shot), in dB.
peak_db() { sox "$1" -n stats -w 0.05 2>&1 | awk '/^RMS Pk dB/ { print $4 }'; }
rms_db() { sox "$1" -n stats 2>&1 | awk '/^RMS lev dB/ { print $4 }'; }
within_3db() { awk -v a="$1" -v b="$2" 'BEGIN { d = a - b; exit !(d <= 3 && d >= -3) }'; }

# split_file_recording: the file device's recording (not in real time) cut at
# its rests of 0.3 s into the title music and the shots, up to the rest before
# the title music comes back.
split_file_recording() {
    local cuts
    cuts=$(sox "$E2E_WORK/sound.wav" -t dat -c 1 -r 1000 - 2>/dev/null | awk '!/^;/ { v = $2 < 0 ? -$2 : $2
        if (v > 0.002) {
            if (!started) { started = 1; print $1 }
            else if ($1 - last > 0.3) { if (++n == 1) { print last; print $1 } else before_title = last }
            last = $1
        } }
        END { print (n > 1 ? before_title : last) }')
    set -- $cuts
    [ $# -ge 4 ] || e2e_fail "the file device recorded no title music and shots apart ($cuts)"
    sox "$E2E_WORK/sound.wav" "$E2E_WORK/title.wav" trim "$1" "=$2" &&
        sox "$E2E_WORK/sound.wav" "$E2E_WORK/shots.wav" trim "$3" "=$4" || e2e_fail "cannot cut the file recording"
}

# play SERVER: the game through SERVER (file, pulseaudio or pipewire) from the
# title to a round with fire pressed, and back out. Sets CPU (per cent of a
# core from the title to the end of the round), MUSIC_DB, SHOT_DB.
play() {
    local server=$1 ticks wall
    e2e_start_game
    e2e_wait_window 20 >/dev/null || e2e_fail "$server: the game window never appeared"
    e2e_wait_title 40 || e2e_fail "$server: the title never appeared in the middle of the screen"
    ticks=$(e2e_cpu_ticks) wall=$EPOCHREALTIME
    if [ "$server" = file ]; then
        check_full_screen
        sleep 3
    else
        record 3 title
        quiet=$(longest_quiet "$E2E_WORK/title.wav")
        echo "$server: title music, longest silence ${quiet} ms"
        [ "$quiet" -le 50 ] || e2e_fail "$server: the title music drops out for $quiet ms"
    fi
    e2e_click $(at 300 248)
    e2e_wait_round 15 || e2e_fail "$server: no round started"
    # The new ship cannot fire while it flies in; a press it misses then, or
    # while it is hit, is not heard at all and counts for nothing.
    xdotool mousemove $(at 320 30)
    sleep 4
    if [ "$server" = file ]; then
        for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool mousedown 1; sleep 0.12; xdotool mouseup 1; sleep 0.7; done
    else
        press_to_sound "$server"
    fi
    CPU=$(awk -v t=$(($(e2e_cpu_ticks) - ticks)) -v hz="$(getconf CLK_TCK)" -v from="$wall" -v to="$EPOCHREALTIME" \
        'BEGIN { printf "%.1f", 100 * t / hz / (to - from) }')
    e2e_key Escape
    e2e_wait_title 10 || e2e_fail "$server: ESC did not end the round"
    xdotool mousemove $(at 630 10)
    e2e_key Escape
    e2e_ended "through $server by ESC at the title"
    e2e_check_score_files
    # With no sound card behind ALSA's default, ALSA itself complains of the
    # missing card when Allegro opens its mixer: only then.
    [ "$server" != file ] || sed -i '/^ALSA lib /d' "$E2E_WORK/stderr"
    [ ! -s "$E2E_WORK/stderr" ] || e2e_fail "$server: the game wrote on the terminal: $(head -n 3 "$E2E_WORK/stderr")"
    [ "$server" = file ] && split_file_recording
    MUSIC_DB=$(rms_db "$E2E_WORK/title.wav") SHOT_DB=$(peak_db "$E2E_WORK/shots.wav")
    echo "$server: title music $MUSIC_DB dB, shot $SHOT_DB dB, the game's CPU $CPU %"
}

check_full_screen() {
    xwininfo -root -tree | grep -q ' 640x480+640+300 ' || e2e_fail "no 640x480 window centred on the screen"
    echo "full screen: a 640x480 window at +640+300 on 1920x1080"
    # Full screen holds the pointer inside the picture, where only the game's
    # own cursor may be seen.
    xdotool mousemove $(at 320 400)
    sleep 0.3
    if "$pointer_shown"; then e2e_fail "the desktop's pointer shows over the game"; fi
}

press_to_sound() {
    local latencies heard median
    latencies=$(python3 "$E2E_TOOLS/click_to_sound.py" zenvar.monitor 10 "$E2E_WORK/shots.raw") ||
        e2e_fail "$1: cannot record the shots"
    sox -t raw -r 44100 -e signed -b 16 -c 2 "$E2E_WORK/shots.raw" "$E2E_WORK/shots.wav"
    echo "$1: press to sound, ms:" $latencies
    heard=$(printf '%s\n' $latencies | grep -cv none)
    # A press while the ship is hit is not heard. Of an even count the later middle one counts.
    [ "$heard" -ge 2 ] || e2e_fail "$1: only $heard of 10 presses were heard"
    median=$(printf '%s\n' $latencies | grep -v none | sort -n | awk '{ v[NR] = $1 } END { print v[int(NR / 2) + 1] }')
    [ "$median" -le "$LATENCY_MS" ] || e2e_fail "$1: a press is heard $median ms late (median of $heard)"
}

pointer_shown=$(e2e_tool pointer_shown "-lX11 -lXfixes")
"$pointer_shown" || e2e_fail "no pointer is seen on the desktop (the check is blind)"
e2e_capture_sound
play file
file_cpu=$CPU file_music=$MUSIC_DB file_shot=$SHOT_DB

servers=(pulseaudio)
if [ -e "$PIPEWIRE_ALSA/libasound_module_ctl_pipewire.so" ] && command -v pipewire wireplumber pipewire-pulse dbus-daemon >/dev/null; then
    servers+=(pipewire)
else
    echo "SKIP: PipeWire, its ALSA plugin or D-Bus is missing (scripts/install-deps.sh); PulseAudio only"
fi
for server in "${servers[@]}"; do
    "start_$server"
    e2e_poll 10 'pactl list short sinks 2>/dev/null | grep -q zenvar' || e2e_fail "$server: no null sink"
    rm -f "$E2E_RUN"/*.dat
    play "$server"
    stop_server
    within_3db "$MUSIC_DB" "$file_music" || e2e_fail "$server: the title music is at $MUSIC_DB dB, $file_music through the file device"
    within_3db "$SHOT_DB" "$file_shot" || e2e_fail "$server: the shot is at $SHOT_DB dB, $file_shot through the file device"
    # The server's client thread costs a few tenths of a point, a busy machine
    # half as much again; a driver that spins or mixes twice costs double.
    awk -v a="$CPU" -v b="$file_cpu" 'BEGIN { exit !(a <= b * 1.5 + 2) }' ||
        e2e_fail "$server: the game takes $CPU % of a core, $file_cpu % with the file device"
done
echo "PASS"
