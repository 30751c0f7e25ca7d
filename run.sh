#!/usr/bin/env bash
# Installs what is missing, builds and starts Tessaview. Arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh run
cmake -S . -B build -G Ninja
cmake --build build --target tessaview
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting Tessaview under Xvfb (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1920x1080x24" build/app/tessaview "$@"
fi
exec build/app/tessaview "$@"
