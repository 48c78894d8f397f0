#!/bin/bash
# tests/fuzz/run_short.sh [SECONDS]: each libFuzzer target for 20 s (or SECONDS), built with clang in
# build-fuzz, from tests/fuzz/corpus/. New finds go to a scratch folder, so the kept corpus changes only
# by hand; a crash leaves its input in build-fuzz/crashes.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
build="$root/build-fuzz"
seconds=${1:-20}
if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed; skipped"
    exit 0
fi
CXX=clang++ cmake -S "$root" -B "$build" -DZENVAR_FUZZ=ON -DZENVAR_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
cmake --build "$build" -j2 --target fuzz_score_table fuzz_bitmap_font >/dev/null || exit 1
mkdir -p "$build/crashes"
result=0
for target in score_table bitmap_font; do
    scratch=$(mktemp -d /tmp/zenvar-fuzz-corpus-XXXXXX)
    log="$build/fuzz_$target.log"
    echo "== fuzz_$target for $seconds s"
    if ! "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$target-" "$scratch" "$root/tests/fuzz/corpus/$target" >"$log" 2>&1; then
        echo "fuzz_$target FAILED (see $log)"
        tail -n 30 "$log"
        result=1
    fi
    grep -E "^stat::(number_of_executed_units|new_units_added)" "$log"
    rm -rf "$scratch"
done
exit $result
