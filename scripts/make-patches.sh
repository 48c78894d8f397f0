#!/bin/bash
# Writes allegro.cfg into the run folder and, when Debian's freepats is
# installed, a patch set there for Allegro's DIGMID software synthesiser, so the
# game's MIDI music plays on any machine with a sound card.
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
config="$run_dir/allegro.cfg"

write_silent_config() {
    cat >"$config" <<CFG
# Written by scripts/make-patches.sh: no freepats patch set was found
# ($freepats), so the game's music is switched off. Install the freepats
# package and rebuild to hear it.
[sound]
midi_card = 0
CFG
    echo "make-patches: freepats not found in $freepats; music off in $config" >&2
}

if [ ! -d "$freepats/Tone_000" ]; then
    rm -rf "$patch_dir"
    write_silent_config
    exit 0
fi

rm -rf "$patch_dir"
mkdir -p "$patch_dir"
index="$patch_dir/default.cfg"

# Melodic programs: link each freepats instrument as mNNN.pat.
declare -A melodic
for file in "$freepats"/Tone_000/[0-9][0-9][0-9]_*.pat; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    program=$((10#${name:0:3}))
    ln -s "$file" "$patch_dir/m$(printf %03d "$program").pat"
    melodic[$program]="m$(printf %03d "$program")"
done
if [ ${#melodic[@]} -eq 0 ]; then
    rm -rf "$patch_dir"
    write_silent_config
    exit 0
fi

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
        echo "$note $link"
    done
    echo "end_multipatch"
} >"$index"

cat >"$config" <<CFG
# Written by scripts/make-patches.sh: the game's music is played by Allegro's
# DIGMID synthesiser with the freepats instruments linked in patches/.
# Allegro reads this file from the folder of the executable.
[sound]
midi_card = DIGI
patches = $index
CFG
echo "make-patches: DIGMID patch set for ${#melodic[@]} instruments in $patch_dir"
