#!/usr/bin/env bash
# Screenshots of the settings dialog (each tab), the information dialog (the Art-Net and sACN
# pages with consoles sending over loopback) and the about box, in English and in German, taken
# under Xvfb inside a private network namespace.
# Usage: scripts/screenshot-dialogs.sh <output folder> [build folder, default: build]
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 <output folder> [build folder]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "$1" && cd "$1" && pwd)
build=${2:-build}
case "$build" in /*) ;; *) build="$root/$build" ;; esac

cmake --build "$build" --target tessaview_screenshots >/dev/null
helper="$build/tests/app/tessaview_screenshots"
for language in en de; do
    "$root/scripts/in-netns.sh" env QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1280x1024x24" "$helper" "$out" "$language"
done
ls "$out"
echo "screenshots in $out"
