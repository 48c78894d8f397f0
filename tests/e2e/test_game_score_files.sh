#!/bin/bash
# Score files a crash, a full disk or the player may leave behind: short and
# long files, a folder or a pipe in their place, a read-only run folder, files
# the player cannot read or write. The game shows what it read and ends with 0
# (by ESC, or by SIGTERM and SIGHUP through its normal shut-down), leaves no
# file it wrote at other than 35 bytes, and never replaces a file it could not
# read or may not write.
source "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# Root writes anywhere: the protected runs play the game as nobody.
runner=()
[ "$(id -u)" = 0 ] && runner=(setpriv --reuid=65534 --regid=65534 --clear-groups)

# to_title WHAT [PREFIX...]: the game started and at its live title.
to_title() {
    WHAT=$1
    shift
    e2e_start_game "$@"
    e2e_wait_title 30 || e2e_fail "$WHAT: the title never appeared"
}

# Every regular file the game may have written in the run folder is 35 bytes.
check_no_odd_files() {
    local file
    for file in "$E2E_RUN"/*.dat*; do
        [ ! -f "$file" ] || [ "$(stat -c %s "$file")" -eq 35 ] || e2e_fail "$WHAT: $(basename "$file") is left at $(stat -c %s "$file") bytes"
    done
}

# ---- Short and long files: each shown, and rewritten at 35 bytes.
e2e_write_scores "$E2E_WORK/short" 12345 ABC
head -c 7 "$E2E_WORK/short" >"$E2E_RUN/marathon.dat"
e2e_write_scores "$E2E_WORK/long" 5000 LNG 4000 MID 3000 ROW 2000 TWO 1000 END
head -c 65 /dev/urandom >>"$E2E_WORK/long"
cp "$E2E_WORK/long" "$E2E_RUN/twominute.dat"
to_title "odd score files"
# The attract cycle reaches the marathon table 1200 passes after the title.
e2e_wait_text 30 green 192 32 "Marathon  Scores" || e2e_fail "the marathon score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 176 112 "12345" || e2e_fail "the short file's score is not shown"
e2e_text_shown "$E2E_WORK/last.png" normal 416 112 "ABC" || e2e_fail "the short file's name is not shown"
e2e_wait_text 5 green 192 32 "Two  Min  Scores" || e2e_fail "the two-minute score screen did not come round"
e2e_text_shown "$E2E_WORK/last.png" normal 176 112 "5000" || e2e_fail "the long file's first score is not shown"
e2e_click 630 10  # back to the title, then into a round
e2e_wait_title 5 || e2e_fail "a click on a score screen did not lead back to the title"
e2e_click 300 248
e2e_wait_round 10 || e2e_fail "no round started"
kill -TERM "$E2E_GAME_PID"
e2e_ended "by SIGTERM in a round"
e2e_check_score_files
check_no_odd_files
[ "$(e2e_score_row "$E2E_RUN/marathon.dat" 0)" = "12345 ABC" ] || e2e_fail "the short file's row was not kept"
[ "$(od -An -t d4 -j 7 -N 4 "$E2E_RUN/marathon.dat" | tr -d ' ')" = 0 ] || e2e_fail "rows beyond a short file are not 0"
cmp -s -n 35 "$E2E_WORK/long" "$E2E_RUN/twominute.dat" || e2e_fail "the long file was not cut to its first 35 bytes"

# ---- A folder and a named pipe where files should be.
rm -f "$E2E_RUN"/*.dat
mkdir "$E2E_RUN/marathon.dat"
mkfifo "$E2E_RUN/fiveminute.dat"
to_title "a folder and a pipe"
kill -HUP "$E2E_GAME_PID"
e2e_ended "by SIGHUP at the title"
[ -d "$E2E_RUN/marathon.dat" ] || e2e_fail "the folder in place of marathon.dat was replaced"
[ "$(stat -c %s "$E2E_RUN/twominute.dat")" -eq 35 ] || e2e_fail "twominute.dat was not written"
check_no_odd_files
rmdir "$E2E_RUN/marathon.dat"

# ---- A run folder the game may not write to: nothing written, the old table intact.
rm -f "$E2E_RUN"/*.dat
e2e_write_scores "$E2E_RUN/marathon.dat" 900 RO1 800 RO2 700 RO3 600 RO4 500 RO5
cp "$E2E_RUN/marathon.dat" "$E2E_WORK/readonly"
chmod 755 "$E2E_WORK"
chmod 555 "$E2E_RUN"
chmod 444 "$E2E_RUN/marathon.dat"
to_title "a read-only run folder" "${runner[@]}"
e2e_quit "$WHAT"
chmod 755 "$E2E_RUN"
cmp -s "$E2E_WORK/readonly" "$E2E_RUN/marathon.dat" || e2e_fail "the read-only table changed"
[ "$(ls "$E2E_RUN" | grep '\.dat')" = marathon.dat ] || e2e_fail "a file appeared in a read-only folder"

# ---- The player's own files, unreadable (000), write-only (200) and read-only
# (444, 40 bytes so the game would rewrite it): each stays as it was, mode and
# bytes, with one line on stderr, and no temporary file is left.
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
to_title "protected score files" "${runner[@]}"
e2e_quit "$WHAT"
for entry in "${modes[@]}"; do
    file=${entry%:*}
    [ "$(stat -c %a "$E2E_RUN/$file")" -eq "${entry#*:}" ] || e2e_fail "the mode of $file changed"
    cmp -s "$E2E_WORK/before-$file" "$E2E_RUN/$file" || e2e_fail "$file was replaced"
    [ "$(grep -c "^Zenvar: .*$file" "$E2E_WORK/stderr")" = 1 ] || e2e_fail "not one line on stderr for $file"
done
[ "$(ls "$E2E_RUN" | grep -c '\.dat\.')" = 0 ] || e2e_fail "a temporary file was left behind"

echo "PASS"
