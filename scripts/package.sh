#!/bin/bash
# Builds the Debian package out/zenvar_<version>_amd64.deb from this checkout,
# in its own build folder, with the packages building needs.
#   scripts/package.sh [BUILD_FOLDER]   default build-package
set -eu
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh play
build=${1:-build-package}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENVAR_TESTS=OFF -DZENVAR_BENCH=OFF
cmake --build "$build" -j"$(nproc)"
mkdir -p out
cpack --config "$build/CPackConfig.cmake" -B "$PWD/$build/package"
cp "$build"/package/zenvar_*_amd64.deb out/
ls out/zenvar_*_amd64.deb
