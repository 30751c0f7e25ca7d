#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the normal build, then the same suite
# in an AddressSanitizer + UndefinedBehaviorSanitizer build together with the fuzz targets.
# Every test runs inside a private network namespace. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Build (gcc)"
cmake -S . -B build -G Ninja
cmake --build build -j "$jobs"

echo "== Tests (gcc)"
scripts/in-netns.sh ctest --test-dir build --output-on-failure -j "$jobs"

echo "== Build (clang, AddressSanitizer + UndefinedBehaviorSanitizer, fuzz targets)"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTESSAVIEW_SANITIZE=ON -DTESSAVIEW_FUZZ=ON
cmake --build build-asan -j "$jobs"

echo "== Tests (sanitizers)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
scripts/in-netns.sh ctest --test-dir build-asan --output-on-failure -j "$jobs" -LE peer

echo "== Fuzzing"
scripts/in-netns.sh scripts/run-fuzzers.sh build-asan/fuzz
