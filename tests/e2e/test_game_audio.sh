#!/bin/bash
# The game's sound through an ALSA file device, the build folder out of reach:
# the title music as loud as with Allegro's full voice reservation (short of
# voices, notes drop). With the instruments, then the index gone, it says once
# that the music is off and still plays its effects (all but the shot silenced:
# a round without firing is silent, firing is heard).
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

[ -f "$E2E_RUN/default.cfg" ] || e2e_fail "no patch index beside the game (is freepats installed?)"
build=$(dirname "$(cd "$1" && pwd)")
! grep -qF "$build" "$E2E_RUN/allegro.cfg" "$E2E_RUN/default.cfg" ||
    e2e_fail "allegro.cfg or default.cfg names the build folder $build"
e2e_without_build "$1"
e2e_capture_sound

# run_to_title WHAT [PREFIX...]: a fresh recording up to the live title.
run_to_title() {
    WHAT=$1
    shift
    rm -f "$E2E_WORK/sound.wav" "$E2E_RUN"/*.dat
    e2e_start_game "${E2E_WITHOUT_BUILD[@]}" "$@"
    e2e_wait_window 20 >/dev/null || e2e_fail "$WHAT: the game window never appeared"
    e2e_wait_title 30 || e2e_fail "$WHAT: the title never appeared"
}

# quit_and_measure [MUSIC]: ESC, then RMS = loudness of the recording, or of
# 6 s of music from its first note (the recording runs ahead of real time).
quit_and_measure() {
    e2e_quit "$WHAT"
    [ -s "$E2E_WORK/sound.wav" ] || e2e_fail "$WHAT: nothing was recorded"
    if [ -n "${1:-}" ]; then
        sox "$E2E_WORK/sound.wav" "$E2E_WORK/music.wav" silence 1 0.01 0.002 trim 0 6 || e2e_fail "$WHAT: no music to cut out"
        RMS=$(e2e_rms "$E2E_WORK/music.wav")
    else
        RMS=$(e2e_rms "$E2E_WORK/sound.wav")
    fi
    echo "$WHAT: RMS $RMS"
}

# play_marathon fire|hold: two seconds of a Marathon round, the aim at the top
# of the field, the left button held or not; ESC back to the title.
play_marathon() {
    e2e_click 300 248
    e2e_wait_round 10 || e2e_fail "$WHAT: no round started"
    xdotool mousemove 320 30
    [ "$1" = hold ] || xdotool mousedown 1
    sleep 2
    xdotool mouseup 1
    e2e_key Escape
    e2e_wait_title 10 || e2e_fail "$WHAT: ESC did not return to the title"
}

louder() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
said_music_off() {
    [ "$(grep -c '^Zenvar: the music is off: .' "$E2E_WORK/stderr")" = 1 ] || e2e_fail "$WHAT: not one word that the music is off"
}

run_to_title "title music"
sleep 5
quit_and_measure music
game_rms=$RMS
run_to_title "title music, every voice" env LD_PRELOAD="$(e2e_tool midi_voices "-shared -fPIC -ldl")" ZENVAR_MIDI_VOICES=-1
sleep 5
quit_and_measure music
awk -v g="$game_rms" -v f="$RMS" 'BEGIN { exit !(f > 0.02 && g > 0.85 * f) }' ||
    e2e_fail "the title music is missing notes (RMS $game_rms against $RMS with every voice)"

for link in "$E2E_RUN"/patches/*.pat; do ln -sfn /nonexistent/instrument.pat "$link"; done
for wav in "$E2E_RUN"/sfx/*.wav; do
    [ "$(basename "$wav")" = shot.wav ] && continue
    sox -n -r 22050 -c 1 -b 16 "$wav" trim 0 0.1 || e2e_fail "cannot write a silent sample"
done
run_to_title "no instruments, a round without firing"
play_marathon hold
quit_and_measure
louder 0.0005 "$RMS" || e2e_fail "the silenced game is not silent"
said_music_off
grep '^Zenvar:' "$E2E_WORK/stderr"

rm "$E2E_RUN/default.cfg"
run_to_title "no index, a round with two seconds of fire"
play_marathon fire
quit_and_measure
louder "$RMS" 0.003 || e2e_fail "the shot is not audible"
said_music_off
echo "PASS"
