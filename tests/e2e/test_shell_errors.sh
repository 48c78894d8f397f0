#!/bin/bash
# How the game ends when it cannot run: no display, a missing graphic, a
# missing sound. Each shows its message, waits for OK and exits with code 1.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# expect_message TEXT: the message box shows TEXT, the game waits for OK, then exits 1.
expect_message() {
    local wanted=$1 text
    text=$(e2e_message_text 20) || e2e_fail "no message box for \"$wanted\""
    [ "$text" = "$wanted" ] || e2e_fail "message \"$text\", expected \"$wanted\""
    sleep 0.5
    kill -0 "$E2E_GAME_PID" 2>/dev/null || e2e_fail "the game did not wait for OK"
    e2e_press_message_ok || e2e_fail "cannot press OK"
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 1 ] || e2e_fail "exit code $E2E_EXIT after \"$wanted\", expected 1"
}

# No display at all: a clear word on the terminal, exit code 1, nothing written.
(cd "$E2E_RUN" && env -u DISPLAY ./zenvar >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr")
code=$?
[ "$code" = 1 ] || e2e_fail "without a display the game exited with $code"
grep -q "^Zenvar needs a graphical display" "$E2E_WORK/stderr" || e2e_fail "no word about the display"
e2e_check_no_score_files
echo "no display: told and exit code 1"

# A missing cursor frame: all four are still tried before the message. The
# error path also writes the score tables, so a run never loses entered names.
mv "$E2E_RUN/cursors/cursor3.bmp" "$E2E_WORK/"
e2e_start_game strace -f -e trace=openat -o "$E2E_WORK/trace"
expect_message "Error 40: Graphic missing from library."
tried=$(grep -o 'cursors/cursor[0-9].bmp' "$E2E_WORK/trace" | tr '\n' ' ')
[ "$tried" = "cursors/cursor1.bmp cursors/cursor2.bmp cursors/cursor3.bmp cursors/cursor4.bmp " ] ||
    e2e_fail "cursor files tried: $tried"
e2e_check_score_files
rm -f "$E2E_RUN"/*.dat
mv "$E2E_WORK/cursor3.bmp" "$E2E_RUN/cursors/"
echo "missing cursor3: four cursors tried, error 40, exit code 1"

# Sound errors need a sound card: give the game one that records to a file.
e2e_capture_sound

# A missing sample ends the game before a graphics mode is set: the debugger
# logs every set_gfx_mode call, and the only one is the error path's text mode.
mv "$E2E_RUN/sfx/gem.wav" "$E2E_WORK/"
cat >"$E2E_WORK/gdb-commands" <<'GDB'
set breakpoint pending on
break set_gfx_mode
commands
silent
printf "set_gfx_mode card %d\n", $rdi
continue
end
run
quit $_exitcode
GDB
e2e_start_game gdb -q -batch -x "$E2E_WORK/gdb-commands" --args
expect_message "Error 15: Sound missing from library."
modes=$(grep -o 'set_gfx_mode card -\?[0-9]*' "$E2E_WORK/stdout" | tr '\n' ',')
[ "$modes" = "set_gfx_mode card -1," ] || e2e_fail "graphics modes set around the sound error: $modes"
mv "$E2E_WORK/gem.wav" "$E2E_RUN/sfx/"
echo "missing sample: error 15 before any graphics mode, exit code 1"

# The title piece is the last file the bank loads: everything before it is read first.
mv "$E2E_RUN/music/title.mid" "$E2E_WORK/"
e2e_start_game strace -f -e trace=openat -o "$E2E_WORK/trace"
expect_message "Error 15: Sound missing from library."
loaded=$(grep -o '"\(sfx\|music\)/[a-z]*\.\(wav\|mid\)", O_RDONLY) = [0-9-]*' "$E2E_WORK/trace" |
    sed 's/", O_RDONLY) = -1/ missing/; s/", O_RDONLY) = [0-9]*/ ok/; s/^"//' | tr '\n' ',')
expected="sfx/shot.wav ok,sfx/die.wav ok,sfx/enemybullet.wav ok,sfx/enemylaser.wav ok,sfx/enemydie.wav ok,"
expected+="sfx/enemybigdie.wav ok,sfx/three.wav ok,sfx/two.wav ok,sfx/one.wav ok,sfx/go.wav ok,sfx/gem.wav ok,"
expected+="sfx/extralife.wav ok,music/marathon.mid ok,music/title.mid missing,"
[ "$loaded" = "$expected" ] || e2e_fail "sound files read: $loaded"
mv "$E2E_WORK/title.mid" "$E2E_RUN/music/"
echo "missing title music: twelve samples and the game music loaded first, error 15"
echo "PASS"
