# Shared helpers for the end-to-end runs of the real game under Xvfb.
#
# Each scenario sources this file, copies the run folder into a scratch folder
# (so it can remove assets and read the score files without touching the
# build), starts its own Xvfb on a free display, drives the game with xdotool
# and reads the screen back with ImageMagick. Everything started here is ended
# by e2e_cleanup, which the scenario's EXIT trap runs.
#
# Usage in a scenario:  source "$(dirname "$0")/lib.sh"; e2e_setup "$1"

E2E_XVFB_PID=""
E2E_GAME_PID=""
E2E_WORK=""
E2E_RUN=""

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$E2E_WORK" ] && [ -f "$E2E_WORK/stdout" ]; then
        echo "--- game stdout:" >&2
        tail -n 20 "$E2E_WORK/stdout" >&2
        echo "--- game stderr:" >&2
        grep -v '^ALSA lib' "$E2E_WORK/stderr" | tail -n 20 >&2
    fi
    exit 1
}

e2e_cleanup() {
    if [ -n "$E2E_GAME_PID" ] && kill -0 "$E2E_GAME_PID" 2>/dev/null; then
        # Allegro's own signal handler can deadlock on SIGTERM; end it outright.
        kill -KILL "$E2E_GAME_PID" 2>/dev/null
        wait "$E2E_GAME_PID" 2>/dev/null
    fi
    if [ -n "$E2E_XVFB_PID" ]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    if [ -n "$E2E_WORK" ] && [ -z "${E2E_KEEP:-}" ]; then
        rm -rf "$E2E_WORK"
    fi
}

