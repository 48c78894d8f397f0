#!/bin/bash
# The game's sound, recorded: Allegro plays into an ALSA file device that
# writes a WAV, and sox measures it. Every run has the build folder out of
# reach, as after moving it. The title music must be audible at the title.
# Then the patch index is removed: the game must say once that the music is
# off and still play its effects. To hear the shot on its own, every other
# sample is swapped for silence: firing must then be audible, and the same
# round without firing must stay silent. (Every other scenario runs without a
# sound device.)
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

SILENCE_RMS=0.0005
AUDIBLE_RMS=0.003

start_and_wait_title() {
    e2e_start_game "${E2E_WITHOUT_BUILD[@]}"
    e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "the game window never appeared"
    e2e_wait_title 30 || e2e_fail "the title never appeared"
}

# quit_and_measure WHAT: ESC from the title, then RMS = loudness of the recording.
quit_and_measure() {
    xdotool mousemove 630 10
    e2e_key Escape
    e2e_wait_exit 20
    [ "$E2E_EXIT" = 0 ] || e2e_fail "$1: the game ended with $E2E_EXIT"
    [ -s "$E2E_WORK/sound.wav" ] || e2e_fail "$1: nothing was recorded"
    RMS=$(e2e_rms "$E2E_WORK/sound.wav")
}

# play_marathon FIRE_SECONDS: a Marathon round, the countdown, then the left
# button held (or not) with the aim at the top of the field; ESC back.
play_marathon() {
    e2e_click 300 248
    sleep 3
    xdotool mousemove 320 30
    if [ "$1" != 0 ]; then
        xdotool mousedown 1
        sleep "$1"
        xdotool mouseup 1
    else
        sleep 2
    fi
    e2e_key Escape
    e2e_wait_title 10 || e2e_fail "ESC did not return to the title"
}

louder() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

e2e_without_build "$1"
e2e_capture_sound

# 1. The title music, with every asset as built.
start_and_wait_title
sleep 4
quit_and_measure "title music"; rms=$RMS
echo "title music: RMS $rms"
louder "$rms" "$AUDIBLE_RMS" || e2e_fail "the title music is not audible (RMS $rms)"

# 2 and 3. No patch set, so no music; only the shot makes a sound. First the
# instruments are gone (freepats removed after the build), then the index too.
for link in "$E2E_RUN"/patches/*.pat; do ln -sfn /nonexistent/instrument.pat "$link"; done
for wav in "$E2E_RUN"/sfx/*.wav; do
    [ "$(basename "$wav")" = shot.wav ] && continue
    sox -n -r 22050 -c 1 -b 16 "$wav" trim 0 0.1 || e2e_fail "cannot write a silent sample"
done

rm -f "$E2E_WORK/sound.wav"
start_and_wait_title
play_marathon 0
quit_and_measure "a round without firing"; rms=$RMS
echo "round without firing, every other sound silenced: RMS $rms"
louder "$SILENCE_RMS" "$rms" || e2e_fail "the silenced game is not silent (RMS $rms)"
said=$(grep -c '^Zenvar: the music is off: .' "$E2E_WORK/stderr")
[ "$said" = 1 ] || e2e_fail "without a patch set the game said $said times that the music is off"
grep '^Zenvar:' "$E2E_WORK/stderr"

rm "$E2E_RUN/default.cfg"
rm -f "$E2E_WORK/sound.wav"
start_and_wait_title
play_marathon 2
quit_and_measure "a round with firing"; rms=$RMS
echo "round with two seconds of fire: RMS $rms"
louder "$rms" "$AUDIBLE_RMS" || e2e_fail "the shot is not audible (RMS $rms)"
said=$(grep -c '^Zenvar: the music is off: .' "$E2E_WORK/stderr")
[ "$said" = 1 ] || e2e_fail "without an index the game said $said times that the music is off"

echo "PASS"
