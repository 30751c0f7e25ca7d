#!/usr/bin/env bash
# A screenshot of the program showing live Art-Net data with the status overlay switched on,
# taken under Xvfb inside a private network namespace with a settings store of its own.
# With "marks" the diagnostics are on as well: universe 0 has one source, universe 1 two
# (an Art-Net merge), universe 2 falls silent after its first second and universe 3 never
# receives anything. "inspect" sends the same and points the cell inspector (key C, through
# xdotool) at a cell of the merged universe; "scope" then clicks that cell, which opens the
# channel scope (key G) with the cell's three channels, and waits for a few seconds of plot.
# Usage: scripts/screenshot-live.sh <output.png> [build folder, default: build]
#        [marks|inspect|scope]
set -euo pipefail
if [ $# -lt 1 ]; then
    echo "usage: $0 <output.png> [build folder]" >&2
    exit 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "${TESSAVIEW_IN_NETNS:-}" != 1 ]; then
    out=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
    exec "$root/scripts/in-netns.sh" "$0" "$out" "${@:2}"
fi
out=$1
build=${2:-build}
mode=${3:-live}
case "$build" in /*) ;; *) build="$root/$build" ;; esac
tools="Xvfb import python3"
case "$mode" in inspect | scope) tools="$tools xdotool" ;; esac
for tool in $tools; do
    command -v "$tool" >/dev/null || { echo "$tool is not installed" >&2; exit 2; }
done
cmake --build "$build" --target tessaview >/dev/null
program="$build/app/tessaview"

readonly width=1280 height=720
work=$(mktemp -d /tmp/tessaview-live.XXXXXX)
xvfb= viewer= sender=
cleanup() {
    for pid in $sender $viewer $xvfb; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 143' TERM INT HUP

# Xvfb picks a free display and writes its number to descriptor 3. It listens only on the
# abstract socket of this network namespace, so it never replaces another namespace's Xvfb of
# the same number in the shared /tmp/.X11-unix.
Xvfb -displayfd 3 -screen 0 "${width}x${height}x24" -nolisten tcp -nolisten unix \
    3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
display=:$(cat "$work/display")

# The store: a 32 x 18 RGB grid (576 cells, four universes from Port-Address 0) on the whole
# screen, the status overlay on, no update check.
maker=$(sed -n 's/^TESSAVIEW_MAKER_WEB:STRING=//p' "$build/CMakeCache.txt")
store="$work/config/${maker:-www.example.org}"
mkdir -p "$store" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$store/Tessaview.conf" <<EOF
[General]
ScreenNumber=-2
PosX=0
PosY=0
SizeX=$width
SizeY=$height
UpdateCheck=0
TimerStartup=0
DmxSizeX=32
DmxSizeY=18
DmxUseRgb=1
DmxChannelPerUniverse=510
DmxUniverseStart=1
ShapeType=0
UseArtnet=1
UseAcnnet=1
StateEnable=1
DiagnosticMarks=$([ "$mode" = marks ] && echo 1 || echo 0)
EOF

env DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$work/config" HOME="$work/home" \
    XDG_RUNTIME_DIR="$work/runtime" QT_LOGGING_RULES=default.debug=true \
    "$program" >"$work/program.log" 2>&1 &
viewer=$!

# Our sender: ArtDmx to the loopback address, a colour wheel across the grid that turns a
# little with every frame, 25 frames a second.
python3 - "$work/sender.ready" "$([ "$mode" = live ] && echo live || echo marks)" <<'EOF' &
import colorsys, socket, struct, sys, time
cells, per_universe = 32 * 18, 510
marks = sys.argv[2] == "marks"
sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
# A second console from another address of the loopback net, sending zeros.
second = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
second.bind(("127.0.0.2", 0))
frame_no = 0
while True:
    levels = bytearray()
    for cell in range(cells):
        col, row = cell % 32, cell // 32
        hue = (col / 32 + row / 72 + frame_no / 500) % 1.0
        r, g, b = colorsys.hsv_to_rgb(hue, 1.0 - row / 30, 1.0)
        levels += bytes((int(r * 255), int(g * 255), int(b * 255)))
    for universe in range(0, (len(levels) + per_universe - 1) // per_universe):
        data = levels[universe * per_universe:(universe + 1) * per_universe]
        packet = (b"Art-Net\0" + struct.pack("<H", 0x5000)  # OpCode ArtDmx, low byte first
                  + bytes((0, 14))                            # ProtVer 14
                  + bytes((frame_no % 255 + 1, 0))            # Sequence, Physical
                  + struct.pack("<H", universe)               # Port-Address: SubUni, Net
                  + struct.pack(">H", len(data)) + data)      # Length, high byte first
        if marks and (universe == 3 or (universe == 2 and frame_no >= 25)):
            continue
        sock.sendto(packet, ("127.0.0.1", 6454))
        if marks and universe == 1:
            second.sendto(packet[:18] + bytes(len(data)), ("127.0.0.1", 6454))
    if frame_no == 0:
        open(sys.argv[1], "w").close()
    frame_no += 1
    time.sleep(0.04)
EOF
sender=$!

# Wait for the data to reach the top-left cell, whose colour is a red, then a little longer:
# placing the window applies the settings a second time, which starts from a cleared frame.
red_at_corner() {
    import -display "$display" -window root -silent -crop 1x1+20+20 txt:- 2>/dev/null |
        grep -q '#[1-9A-F][0-9A-F]'
}
for _ in $(seq 100); do
    [ -e "$work/sender.ready" ] && red_at_corner && break
    sleep 0.1
done
sleep 0.7
# Universe 2 stops after a second; its loss time is 10 s.
if [ "$mode" = marks ]; then sleep 11; fi
for _ in $(seq 20); do
    red_at_corner && break
    sleep 0.1
done
if [ "$mode" = inspect ] || [ "$mode" = scope ]; then
    # Cell 10 of row 6 (cells are 40 pixels square) lies in the merged universe.
    # Without a window manager nothing gives the window the focus its shortcuts need.
    DISPLAY="$display" xdotool search --onlyvisible --name Tessaview windowfocus --sync \
        mousemove 420 260 key c
    sleep 0.3
    DISPLAY="$display" xdotool mousemove 421 261
    sleep 0.7
fi
if [ "$mode" = scope ]; then
    DISPLAY="$display" xdotool click 1
    sleep 4
fi
kill -0 "$viewer" 2>/dev/null || { echo "the program ended:" >&2; cat "$work/program.log" >&2; exit 1; }
import -display "$display" -window root -silent "$out"
echo "$out"
