#!/bin/bash
# Every file the game loads at start-up, removed in turn: the game must end
# with exit code 1 and the right message box (error 40 for a picture, 15 for
# a sound or music file), must not hang or crash, and must still write the
# three score files on its way out. Sound files are only read when a sound
# device is installed, so their rows run with the ALSA capture device; one
# extra row checks that without a device a missing sample does not matter.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

GRAPHICS=(
    font/font.bmp font/fontgreen.bmp
    cursors/cursor1.bmp cursors/cursor2.bmp cursors/cursor3.bmp cursors/cursor4.bmp
    backgrounds/gamebg.bmp backgrounds/titlebg.bmp
    logo/zenvarlogo.bmp logo/holtrane.bmp logo/ostwick.bmp
    sprites/gryffon/gryffon1.bmp sprites/gryffon/gryffon2.bmp sprites/gryffon/gryffon3.bmp
    sprites/gryffon/gryffonexplode1.bmp sprites/gryffon/gryffonexplode2.bmp sprites/gryffon/gryffonexplode3.bmp
    sprites/gryffon/gryffonexplode4.bmp sprites/gryffon/gryffonexplode5.bmp
    sprites/bullets/gryffonlaser.bmp
    sprites/mini-star/mini-star1.bmp sprites/mini-star/mini-star2.bmp
)
SOUNDS=(
    sfx/shot.wav sfx/die.wav sfx/enemybullet.wav sfx/enemylaser.wav sfx/enemydie.wav sfx/enemybigdie.wav
    sfx/three.wav sfx/two.wav sfx/one.wav sfx/go.wav sfx/gem.wav sfx/extralife.wav
    music/marathon.mid music/title.mid
)

# press_ok: the box may take a moment to be mapped after xmessage starts.
press_ok() {
    local tries
    for tries in $(seq 1 50); do
        e2e_press_message_ok 2>/dev/null && return 0
        sleep 0.1
    done
    return 1
}

# check_missing FILE MESSAGE: one row of the matrix.
check_missing() {
    local file=$1 expected=$2 text
    [ -f "$E2E_RUN/$file" ] || e2e_fail "the run folder has no $file to remove"
    rm -f "$E2E_RUN"/*.dat
    mv "$E2E_RUN/$file" "$E2E_WORK/held-asset"
    e2e_start_game
    text=$(e2e_message_text 20) || e2e_fail "no message box with $file missing"
    [ "$text" = "$expected" ] || e2e_fail "with $file missing the message reads \"$text\""
    [[ $expected != "Error 40"* ]] || grep -q "missing picture $E2E_RUN/$file" "$E2E_WORK/stderr" ||
        e2e_fail "stderr does not name the missing $file"
    press_ok || e2e_fail "cannot press OK on the message for $file"
    e2e_wait_exit 10
    [ "$E2E_EXIT" = 1 ] || e2e_fail "with $file missing the game ended with $E2E_EXIT, not 1"
    e2e_check_score_files
    mv "$E2E_WORK/held-asset" "$E2E_RUN/$file"
    rows=$((rows + 1))
}

rows=0
for file in "${GRAPHICS[@]}"; do
    check_missing "$file" "Error 40: Graphic missing from library."
done
echo "$rows pictures: error 40, exit code 1, score files written"

# No sound device: the bank reads no sound file, so a missing one is no error.
rm -f "$E2E_RUN"/*.dat
mv "$E2E_RUN/sfx/gem.wav" "$E2E_WORK/held-asset"
e2e_start_game
e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "without sound a missing sample stopped the game"
sleep 2
kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "without sound a missing sample ended the game"
e2e_close_window "$(e2e_wait_window Zenvar 5)"
e2e_wait_exit 15
[ "$E2E_EXIT" = 0 ] || e2e_fail "the silent game ended with $E2E_EXIT"
mv "$E2E_WORK/held-asset" "$E2E_RUN/sfx/gem.wav"
echo "no sound device: a missing sample is ignored"

e2e_capture_sound
sound_rows_before=$rows
for file in "${SOUNDS[@]}"; do
    check_missing "$file" "Error 15: Sound missing from library."
done
echo "$((rows - sound_rows_before)) sound and music files: error 15, exit code 1, score files written"
echo "PASS ($rows rows)"
