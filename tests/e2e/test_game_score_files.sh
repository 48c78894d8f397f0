#!/bin/bash
# Score files the player (or a crash, or a full disk) may leave behind, on the
# real binary: a short file, a long one, random bytes, a folder and a named
# pipe in place of a file, a run folder the game may not write to, files the
# player cannot read or may not write, a file another program rewrites while
# the game runs, and a symbolic link. The game must start, show on the score
# screens what it read, quit with 0, never leave a score file it wrote that is
# not 35 bytes, and never replace a file it could not read or may not write.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# Every regular file the game may have written in the run folder is 35 bytes.
check_no_odd_files() {
    local file size
    for file in "$E2E_RUN"/*; do
        [ -f "$file" ] || continue
        case "$(basename "$file")" in
            zenvar | zenvar-autopilot | allegro.cfg | default.cfg | contact_sheet.png) continue ;;
        esac
        size=$(stat -c %s "$file")
        [ "$size" -eq 35 ] || e2e_fail "$(basename "$file") is left with $size bytes"
    done
}

quit_from_front_end() {
    xdotool mousemove 630 10
    e2e_key Escape
    e2e_wait_exit 15
    [ "$E2E_EXIT" = 0 ] || e2e_fail "$1: the game ended with $E2E_EXIT"
}

# ---- Run 1: short, long and random files, each shown and rewritten at 35 bytes.
e2e_write_scores "$E2E_RUN/marathon.dat" 12345 ABC
head -c 7 "$E2E_RUN/marathon.dat" >"$E2E_WORK/short" && cp "$E2E_WORK/short" "$E2E_RUN/marathon.dat"
e2e_write_scores "$E2E_WORK/long" 5000 LNG 4000 MID 3000 ROW 2000 TWO 1000 END
head -c 65 /dev/urandom >>"$E2E_WORK/long"
cp "$E2E_WORK/long" "$E2E_RUN/twominute.dat"
head -c 35 /dev/urandom >"$E2E_WORK/random"
cp "$E2E_WORK/random" "$E2E_RUN/fiveminute.dat"

e2e_start_game
e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "the game window never appeared"
e2e_wait_title 30 || e2e_fail "the title never appeared"
# The attract cycle reaches the marathon table 1200 passes after the title.
e2e_wait_text 30 green 192 32 "Marathon  Scores" || e2e_fail "the marathon score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 176 112 "12345" || e2e_fail "the short file's score is not shown"
e2e_text_shown "$E2E_WORK/last.png" normal 416 112 "ABC" || e2e_fail "the short file's name is not shown"
e2e_text_shown "$E2E_WORK/last.png" normal 176 160 "0" || e2e_fail "rows beyond a short file should read 0"
e2e_wait_text 5 green 192 32 "Two  Min  Scores" || e2e_fail "the two-minute score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 176 112 "5000" || e2e_fail "the long file's first score is not shown"
e2e_text_shown "$E2E_WORK/last.png" normal 416 304 "END" || e2e_fail "the long file's fifth name is not shown"
quit_from_front_end "odd score files"
e2e_check_score_files
check_no_odd_files
[ "$(e2e_score_row "$E2E_RUN/marathon.dat" 0)" = "12345 ABC" ] || e2e_fail "the short file's row was not kept"
[ "$(od -An -t d4 -j 7 -N 4 "$E2E_RUN/marathon.dat" | tr -d ' ')" = 0 ] || e2e_fail "rows beyond a short file are not 0"
cmp -s -n 35 "$E2E_WORK/long" "$E2E_RUN/twominute.dat" || e2e_fail "the long file was not cut to its first 35 bytes"
cmp -s "$E2E_WORK/random" "$E2E_RUN/fiveminute.dat" || e2e_fail "a random 35-byte table did not survive a run unchanged"
echo "short, long and random files: shown, rewritten at 35 bytes"

# ---- Run 2: a folder and a named pipe where files should be.
rm -f "$E2E_RUN"/*.dat
mkdir "$E2E_RUN/marathon.dat"
mkfifo "$E2E_RUN/fiveminute.dat"
e2e_start_game
e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "a folder or pipe for a score file stopped the start-up"
e2e_wait_title 30 || e2e_fail "the title never appeared"
quit_from_front_end "a folder and a pipe"
[ -d "$E2E_RUN/marathon.dat" ] || e2e_fail "the folder in place of marathon.dat was replaced"
[ "$(stat -c %s "$E2E_RUN/twominute.dat")" -eq 35 ] || e2e_fail "twominute.dat was not written"
check_no_odd_files
rmdir "$E2E_RUN/marathon.dat"
rm -f "$E2E_RUN/fiveminute.dat"
echo "folder and named pipe: the game runs and quits with 0"

# ---- Run 3: a run folder the game may not write to (as an unprivileged user,
# since root writes anywhere).
runner=()
can_protect=yes
if [ "$(id -u)" = 0 ]; then
    if command -v setpriv >/dev/null; then
        runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    else
        can_protect=""
    fi
fi
if [ -n "$can_protect" ]; then
    rm -f "$E2E_RUN"/*.dat
    e2e_write_scores "$E2E_RUN/marathon.dat" 900 RO1 800 RO2 700 RO3 600 RO4 500 RO5
    cp "$E2E_RUN/marathon.dat" "$E2E_WORK/readonly"
    chmod 755 "$E2E_WORK"
    chmod 555 "$E2E_RUN"
    chmod 444 "$E2E_RUN/marathon.dat"
    e2e_start_game "${runner[@]}"
    e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "a read-only run folder stopped the start-up"
    e2e_wait_title 30 || e2e_fail "the title never appeared"
    quit_from_front_end "a read-only run folder"
    chmod 755 "$E2E_RUN"
    cmp -s "$E2E_WORK/readonly" "$E2E_RUN/marathon.dat" || e2e_fail "the read-only table changed"
    [ ! -e "$E2E_RUN/twominute.dat" ] || e2e_fail "a file appeared in a read-only folder"
    check_no_odd_files
    echo "read-only run folder: nothing written, the old table intact, exit code 0"
else
    echo "read-only run folder: skipped (running as root without setpriv)"
fi

# ---- Run 4: the player's own files, unreadable (000), write-only (200) and
# read-only (444, 40 bytes so the game would rewrite it): each stays as it
# was, mode and bytes, with one line on stderr.
if [ -n "$can_protect" ]; then
    rm -f "$E2E_RUN"/*.dat
    e2e_write_scores "$E2E_RUN/marathon.dat" 900 NR1 800 NR2 700 NR3 600 NR4 500 NR5
    e2e_write_scores "$E2E_RUN/fiveminute.dat" 901 WO1 801 WO2 701 WO3 601 WO4 501 WO5
    e2e_write_scores "$E2E_RUN/twominute.dat" 902 RO1 802 RO2 702 RO3 602 RO4 502 RO5
    printf 12345 >>"$E2E_RUN/twominute.dat"
    [ "$(id -u)" = 0 ] && chown 65534:65534 "$E2E_RUN" "$E2E_RUN"/*.dat
    modes=(marathon.dat:000 fiveminute.dat:200 twominute.dat:444)
    for entry in "${modes[@]}"; do
        cp "$E2E_RUN/${entry%:*}" "$E2E_WORK/before-${entry%:*}"
        chmod "${entry#*:}" "$E2E_RUN/${entry%:*}"
    done
    e2e_start_game "${runner[@]}"
    e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "protected score files stopped the start-up"
    e2e_wait_title 30 || e2e_fail "the title never appeared"
    quit_from_front_end "protected score files"
    for entry in "${modes[@]}"; do
        file=${entry%:*}
        [ "$(stat -c %a "$E2E_RUN/$file")" -eq "${entry#*:}" ] || e2e_fail "the mode of $file changed"
        cmp -s "$E2E_WORK/before-$file" "$E2E_RUN/$file" || e2e_fail "$file was replaced"
        [ "$(grep -c "^Zenvar: .*$file" "$E2E_WORK/stderr")" = 1 ] || e2e_fail "not one line on stderr for $file"
    done
    [ "$(ls "$E2E_RUN" | grep -c '\.dat\.')" = 0 ] || e2e_fail "a temporary file was left behind"
    echo "unreadable, write-only and read-only files: left alone, one line each"
fi

# ---- Run 5: another program rewrites twominute.dat while the game runs, and
# marathon.dat is a link to a short file in another folder. This session
# added nothing: the other program's table stays, and the short target is
# rewritten at 35 bytes through the link, which stays a link.
rm -f "$E2E_RUN"/*.dat
mkdir "$E2E_WORK/store"
e2e_write_scores "$E2E_WORK/store/marathon.dat" 12345 LNK
printf 12 >>"$E2E_WORK/store/marathon.dat"
ln -s ../store/marathon.dat "$E2E_RUN/marathon.dat"
e2e_write_scores "$E2E_RUN/twominute.dat" 700 OLD 600 OLD 500 OLD 400 OLD 300 OLD
e2e_start_game
e2e_wait_window Zenvar 20 >/dev/null || e2e_fail "the game window never appeared"
e2e_wait_title 30 || e2e_fail "the title never appeared"
e2e_write_scores "$E2E_WORK/other" 800 NEW 700 OLD 600 OLD 500 OLD 400 OLD
cp "$E2E_WORK/other" "$E2E_RUN/twominute.dat"
quit_from_front_end "another writer and a link"
[ -L "$E2E_RUN/marathon.dat" ] || e2e_fail "the link marathon.dat was replaced"
[ "$(stat -c %s "$E2E_WORK/store/marathon.dat")" = 35 ] || e2e_fail "the link's target was not rewritten"
[ "$(e2e_score_row "$E2E_WORK/store/marathon.dat" 0)" = "12345 LNK" ] || e2e_fail "the link's target lost its row"
[ "$(ls "$E2E_WORK/store")" = marathon.dat ] || e2e_fail "a temporary file was left beside the link's target"
cmp -s "$E2E_WORK/other" "$E2E_RUN/twominute.dat" || e2e_fail "the other program's twominute.dat was replaced"
echo "another writer and a link: the other table stays, the link stays"
echo "PASS"
