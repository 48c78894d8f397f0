#!/bin/bash
# Writes allegro.cfg into the run folder and, when Debian's freepats is
# installed, a patch set there for Allegro's DIGMID software synthesiser, so the
# game's MIDI music plays on any machine with a sound card.
#
# Nothing written names the run folder: Allegro finds allegro.cfg and the patch
# index default.cfg beside the executable, and the index names its patches
# relative to itself, so the run folder can be moved or copied anywhere. (A
# relative "patches" entry in allegro.cfg would be read from the working
# folder instead.)
#
# DIGMID reads a Gravis-style index: melodic programs numbered from 1, the drum
# kit as a multipatch of note numbers under program 129, and patch names short
# enough for its 32-character buffers. freepats' TiMidity index numbers programs
# from 0 and uses long file names, so we write our own index over short links.
#
# Usage: make-patches.sh RUN_FOLDER [FREEPATS_FOLDER]
set -eu

run_dir=$(cd "$1" && pwd)
freepats=${2:-/usr/share/midi/freepats}
patch_dir="$run_dir/patches"
index="$run_dir/default.cfg"
config="$run_dir/allegro.cfg"

cat >"$config" <<CFG
# Written by scripts/make-patches.sh: the game's music is played by Allegro's
# DIGMID synthesiser with the instruments indexed in default.cfg, which links
# freepats instruments in patches/. Allegro reads both files from the folder of
# the executable. Without them the game says once that the music is off and
# plays its effects. Three periods of 1024 frames (70 ms) instead of Allegro's
# five bring a shot through PulseAudio about 40 ms sooner; with two, the music
# drops out for seconds when a piece starts, and shorter periods make the
# server's latency climb to most of a second.
[sound]
midi_card = DIGI
alsa_fragsize = 1024
alsa_numfrags = 3
CFG

no_patch_set() {
    rm -rf "$patch_dir" "$index"
    echo "make-patches: freepats not found in $freepats; the game will play without music" >&2
    exit 0
}

[ -d "$freepats/Tone_000" ] || no_patch_set
rm -rf "$patch_dir" "$index"
mkdir -p "$patch_dir"

# Melodic programs: link each freepats instrument as mNNN.pat.
declare -A melodic
for file in "$freepats"/Tone_000/[0-9][0-9][0-9]_*.pat; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    program=$((10#${name:0:3}))
    ln -s "$file" "$patch_dir/m$(printf %03d "$program").pat"
    melodic[$program]="patches/m$(printf %03d "$program")"
done
[ ${#melodic[@]} -gt 0 ] || no_patch_set

# A program freepats lacks borrows the nearest instrument of its own family of
# eight (pianos, organs, guitars...), else the nearest program at all, so no
# part of a piece falls silent.
nearest_program() {
    local wanted=$1 family_start=$(($1 / 8 * 8)) distance candidate
    for distance in $(seq 0 127); do
        for candidate in $((wanted - distance)) $((wanted + distance)); do
            if [ "$candidate" -ge "$family_start" ] && [ "$candidate" -lt $((family_start + 8)) ] &&
                [ -n "${melodic[$candidate]:-}" ]; then
                echo "$candidate"
                return
            fi
        done
    done
    for distance in $(seq 0 127); do
        for candidate in $((wanted - distance)) $((wanted + distance)); do
            if [ "$candidate" -ge 0 ] && [ "$candidate" -le 127 ] && [ -n "${melodic[$candidate]:-}" ]; then
                echo "$candidate"
                return
            fi
        done
    done
}

{
    echo "# DIGMID patch index for Zenvar, made from $freepats by scripts/make-patches.sh"
    for program in $(seq 0 127); do
        echo "$((program + 1)) ${melodic[$(nearest_program "$program")]}"
    done
    echo "129 begin_multipatch"
    for file in "$freepats"/Drum_000/[0-9][0-9][0-9]_*.pat; do
        [ -e "$file" ] || continue
        name=$(basename "$file")
        note=$((10#${name:0:3}))
        link="d$(printf %03d "$note")"
        ln -s "$file" "$patch_dir/$link.pat"
        echo "$note patches/$link"
    done
    echo "end_multipatch"
} >"$index"
echo "make-patches: DIGMID patch set for ${#melodic[@]} instruments in $patch_dir"
