# Shared by the install tests: a temporary folder removed at exit, failure reporting, and the
# start of an installed program to see which translation it loads.

work=$(mktemp -d /tmp/tessaview-install.XXXXXX)
started=
cleanup() {
    if [ -n "$started" ]; then
        kill "$started" 2>/dev/null || true
        wait "$started" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
finish() {
    if [ "$failures" -ne 0 ]; then
        echo "$failures check(s) failed" >&2
        exit 1
    fi
    echo "all checks passed"
}

# expect_translation <program> <expected .qm file>
# Starts the program with a German system locale, an empty settings store of its own and
# Qt's offscreen platform, and checks the translation it installs at start-up. The program
# opens its sockets, so the caller runs inside a private network namespace.
expect_translation() {
    local program=$1 expected=$2 log="$work/program.log" found=
    mkdir -p "$work/run/home" "$work/run/config" "$work/run/xdg"
    chmod 700 "$work/run/xdg"
    env -u DISPLAY -u WAYLAND_DISPLAY -u LANGUAGE -u LC_MESSAGES LC_ALL= LANG=de_DE.UTF-8 \
        QT_QPA_PLATFORM=offscreen QT_LOGGING_RULES=default.debug=true \
        HOME="$work/run/home" XDG_CONFIG_HOME="$work/run/config" XDG_RUNTIME_DIR="$work/run/xdg" \
        "$program" >"$log" 2>&1 &
    started=$!
    for _ in $(seq 200); do
        found=$(grep -m1 -E '^(no )?translation ' "$log" || true)
        [ -n "$found" ] && break
        kill -0 "$started" 2>/dev/null || break
        sleep 0.1
    done
    kill "$started" 2>/dev/null || true
    wait "$started" 2>/dev/null || true
    started=
    if [ "$found" != "translation \"$expected\"" ]; then
        fail "$program: expected to load $expected, log says: ${found:-nothing}"
        sed 's/^/    /' "$log" | head -20 >&2
    fi
}
