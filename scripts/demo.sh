#!/bin/bash
# The game without a screen: runs the real game on a virtual display (Xvfb)
# built with its autopilot (zenvar-autopilot) flying the ship, and leaves a strip of
# PNG frames, an animated GIF and a WAV of the sound it made.
#   scripts/demo.sh [RUN_FOLDER] [SECONDS_OF_PLAY]
#   scripts/demo.sh --docs [RUN_FOLDER]
# The run folder is copied first, so the demo never touches the player's
# score files. Output goes to out/demo/ in the source tree.
# With --docs it also renews the README's pictures in docs/ from this run:
# the title, the first triangle volleys and the first big battleship fully in
# view (the autopilot says when, on its stdout), and the asset generator's
# contact sheet. It plays until it has both, for at most four minutes.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/xvfb.sh"
docs=""
if [ "${1:-}" = --docs ]; then
    docs="$root/docs"
    shift
fi
run_source=${1:-$root/build/run}
play_seconds=${2:-30}
[ -n "$docs" ] && play_seconds=240
out="$root/out/demo"
# The game built with the autopilot (scripts/autopilot), as it lies in the run folder.
autopilot_game=zenvar-autopilot

[ -x "$run_source/$autopilot_game" ] || { echo "demo: no $autopilot_game in $run_source (build it first)" >&2; exit 1; }
for tool in Xvfb xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "demo: $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/zenvar-demo-XXXXXX)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

cp -a "$run_source" "$work/run"
# Tables no round can beat, so a lost game goes straight back to the title
# instead of waiting at name entry for a mouse that nobody moves.
for table in marathon twominute fiveminute; do
    for row in 1 2 3 4 5; do printf '\377\377\377\177DEM'; done >"$work/run/$table.dat"
done
rm -rf "$out"
mkdir -p "$out/frames"

# A virtual display of the game's own size.
start_xvfb "$work" 640x480x24
started=$?
xvfb_pid=$XVFB_PID
[ "$started" -eq 0 ] || { echo "demo: Xvfb did not start" >&2; exit 1; }

# The sound goes into a WAV through an ALSA file device (not paced in real
# time, so the recording is the game's sound, not a clock-exact take).
export HOME="$work"
cat >"$work/.asoundrc" <<ASOUND
pcm.zenvardemo {
  type plug
  slave {
    pcm {
      type file
      slave.pcm "null"
      file "$out/zenvar-demo.wav"
      format "wav"
    }
    format S16_LE
  }
}
ASOUND
grep -q '^\[sound\]' "$work/run/allegro.cfg" 2>/dev/null || echo "[sound]" >>"$work/run/allegro.cfg"
sed -i 's/^\[sound\]$/[sound]\ndigi_card = ALSA\nalsa_device = zenvardemo/' "$work/run/allegro.cfg"

(cd "$work/run" && exec "./$autopilot_game" >"$work/stdout" 2>"$work/stderr") &
game_pid=$!

frame=0
shoot() {
    frame=$((frame + 1))
    import -window root "$out/frames/frame-$(printf %04d "$frame").png" 2>/dev/null
}
running() { kill -0 "$game_pid" 2>/dev/null; }
# picture_moment NAME: the first time the autopilot reports NAME, the screen goes to docs/.
picture_moment() {
    [ -n "$docs" ] && [ ! -s "$work/screenshot-$1.png" ] && grep -q "^moment: $1\$" "$work/stdout" &&
        import -window root "$work/screenshot-$1.png" 2>/dev/null
}
have_pictures() { [ -s "$work/screenshot-triangle.png" ] && [ -s "$work/screenshot-battleship.png" ]; }

# Start-up grid, the logo intro and the title fade: about eight seconds.
started=$SECONDS
while [ $((SECONDS - started)) -lt 8 ] && running; do
    shoot
    sleep 0.5
done
# The live title (about six seconds before the attract screens), the pointer
# in a corner away from the menu.
if [ -n "$docs" ] && running; then
    xdotool mousemove 639 479
    sleep 0.5
    import -window root "$work/screenshot-title.png" 2>/dev/null
fi
# "Marathon Game", clicked again every few seconds: a click made during the
# title's fade-in does nothing, and after a lost game the title is back. In a
# round the autopilot owns the buttons, so the extra clicks change nothing.
end=$((SECONDS + play_seconds))
next_click=0
while [ "$SECONDS" -lt "$end" ] && running; do
    if [ "$SECONDS" -ge "$next_click" ]; then
        xdotool mousemove 300 248 mousedown 1 sleep 0.15 mouseup 1
        next_click=$((SECONDS + 4))
    fi
    picture_moment triangle
    picture_moment battleship
    [ -n "$docs" ] && have_pictures && break
    shoot
    sleep 0.5
done
# ESC to the title, a last look, ESC to quit.
xdotool mousemove 630 10 keydown Escape sleep 0.2 keyup Escape
sleep 2
shoot
xdotool keydown Escape sleep 0.2 keyup Escape
for i in $(seq 1 100); do
    running || break
    sleep 0.1
done
running && echo "demo: the game did not quit; ended it" >&2
game_pid=""

if [ -n "$docs" ]; then
    for picture in title triangle battleship; do
        if [ -s "$work/screenshot-$picture.png" ]; then
            convert "$work/screenshot-$picture.png" -crop 640x480+0+0 +repage "$docs/screenshot-$picture.png"
            echo "Demo: docs/screenshot-$picture.png"
        else
            echo "demo: no $picture picture this run; docs/screenshot-$picture.png left as it was" >&2
        fi
    done
    cp "$run_source/contact_sheet.png" "$docs/contact_sheet.png" && echo "Demo: docs/contact_sheet.png"
fi

convert -delay 50 -loop 0 "$out"/frames/frame-*.png -resize 50% -layers Optimize "$out/zenvar-demo.gif" 2>/dev/null
echo "Demo: $frame frames in $out/frames/"
[ -s "$out/zenvar-demo.gif" ] && echo "Demo: animation in $out/zenvar-demo.gif"
if [ -s "$out/zenvar-demo.wav" ]; then
    echo "Demo: sound in $out/zenvar-demo.wav"
else
    echo "Demo: no sound was recorded (ALSA's file device is not available here)"
fi
