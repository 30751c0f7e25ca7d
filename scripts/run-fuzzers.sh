#!/usr/bin/env bash
# Runs every libFuzzer target in the given folder for a fixed time from its seed corpus in
# fuzz/corpus/<target>. Fails on any crash, leak or sanitizer report.
set -euo pipefail
dir=${1:?fuzz build folder}
seconds=${FUZZ_SECONDS:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
shopt -s nullglob
found=0
for target in "$dir"/fuzz_*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    found=1
    name=$(basename "$target")
    seeds="$root/fuzz/corpus/$name"
    work=$(mktemp -d)
    echo "-- $name for ${seconds}s"
    "$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/" \
        "$work" ${seeds:+$([ -d "$seeds" ] && echo "$seeds")} 2>&1 | tail -n 12
    status=${PIPESTATUS[0]}
    if [ "$status" -ne 0 ]; then
        echo "$name failed (exit $status); artifacts in $work"
        exit 1
    fi
    rm -rf "$work"
done
[ "$found" = 1 ] || echo "no fuzz targets built"
