#!/bin/bash
# The title music really sounds: Allegro's DIGMID synthesiser, set up by the
# build's allegro.cfg and patch set, renders the MIDI piece into the mixer.
# The game's output is recorded through an ALSA file device and measured;
# the same run with the synthesiser switched off must be near silence.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

grep -q '^midi_card = DIGI' "$E2E_RUN/allegro.cfg" ||
    e2e_fail "allegro.cfg does not select DIGMID (is freepats installed?)"
patches=$(sed -n 's/^patches = //p' "$E2E_RUN/allegro.cfg")
[ -f "$patches" ] || e2e_fail "the patch index $patches is missing"

e2e_capture_sound

# record_title LABEL: the grid, the intro and a few seconds of the title.
record_title() {
    rm -f "$E2E_WORK/sound.wav"
    e2e_start_game
    e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "the game window never appeared"
    sleep 11
    xdotool mousemove 20 20
    e2e_key Escape
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "the $1 run ended with $E2E_EXIT"
    [ -s "$E2E_WORK/sound.wav" ] || e2e_fail "nothing was recorded in the $1 run"
    rm -f "$E2E_RUN"/*.dat
}

record_title "music"
music_rms=$(e2e_rms "$E2E_WORK/sound.wav")

sed -i 's/^midi_card = DIGI/midi_card = 0/' "$E2E_RUN/allegro.cfg"
record_title "silent"
silent_rms=$(e2e_rms "$E2E_WORK/sound.wav")

echo "RMS with DIGMID: $music_rms, with MIDI off: $silent_rms"
awk -v m="$music_rms" -v s="$silent_rms" 'BEGIN { exit !(m > 0.005 && m > 10 * s) }' ||
    e2e_fail "the title music is not heard (RMS $music_rms against $silent_rms)"
echo "PASS"
