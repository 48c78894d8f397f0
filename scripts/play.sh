#!/bin/bash
# One command to play: installs what is missing, builds the game and its assets,
# and starts it in its run folder. ZENVAR_BUILD_DIR chooses another build folder.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build="${ZENVAR_BUILD_DIR:-$root/build}"

# No screen (a server, CI): show the game on a virtual display instead, which
# takes the test tools (Xvfb, the autopilot build).
if [ -z "${DISPLAY:-}" ]; then
    echo "No display (DISPLAY is not set): running a 30-second demo on a virtual display instead."
    bash "$root/scripts/install-deps.sh"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENVAR_TESTS=ON
    cmake --build "$build" -j2 --target zenvar assets patches zenvar-autopilot
    exec bash "$root/scripts/demo.sh" "$build/run" 30
fi

# Playing needs no test tools: the tests and the benchmark stay out of the
# build until scripts/test.sh asks for them.
bash "$root/scripts/install-deps.sh" play
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENVAR_TESTS=OFF -DZENVAR_BENCH=OFF
cmake --build "$build" -j2 --target zenvar assets patches
cd "$build/run"
exec ./zenvar
