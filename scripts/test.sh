#!/bin/bash
# One command to test: installs what is missing, builds everything, runs the
# whole suite (unit tests and the end-to-end runs under Xvfb), then builds
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit
# tests there. ZENVAR_BUILD_DIR and ZENVAR_ASAN_BUILD_DIR choose other build folders.
set -u

root=$(cd "$(dirname "$0")/.." && pwd)
build="${ZENVAR_BUILD_DIR:-$root/build}"
asan_build="${ZENVAR_ASAN_BUILD_DIR:-$root/build-asan}"
jobs=2

bash "$root/scripts/install-deps.sh" || exit 1

echo "== Includes"
bash "$root/scripts/check-includes.sh" || exit 1

echo "== Build"
# On after scripts/play.sh, which builds without them.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZENVAR_TESTS=ON -DZENVAR_BENCH=ON || exit 1
cmake --build "$build" -j"$jobs" || exit 1

# The short fuzzing runs beside the tests: the end-to-end scenarios spend most
# of their time waiting for the game's clock, so a core is free.
echo "== Tests, with a short fuzzing run beside them"
bash "$root/tests/fuzz/run_short.sh" 20 >"$build/fuzz-short.log" 2>&1 &
fuzz_pid=$!
(cd "$build" && ctest --output-on-failure -j"$jobs")
normal_result=$?
wait "$fuzz_pid"
fuzz_result=$?
echo "== Fuzzing (short run)"
cat "$build/fuzz-short.log"

echo "== Sanitizer build"
cmake -S "$root" -B "$asan_build" -DCMAKE_BUILD_TYPE=Debug -DZENVAR_SANITIZE=ON -DZENVAR_BENCH=OFF || exit 1
cmake --build "$asan_build" -j"$jobs" || exit 1

# LeakSanitizer cannot run under ptrace (some containers and debuggers): keep
# the address and undefined-behaviour checks there and say so.
leaks=1
probe=$(ASAN_OPTIONS=detect_leaks=1 "$asan_build/tests/test_gfx" --gtest_list_tests 2>&1 >/dev/null || true)
if echo "$probe" | grep -q "LeakSanitizer"; then
    echo "LeakSanitizer does not work here; running without leak checks"
    leaks=0
fi

echo "== Sanitizer unit tests"
(cd "$asan_build" &&
    ASAN_OPTIONS="detect_leaks=$leaks:abort_on_error=0" UBSAN_OPTIONS="print_stacktrace=1" \
        ctest --output-on-failure -j"$jobs" -LE e2e)
asan_result=$?

# On success the output ends with ctest's own summary.
if [ "$normal_result" -ne 0 ] || [ "$asan_result" -ne 0 ] || [ "$fuzz_result" -ne 0 ]; then
    echo "FAILED: normal build tests exit $normal_result, sanitizer build tests exit $asan_result, fuzzing exit $fuzz_result"
    exit 1
fi
