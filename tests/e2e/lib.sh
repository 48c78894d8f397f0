# Helpers for the end-to-end runs of the real game: each scenario sources this
# and calls e2e_setup RUN_FOLDER (a scratch copy of the run folder, its own
# Xvfb), drives the game with xdotool and reads ImageMagick screenshots back.

E2E_XVFB_PID="" E2E_GAME_PID="" E2E_WORK="" E2E_RUN=""
E2E_PIDS=()  # servers a scenario starts beside the game, ended after it
E2E_TOOLS="$(dirname "${BASH_SOURCE[0]}")/tools"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/xvfb.sh"

e2e_fail() {
    echo "FAIL: $*" >&2
    [ -f "$E2E_WORK/stdout" ] && { echo "--- game stdout:"; tail -n 20 "$E2E_WORK/stdout"; echo "--- game stderr:"
        grep -v '^ALSA lib' "$E2E_WORK/stderr" | tail -n 20; } >&2
    exit 1
}

e2e_cleanup() {
    # Allegro's own signal handler can deadlock on SIGTERM: end the game outright.
    [ -n "$E2E_GAME_PID" ] && kill -KILL "$E2E_GAME_PID" 2>/dev/null && wait "$E2E_GAME_PID" 2>/dev/null
    [ ${#E2E_PIDS[@]} -gt 0 ] && kill "${E2E_PIDS[@]}" 2>/dev/null && wait "${E2E_PIDS[@]}" 2>/dev/null
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null && wait "$E2E_XVFB_PID" 2>/dev/null
    [ -n "$E2E_WORK" ] && [ -z "${E2E_KEEP:-}" ] && rm -rf "$E2E_WORK"
}

# e2e_copy_run RUN_FOLDER: scratch copy of the run folder in $E2E_RUN, no score files.
e2e_copy_run() {
    [ -x "$1/zenvar" ] || e2e_fail "no game in $1"
    E2E_WORK=$(mktemp -d /tmp/zenvar-e2e-XXXXXX)
    trap e2e_cleanup EXIT
    E2E_RUN="$E2E_WORK/run"
    cp -a "$1" "$E2E_RUN"
    rm -f "$E2E_RUN"/*.dat
}

# e2e_setup RUN_FOLDER [SCREEN]: scratch copy of the run folder in $E2E_RUN,
# Xvfb on $DISPLAY (SCREEN is its size and depth, 640x480x24 by default).
e2e_setup() {
    e2e_copy_run "$1"
    start_xvfb "$E2E_WORK" "${2:-640x480x24}"
    local started=$?
    E2E_XVFB_PID=$XVFB_PID
    [ "$started" -eq 0 ] || e2e_fail "Xvfb did not start or does not answer"
}

# e2e_need TOOL...: SKIP the scenario unless every tool is installed.
e2e_need() {
    local tool
    for tool; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/install-deps.sh)"; exit 0; }
    done
}

# e2e_openbox: the window manager on $DISPLAY, up and answering.
e2e_openbox() {
    openbox >"$E2E_WORK/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_poll 10 'wmctrl -m >/dev/null 2>&1' || e2e_fail "openbox did not start: $(tail -n 3 "$E2E_WORK/openbox.log")"
}

# e2e_poll SECONDS COMMAND: runs COMMAND every 0.1 s until it succeeds.
e2e_poll() {
    local end=$((SECONDS + $1))
    until eval "$2"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.1
    done
}

# e2e_start_game [PREFIX...]: the game ($E2E_GAME, default zenvar) in the
# scratch run folder, behind an optional command (strace, env...).
e2e_start_game() {
    (cd "$E2E_RUN" && exec "$@" "./${E2E_GAME:-zenvar}" >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr") &
    E2E_GAME_PID=$!
}

# e2e_wait_exit SECONDS: E2E_EXIT = the game's exit code, or "timeout" (it is
# then killed). Not for $(...): only this shell can collect the exit code.
e2e_wait_exit() {
    if e2e_poll "$1" '! kill -0 "$E2E_GAME_PID" 2>/dev/null'; then
        wait "$E2E_GAME_PID"
        E2E_EXIT=$?
    else
        kill -KILL "$E2E_GAME_PID" 2>/dev/null
        wait "$E2E_GAME_PID" 2>/dev/null
        E2E_EXIT=timeout
    fi
    E2E_GAME_PID=""
}

# e2e_ended HOW: the game, told to end (ESC, a signal, the close button), ends
# through its normal shut-down with 0, not through Allegro's own handler.
e2e_ended() {
    e2e_wait_exit 20
    [ "$E2E_EXIT" = 0 ] || e2e_fail "the game ended $1 with $E2E_EXIT"
    ! grep -q "Shutting down Allegro" "$E2E_WORK/stderr" || e2e_fail "Allegro's own handler ran $1"
    echo "ended $1: normal shut-down"
}

# e2e_wait_window SECONDS: echoes the id of the game's window.
e2e_wait_window() {
    e2e_poll "$1" 'E2E_WINDOW=$(xdotool search --name "^Zenvar\$" 2>/dev/null | head -n 1); [ -n "$E2E_WINDOW" ]' &&
        echo "$E2E_WINDOW"
}

# e2e_message_text SECONDS: waits for the game's message box (xmessage, run
# by allegro_message) and echoes its text, the last word of its command line.
e2e_message_text() {
    e2e_poll "$1" 'E2E_BOX=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | tail -n 1); [ -n "$E2E_BOX" ]' &&
        xprop -id "$E2E_BOX" WM_COMMAND | sed 's/.*, "\(.*\)" }$/\1/; s/\\n$//'
}

# e2e_press_message_ok: presses OK on the message box, as the player would,
# and waits for the box to go. Without a window manager the keyboard focus
# follows the pointer, and the box takes a moment to accept it.
e2e_press_message_ok() {
    local id
    e2e_poll 5 'id=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | tail -n 1) && [ -n "$id" ] &&
        xdotool mousemove --window "$id" 10 10 2>/dev/null && xdotool windowfocus --sync "$id" 2>/dev/null' &&
        e2e_key Return && e2e_poll 5 '[ -z "$(xdotool search --onlyvisible --class xmessage 2>/dev/null)" ]'
}

# On a screen larger than the game, E2E_CROP (e.g. 640x480+640+300) cuts its picture out.
e2e_screenshot() { import -window root ${E2E_CROP:+-crop "$E2E_CROP" +repage} "$1" 2>/dev/null; }

# e2e_changed A B: how many pixels differ between $E2E_WORK/A.png and B.png.
e2e_changed() { compare -metric AE "$E2E_WORK/$1.png" "$E2E_WORK/$2.png" null: 2>&1 | cut -d' ' -f1; }

# e2e_cpu_ticks: the clock ticks of CPU the game has used so far.
e2e_cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$E2E_GAME_PID/stat"; }

# e2e_pixel FILE X Y: "r,g,b" of one pixel of a screenshot.
e2e_pixel() {
    convert "$1" -depth 8 -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_tool NAME [CFLAGS]: builds tests/e2e/tools/NAME.c once into $E2E_WORK, echoes its path.
e2e_tool() {
    [ -x "$E2E_WORK/$1" ] || cc -O1 -o "$E2E_WORK/$1" "$E2E_TOOLS/$1.c" ${2:-} >&2 || e2e_fail "cannot build the helper $1"
    echo "$E2E_WORK/$1"
}

# e2e_key KEY: held long enough for once-per-frame polling to see it.
e2e_key() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
}

# e2e_click X Y [BUTTON]: a press held long enough for once-per-frame polling,
# even on a loaded machine that stalls the game for a few frames.
e2e_click() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool mousedown "${3:-1}"
    sleep 0.25
    xdotool mouseup "${3:-1}"
    sleep 0.1
}

# e2e_check_score_files: the three tables were written, 35 bytes each.
e2e_check_score_files() {
    local file
    for file in marathon.dat twominute.dat fiveminute.dat; do
        [ "$(stat -c %s "$E2E_RUN/$file" 2>/dev/null)" = 35 ] || e2e_fail "$file was not written at 35 bytes"
    done
}

# e2e_quit WHAT: ESC at the front end (pointer out of the way) ends the game as e2e_ended.
e2e_quit() {
    xdotool mousemove 630 10
    e2e_key Escape
    e2e_ended "by ESC at the front end ($1)"
}

# e2e_capture_sound: a sound card recording to $E2E_WORK/sound.wav (an ALSA
# file device before the null device, not paced in real time) in allegro.cfg.
e2e_capture_sound() {
    export HOME="$E2E_WORK"  # alsa-lib reads ~/.asoundrc
    cat >"$E2E_WORK/.asoundrc" <<ASOUND
pcm.zenvarcapture {
  type plug
  slave {
    pcm { type file; slave.pcm "null"; file "$E2E_WORK/sound.wav"; format "wav" }
    format S16_LE
  }
}
ASOUND
    grep -q '^\[sound\]' "$E2E_RUN/allegro.cfg" || echo "[sound]" >>"$E2E_RUN/allegro.cfg"
    sed -i 's/^\[sound\]$/[sound]\ndigi_card = ALSA\nalsa_device = zenvarcapture/' "$E2E_RUN/allegro.cfg"
}

# e2e_without_build BUILT_RUN_FOLDER: E2E_WITHOUT_BUILD = a prefix for
# e2e_start_game that hides the build folder under an empty private mount.
e2e_without_build() {
    local build
    build=$(dirname "$(cd "$1" && pwd)")
    unshare --mount --map-root-user true 2>/dev/null || e2e_fail "unshare cannot make a mount namespace here"
    E2E_WITHOUT_BUILD=(unshare --mount --map-root-user sh -c 'mount -t tmpfs none "$0" && exec "$@"' "$build")
}

# e2e_rms WAV: the RMS amplitude of a recording (0 to 1).
e2e_rms() { sox "$1" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'; }

# e2e_text_shown SHOT normal|green X Y TEXT: the game's font text is on the screenshot.
e2e_text_shown() {
    local font_ppm="$E2E_WORK/font-$2.ppm" bmp="$E2E_RUN/font/font.bmp"
    [ "$2" = green ] && bmp="$E2E_RUN/font/fontgreen.bmp"
    [ -s "$font_ppm" ] || convert "$bmp" "$font_ppm" || e2e_fail "cannot read $bmp"
    convert "$1" -alpha off -depth 8 "$E2E_WORK/shot.ppm" 2>/dev/null || return 1
    "$(e2e_tool text_at)" "$E2E_WORK/shot.ppm" "$font_ppm" "$3" "$4" "$5" >/dev/null
}

# e2e_wait_text SECONDS normal|green X Y TEXT: screenshots until the text
# shows. The last screenshot stays in $E2E_WORK/last.png.
e2e_wait_text() {
    local end=$((SECONDS + $1))
    until e2e_screenshot "$E2E_WORK/last.png" && e2e_text_shown "$E2E_WORK/last.png" "$2" "$3" "$4" "$5"; do
        [ "$SECONDS" -lt "$end" ] || return 1
        sleep 0.25
    done
}

# e2e_wait_title SECONDS: the live title menu. The text matches within the
# screen's rounding a few passes before the 32-pass fade-in is over, and the
# menu ignores clicks and ESC until then, so wait out the rest of the fade.
e2e_wait_title() {
    e2e_wait_text "$1" normal 216 240 "Marathon Game" || return 1
    sleep 0.6
}

# e2e_wait_round SECONDS: a round's HUD is up and its countdown over (the
# countdown reads no input).
e2e_wait_round() {
    e2e_wait_text "$1" green 0 0 "Score" || return 1
    e2e_poll 5 'e2e_screenshot "$E2E_WORK/last.png"; ! e2e_text_shown "$E2E_WORK/last.png" normal 280 224 "3"'
}

# e2e_write_scores FILE SCORE NAME...: a table file, little-endian scores.
e2e_write_scores() {
    local file=$1 i
    shift
    : >"$file"
    while [ $# -ge 2 ]; do
        for i in 0 8 16 24; do printf "\\x$(printf %02x $((($1 >> i) & 255)))" >>"$file"; done
        printf '%s' "$2" >>"$file"
        shift 2
    done
}

# e2e_score_row FILE ROW: "score name" of one row of a table file.
e2e_score_row() {
    local offset=$(($2 * 7))
    echo "$(od -An -t d4 -j "$offset" -N 4 "$1" | tr -d ' ') $(dd if="$1" bs=1 skip=$((offset + 4)) count=3 2>/dev/null)"
}