# e2e_setup RUN_FOLDER: scratch copy of the run folder in $E2E_RUN, Xvfb on $DISPLAY.
e2e_setup() {
    local source_run=$1
    [ -x "$source_run/zenvar" ] || e2e_fail "no game in $source_run"
    E2E_WORK=$(mktemp -d /tmp/zenvar-e2e-XXXXXX)
    trap e2e_cleanup EXIT
    E2E_RUN="$E2E_WORK/run"
    cp -a "$source_run" "$E2E_RUN"
    rm -f "$E2E_RUN"/*.dat
    e2e_start_xvfb
}

e2e_start_xvfb() {
    local display_file="$E2E_WORK/display"
    exec 9>"$display_file"
    Xvfb -displayfd 9 -screen 0 640x480x24 -nolisten tcp >"$E2E_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    exec 9>&-
    local tries=0
    while [ ! -s "$display_file" ]; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || e2e_fail "Xvfb did not start"
        sleep 0.1
    done
    export DISPLAY=":$(head -n 1 "$display_file")"
    # The server must also answer before the game may try to open it.
    tries=0
    until xdpyinfo >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ "$tries" -lt 100 ] || e2e_fail "Xvfb on $DISPLAY does not answer"
        sleep 0.1
    done
}

# e2e_start_game [PREFIX...]: starts the game ($E2E_GAME, default zenvar) in the scratch run folder, with
# an optional command in front (strace, env...). Output goes to $E2E_WORK.
e2e_start_game() {
    (cd "$E2E_RUN" && exec "$@" "./${E2E_GAME:-zenvar}" >"$E2E_WORK/stdout" 2>"$E2E_WORK/stderr") &
    E2E_GAME_PID=$!
}

# e2e_wait_exit SECONDS: waits for the game to end and sets E2E_EXIT to its
# exit code, or to "timeout" when it still runs after SECONDS (it is then killed).
# Not for $(...): only this shell can collect the game's exit code.
e2e_wait_exit() {
    local limit=$(($1 * 10)) tries=0
    while kill -0 "$E2E_GAME_PID" 2>/dev/null; do
        tries=$((tries + 1))
        if [ "$tries" -ge "$limit" ]; then
            kill -KILL "$E2E_GAME_PID" 2>/dev/null
            wait "$E2E_GAME_PID" 2>/dev/null
            E2E_GAME_PID=""
            E2E_EXIT=timeout
            return
        fi
        sleep 0.1
    done
    wait "$E2E_GAME_PID"
    E2E_EXIT=$?
    E2E_GAME_PID=""
}

# e2e_wait_window NAME SECONDS: echoes the id of the first window called NAME.
e2e_wait_window() {
    local name=$1 limit=$(($2 * 10)) tries=0 id
    while :; do
        id=$(xdotool search --name "^$name\$" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        tries=$((tries + 1))
        [ "$tries" -lt "$limit" ] || return 1
        sleep 0.1
    done
}

# Every process started by the game, at any depth (allegro_message runs a shell
# that runs xmessage).
e2e_descendants() {
    local parent=$1 child
    for child in $(pgrep -P "$parent"); do
        echo "$child"
        e2e_descendants "$child"
    done
}

# e2e_message_text SECONDS: waits for the game's message box and echoes its
# text (read from the xmessage command line), leaving the box open.
e2e_message_text() {
    local limit=$(($1 * 10)) tries=0 pid
    while :; do
        for pid in $(e2e_descendants "$E2E_GAME_PID"); do
            if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "xmessage" ]; then
                # The text is the last argument.
                local args
                mapfile -d '' args <"/proc/$pid/cmdline"
                echo "${args[-1]}"
                return 0
            fi
        done
        tries=$((tries + 1))
        [ "$tries" -lt "$limit" ] || return 1
        sleep 0.1
    done
}

# Presses OK on the message box, as the player would.
e2e_press_message_ok() {
    local id
    id=$(xdotool search --onlyvisible --class xmessage 2>/dev/null | tail -n 1)
    [ -n "$id" ] || return 1
    # Without a window manager the keyboard focus follows the pointer.
    xdotool mousemove --window "$id" 10 10
    xdotool windowfocus --sync "$id"
    xdotool keydown Return
    sleep 0.1
    xdotool keyup Return
}

e2e_screenshot() {
    import -window root "$1" 2>/dev/null
}

# e2e_pixel FILE X Y: "r,g,b" of one pixel of a screenshot.
e2e_pixel() {
    convert "$1" -depth 8 -format '%[fx:int(255*p{'"$2,$3"'}.r)],%[fx:int(255*p{'"$2,$3"'}.g)],%[fx:int(255*p{'"$2,$3"'}.b)]\n' info:
}

# e2e_close_window ID: the window manager's close button, without a window manager.
e2e_close_window() {
    local tool="$E2E_WORK/shell_close_window"
    if [ ! -x "$tool" ]; then
        cc -O1 -o "$tool" "$(dirname "${BASH_SOURCE[0]}")/shell_close_window.c" -lX11 ||
            e2e_fail "cannot build the close-button helper"
    fi
    "$tool" "$1"
}

# e2e_key KEY: holds a key long enough for once-per-frame polling to see it.
e2e_key() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
}

# e2e_check_score_files: the three tables were written, 35 bytes each.
e2e_check_score_files() {
    local file size
    for file in marathon.dat twominute.dat fiveminute.dat; do
        [ -f "$E2E_RUN/$file" ] || e2e_fail "$file was not written"
        size=$(stat -c %s "$E2E_RUN/$file")
        [ "$size" -eq 35 ] || e2e_fail "$file is $size bytes, not 35"
    done
}

e2e_check_no_score_files() {
    local file
    for file in marathon.dat twominute.dat fiveminute.dat; do
        [ ! -e "$E2E_RUN/$file" ] || e2e_fail "$file was written"
    done
}

# e2e_capture_sound: gives the game a sound card that records to
# $E2E_WORK/sound.wav: an ALSA file device in front of the null device, chosen
# through the scratch run folder's allegro.cfg. Output is not paced in real time.
e2e_capture_sound() {
    export HOME="$E2E_WORK"  # alsa-lib reads ~/.asoundrc
    cat >"$E2E_WORK/.asoundrc" <<ASOUND
pcm.zenvarcapture {
  type plug
  slave {
    pcm {
      type file
      slave.pcm "null"
      file "$E2E_WORK/sound.wav"
      format "wav"
    }
    format S16_LE
  }
}
ASOUND
    grep -q '^\[sound\]' "$E2E_RUN/allegro.cfg" || echo "[sound]" >>"$E2E_RUN/allegro.cfg"
    sed -i 's/^\[sound\]$/[sound]\ndigi_card = ALSA\nalsa_device = zenvarcapture/' "$E2E_RUN/allegro.cfg"
}

# E2E_WITHOUT_BUILD: a prefix for e2e_start_game that runs the game as if the
# folder holding the built run folder were gone (an empty folder mounted over
# it in a private mount namespace): the scratch copy must need nothing from it.
e2e_without_build() {
    local build
    build=$(dirname "$(cd "$1" && pwd)")
    unshare --mount --map-root-user true 2>/dev/null || e2e_fail "unshare cannot make a mount namespace here"
    E2E_WITHOUT_BUILD=(unshare --mount --map-root-user sh -c 'mount -t tmpfs none "$0" && exec "$@"' "$build")
}

# e2e_rms WAV: the RMS amplitude of a recording (0 to 1).
e2e_rms() {
    sox "$1" -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# e2e_cpu_percent PID SECONDS: share of one core the process used over SECONDS.
e2e_cpu_percent() {
    local pid=$1 seconds=$2 before after ticks
    ticks=$(getconf CLK_TCK)
    before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    sleep "$seconds"
    after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
    echo $(((after - before) * 100 / (ticks * seconds)))
}

# ---- Helpers for the whole-game scenarios (test_game_*.sh) ----

# e2e_tool NAME: builds tests/e2e/tools/NAME.c once into $E2E_WORK, echoes its path.
e2e_tool() {
    local tool="$E2E_WORK/$1"
    if [ ! -x "$tool" ]; then
        cc -O1 -o "$tool" "$(dirname "${BASH_SOURCE[0]}")/tools/$1.c" ${2:-} >&2 ||
            e2e_fail "cannot build the helper $1"
    fi
    echo "$tool"
}

# e2e_click X Y [BUTTON]: a press held long enough for once-per-frame polling.
e2e_click() {
    xdotool mousemove "$1" "$2"
    sleep 0.1
    xdotool mousedown "${3:-1}"
    sleep 0.15
    xdotool mouseup "${3:-1}"
    sleep 0.1
}

# e2e_text_shown SHOT normal|green X Y TEXT: the game's font text is on the screenshot.
e2e_text_shown() {
    local shot=$1 strip=$2 font_ppm="$E2E_WORK/font-$2.ppm" tool
    tool=$(e2e_tool text_at)
    if [ ! -s "$font_ppm" ]; then
        local bmp="$E2E_RUN/font/font.bmp"
        [ "$strip" = green ] && bmp="$E2E_RUN/font/fontgreen.bmp"
        convert "$bmp" "$font_ppm" || e2e_fail "cannot read $bmp"
    fi
    convert "$shot" -alpha off -depth 8 "$E2E_WORK/shot.ppm" 2>/dev/null || return 1
    "$tool" "$E2E_WORK/shot.ppm" "$font_ppm" "$3" "$4" "$5" >/dev/null
}

# e2e_wait_text SECONDS normal|green X Y TEXT: screenshots until the text shows.
# The last screenshot stays in $E2E_WORK/last.png.
e2e_wait_text() {
    local limit=$(($1 * 4)) tries=0
    while [ "$tries" -lt "$limit" ]; do
        e2e_screenshot "$E2E_WORK/last.png"
        if e2e_text_shown "$E2E_WORK/last.png" "$2" "$3" "$4" "$5"; then
            return 0
        fi
        tries=$((tries + 1))
        sleep 0.25
    done
    return 1
}

# e2e_write_scores FILE SCORE NAME x5: a 35-byte table, little-endian scores.
e2e_write_scores() {
    local file=$1 score name byte i
    shift
    : >"$file"
    while [ $# -ge 2 ]; do
        score=$1 name=$2
        shift 2
        for i in 0 8 16 24; do
            byte=$(((score >> i) & 255))
            printf "\\x$(printf %02x "$byte")" >>"$file"
        done
        printf '%s' "$name" >>"$file"
    done
}

# e2e_score_row FILE ROW: "score name" of one row of a table file.
e2e_score_row() {
    local offset=$(($2 * 7)) score
    score=$(od -An -t d4 -j "$offset" -N 4 "$1" | tr -d ' ')
    echo "$score $(dd if="$1" bs=1 skip=$((offset + 4)) count=3 2>/dev/null)"
}

# e2e_wait_title SECONDS: the live title menu. The text matches within the
# screen's rounding a few passes before the 32-pass fade-in is over, and the
# menu ignores clicks and ESC until then, so wait out the rest of the fade.
e2e_wait_title() {
    e2e_wait_text "$1" normal 216 240 "Marathon Game" || return 1
    sleep 0.6
}
