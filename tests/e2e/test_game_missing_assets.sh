#!/bin/bash
# How the game ends when it cannot run. No display: a word on the terminal,
# exit code 1, nothing written. Each file it loads at start-up removed in turn:
# error 40 for a picture (named on stderr), 15 for a sound, a wait for OK, exit
# code 1, the score files written. All four cursors are tried first; a missing
# sample stops it before any graphics mode; without a sound device it does not matter.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

GRAPHICS=(font/font{,green}.bmp cursors/cursor{1..4}.bmp backgrounds/{gamebg,titlebg}.bmp
    logo/{zenvarlogo,holtrane,ostwick}.bmp sprites/gryffon/gryffon{1..3}.bmp sprites/gryffon/gryffonexplode{1..5}.bmp
    sprites/bullets/gryffonlaser.bmp sprites/mini-star/mini-star{1,2}.bmp)
SAMPLES=(shot die enemybullet enemylaser enemydie enemybigdie three two one go gem extralife)
SOUNDS=("${SAMPLES[@]/#/sfx/}")
SOUNDS=("${SOUNDS[@]/%/.wav}" music/marathon.mid music/title.mid)

(cd "$E2E_RUN" && env -u DISPLAY ./zenvar >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr")
code=$?
[ "$code" = 1 ] || e2e_fail "without a display the game exited with $code"
grep -q "^Zenvar needs a graphical display" "$E2E_WORK/stderr" || e2e_fail "no word about the display"
[ -z "$(ls "$E2E_RUN" | grep '\.dat$')" ] || e2e_fail "without a display score files were written"

# check_missing FILE MESSAGE [PREFIX...]: one row of the matrix.
check_missing() {
    local file=$1 expected=$2 text
    shift 2
    [ -f "$E2E_RUN/$file" ] || e2e_fail "the run folder has no $file to remove"
    rm -f "$E2E_RUN"/*.dat
    mv "$E2E_RUN/$file" "$E2E_WORK/held-asset"
    e2e_start_game "$@"
    text=$(e2e_message_text 20) || e2e_fail "no message box with $file missing"
    [ "$text" = "$expected" ] || e2e_fail "with $file missing the message reads \"$text\""
    [[ $expected != "Error 40"* ]] || grep -q "missing picture $E2E_RUN/$file" "$E2E_WORK/stderr" ||
        e2e_fail "stderr does not name the missing $file"
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "with $file missing the game did not wait for OK"
    e2e_press_message_ok || e2e_fail "cannot press OK on the message for $file"
    e2e_wait_exit 10
    [ "$E2E_EXIT" = 1 ] || e2e_fail "with $file missing the game ended with $E2E_EXIT, not 1"
    e2e_check_score_files
    mv "$E2E_WORK/held-asset" "$E2E_RUN/$file"
    rows=$((rows + 1))
}

# files_opened PATTERN: the files matching PATTERN the traced game asked for, "name ok|missing,".
files_opened() {
    grep -o "\"$1\", O_RDONLY) = [0-9-]*" "$E2E_WORK/trace" |
        sed 's/", O_RDONLY) = -1/ missing/; s/", O_RDONLY) = [0-9]*/ ok/; s/^"//' | tr '\n' ','
}

rows=0
for file in "${GRAPHICS[@]}"; do
    prefix=()
    [ "$file" = cursors/cursor3.bmp ] && prefix=(strace -f -e trace=openat -o "$E2E_WORK/trace")
    check_missing "$file" "Error 40: Graphic missing from library." "${prefix[@]}"
done
tried=$(files_opened 'cursors/cursor[0-9].bmp')
[ "$tried" = "cursors/cursor1.bmp ok,cursors/cursor2.bmp ok,cursors/cursor3.bmp missing,cursors/cursor4.bmp ok," ] ||
    e2e_fail "cursor files tried: $tried"
echo "$rows pictures: error 40, exit code 1, score files written; all four cursors tried"

# No sound device: a missing sample is no error. Ended early, in the intro.
rm -f "$E2E_RUN"/*.dat
mv "$E2E_RUN/sfx/gem.wav" "$E2E_WORK/held-asset"
e2e_start_game
e2e_wait_window 20 >/dev/null || e2e_fail "without sound a missing sample stopped the game"
sleep 3
kill -TERM "$E2E_GAME_PID"
e2e_ended "by SIGTERM in the silent game's intro"
e2e_check_score_files
mv "$E2E_WORK/held-asset" "$E2E_RUN/sfx/gem.wav"

e2e_capture_sound
# The debugger logs every set_gfx_mode call: with gem.wav missing the only one
# must be the error path's text mode (-1).
gdb_modes=(gdb -q -batch -ex 'set breakpoint pending on' -ex 'dprintf set_gfx_mode,"set_gfx_mode card %d\n",$rdi'
    -ex run -ex 'quit $_exitcode' --args)
sound_rows_before=$rows
for file in "${SOUNDS[@]}"; do
    prefix=()
    [ "$file" = sfx/gem.wav ] && prefix=("${gdb_modes[@]}")
    [ "$file" = music/title.mid ] && prefix=(strace -f -e trace=openat -o "$E2E_WORK/trace")
    check_missing "$file" "Error 15: Sound missing from library." "${prefix[@]}"
    if [ "$file" = sfx/gem.wav ]; then
        modes=$(grep -o 'set_gfx_mode card -\?[0-9]*' "$E2E_WORK/stdout" | tr '\n' ',')
        [ "$modes" = "set_gfx_mode card -1," ] || e2e_fail "graphics modes set around the sound error: $modes"
    fi
done
loaded=$(files_opened '\(sfx\|music\)/[a-z]*\.\(wav\|mid\)')
expected="$(printf 'sfx/%s.wav ok,' "${SAMPLES[@]}")music/marathon.mid ok,music/title.mid missing,"
[ "$loaded" = "$expected" ] || e2e_fail "sound files read: $loaded"
echo "$((rows - sound_rows_before)) sound and music files: error 15, exit code 1, score files written;" \
    "no graphics mode before a sample error; the title piece read last"
echo "PASS ($rows rows)"
