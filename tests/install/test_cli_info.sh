#!/usr/bin/env bash
# tessaview --help and --version on the real program: exit 0, the texts, no display needed,
# and nothing written into an empty home and settings folder.
# Usage: test_cli_info.sh <tessaview program> <maker web address>
set -uo pipefail
program=$1
maker=$2
. "$(dirname "$0")/common.sh"

mkdir -p "$work/home" "$work/config"
run() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
        HOME="$work/home" XDG_CONFIG_HOME="$work/config" "$program" "$@" >"$work/out" 2>"$work/err"
}

run --version
rc=$?
[ "$rc" -eq 0 ] || fail "--version exit code $rc: $(cat "$work/err")"
[ "$(sed -n 1p "$work/out")" = "Tessaview 2.8.3.0" ] || fail "--version first line: $(sed -n 1p "$work/out")"
grep -qxE 'Qt 6\.[0-9]+\.[0-9]+ \(built with Qt 6\.[0-9]+\.[0-9]+\)' "$work/out" ||
    fail "--version has no Qt line: $(cat "$work/out")"
[ "$(wc -l <"$work/out")" -eq 2 ] || fail "--version prints more than two lines"

run --help
rc=$?
[ "$rc" -eq 0 ] || fail "--help exit code $rc: $(cat "$work/err")"
for text in "Usage: tessaview [-p N] [-o]" "  -p N " "  -o " "  --version " \
    "  $work/config/$maker/Tessaview.conf" "Reset Settings" "6454  Art-Net" \
    "5568  streaming ACN (E1.31), multicast group 239.255.<hi>.<lo>" \
    "  --log-channels LIST --log-file FILE"; do
    grep -qF -- "$text" "$work/out" || fail "--help lacks \"$text\""
done
[ -s "$work/err" ] && fail "--help wrote to stderr: $(cat "$work/err")"

# Beside the program's own options and Qt's: still only the text, still exit 0.
run -p 3 -o --help
[ $? -eq 0 ] && grep -q '^Usage: tessaview' "$work/out" || fail "-p 3 -o --help"
run -platform offscreen --version
[ $? -eq 0 ] && grep -q '^Tessaview 2.8.3.0$' "$work/out" || fail "-platform offscreen --version"

# A log that cannot be followed is refused before anything starts: why on stderr, status 2.
run --log-channels 1.600 --log-file "$work/log.csv"
rc=$?
[ "$rc" -eq 2 ] && grep -qF '"1.600": channels are 1 to 512' "$work/err" ||
    fail "--log-channels 1.600: exit $rc, $(cat "$work/err")"
run --log-channels 1.4
rc=$?
[ "$rc" -eq 2 ] && grep -qF -- '--log-channels needs --log-file FILE' "$work/err" ||
    fail "--log-channels without --log-file: exit $rc, $(cat "$work/err")"

left=$(find "$work/home" "$work/config" -mindepth 1)
[ -z "$left" ] || fail "files created: $left"
finish
