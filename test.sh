#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the same suite
# in an AddressSanitizer + UndefinedBehaviorSanitizer build together with the fuzz targets, and
# the threaded tests in a ThreadSanitizer build.
# Every test runs inside a private network namespace. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
stage() { printf '\n== %s (%ds)\n' "$1" "$SECONDS"; }

# Runs ctest in the private namespace, keeps its output for the summary.
run_ctest() {
    local log=$1
    shift
    scripts/in-netns.sh ctest --output-on-failure -j "$jobs" "$@" 2>&1 | tee "$log"
    return "${PIPESTATUS[0]}"
}

stage "Build (gcc)"
cmake -S . -B build -G Ninja
cmake --build build -j "$jobs"

stage "Tests (gcc)"
run_ctest "$logs/gcc.log" --test-dir build

stage "Build (clang, AddressSanitizer + UndefinedBehaviorSanitizer, fuzz targets)"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTESSAVIEW_SANITIZE=ON -DTESSAVIEW_FUZZ=ON
cmake --build build-asan -j "$jobs"

stage "Tests (sanitizers)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
run_ctest "$logs/asan.log" --test-dir build-asan -LE peer

stage "Build (clang, ThreadSanitizer, threaded tests only)"
tsan_tests=(test_acnnet test_framestore test_engine_wiring)
CC=clang CXX=clang++ cmake -S . -B build-tsan -G Ninja -DTESSAVIEW_TSAN=ON
cmake --build build-tsan -j "$jobs" --target "${tsan_tests[@]}"

stage "Tests (ThreadSanitizer)"
export TSAN_OPTIONS=suppressions=$PWD/scripts/tsan.supp
run_ctest "$logs/tsan.log" --test-dir build-tsan -R '^(test_acnnet|test_framestore|test_engine_wiring)$'

stage "Fuzzing"
scripts/in-netns.sh scripts/run-fuzzers.sh build-asan/fuzz | tee "$logs/fuzz.log"

stage "Done"
# ctest prints "N% tests passed, F tests failed out of T"; fuzzers print "-- <name>".
passed=0
failed=0
for log in "$logs/gcc.log" "$logs/asan.log" "$logs/tsan.log"; do
    read -r f t < <(sed -n 's/.*tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\1 \2/p' "$log")
    failed=$((failed + f))
    passed=$((passed + t - f))
done
fuzzers=$(grep -c '^-- fuzz_' "$logs/fuzz.log" || true)
passed=$((passed + fuzzers))
echo "test.sh: $passed passed, $failed failed"
