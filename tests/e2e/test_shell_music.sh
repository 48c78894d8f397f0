#!/bin/bash
# The title music really sounds, with every voice: Allegro's DIGMID
# synthesiser, set up by the build's allegro.cfg and patch index, renders the
# MIDI piece into the mixer. The game's output is recorded through an ALSA file
# device, with the build folder out of reach (the run folder must be movable),
# and compared with the same run given Allegro's full voice reservation: a
# synthesiser short of voices drops notes and comes out quieter.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

[ -f "$E2E_RUN/default.cfg" ] || e2e_fail "no patch index beside the game (is freepats installed?)"
build=$(dirname "$(cd "$1" && pwd)")
! grep -qF "$build" "$E2E_RUN/allegro.cfg" "$E2E_RUN/default.cfg" ||
    e2e_fail "allegro.cfg or default.cfg names the build folder $build"
e2e_without_build "$1"
e2e_capture_sound
voices_tool=$(e2e_tool midi_voices "-shared -fPIC -ldl")

# record_title LABEL [PREFIX...]: the grid, the intro and a few seconds of the
# title; MUSIC_RMS = loudness of the first 6 s of music.
record_title() {
    local label=$1
    shift
    rm -f "$E2E_WORK/sound.wav"
    e2e_start_game "${E2E_WITHOUT_BUILD[@]}" "$@"
    e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "the game window never appeared"
    sleep 11
    xdotool mousemove 20 20
    e2e_key Escape
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "the $label run ended with $E2E_EXIT"
    [ -s "$E2E_WORK/sound.wav" ] || e2e_fail "nothing was recorded in the $label run"
    rm -f "$E2E_RUN"/*.dat
    # The recording runs ahead of real time: measure the music itself, from its first note.
    sox "$E2E_WORK/sound.wav" "$E2E_WORK/music.wav" silence 1 0.01 0.002 trim 0 6 ||
        e2e_fail "cannot cut the music out of the $label run"
    MUSIC_RMS=$(e2e_rms "$E2E_WORK/music.wav")
}

record_title "game"
game_rms=$MUSIC_RMS
record_title "full reservation" env LD_PRELOAD="$voices_tool" ZENVAR_MIDI_VOICES=-1
full_rms=$MUSIC_RMS

echo "title music RMS: game $game_rms, Allegro's full voice reservation $full_rms"
awk -v g="$game_rms" -v f="$full_rms" 'BEGIN { exit !(f > 0.02 && g > 0.85 * f) }' ||
    e2e_fail "the title music is missing notes (RMS $game_rms against $full_rms with every voice)"
echo "PASS"
