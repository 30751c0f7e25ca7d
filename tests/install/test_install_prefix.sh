#!/usr/bin/env bash
# cmake --install into a temporary prefix: the files in their usual places, the desktop entry
# and the AppStream metadata valid, and the installed program working from there, its
# German translation found beside its bin folder although the build was configured for
# another prefix.
# Usage: test_install_prefix.sh <build folder>
set -uo pipefail
if [ "${TESSAVIEW_IN_NETNS:-}" != 1 ]; then
    exec "$(dirname "$0")/../../scripts/in-netns.sh" bash "$0" "$@"
fi
build=$1
app_id=$(sed -n 's/^TESSAVIEW_APP_ID:STRING=//p' "$build/CMakeCache.txt")
. "$(dirname "$0")/common.sh"
[ -n "$app_id" ] || { fail "no TESSAVIEW_APP_ID in $build/CMakeCache.txt"; finish; }

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install"; finish; }

for file in bin/tessaview \
    share/applications/$app_id.desktop \
    share/metainfo/$app_id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$app_id.svg \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png \
    share/tessaview/translations/tessaview_de.qm \
    share/tessaview/translations/tessaview_en.qm \
    share/man/man1/tessaview.1.gz; do
    [ -s "$prefix/$file" ] || fail "missing: $file"
done
[ -x "$prefix/bin/tessaview" ] || fail "bin/tessaview is not executable"
# Each PNG icon has the size of the folder it sits in.
for size in 16 32 48 64 128 256; do
    info=$(file -b "$prefix/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
    case "$info" in
    "PNG image data, $size x $size,"*) ;;
    *) fail "icon ${size}x${size}: $info" ;;
    esac
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app_id.svg" || fail "scalable icon is no SVG"
zcat "$prefix/share/man/man1/tessaview.1.gz" | grep -q '^\.TH TESSAVIEW 1' || fail "man page"

desktop-file-validate "$prefix/share/applications/$app_id.desktop" || fail "desktop-file-validate"
grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop" || fail "desktop entry icon"
grep -qx "Exec=tessaview" "$prefix/share/applications/$app_id.desktop" || fail "desktop entry Exec"
appstreamcli validate --no-net "$prefix/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"

version=$(env -u DISPLAY "$prefix/bin/tessaview" --version | head -1)
[ "$version" = "Tessaview 2.8.3.0" ] || fail "installed --version: $version"

# The build tree's translations must not be what is found.
case "$prefix" in "$(cd "$build" && pwd)"/*) fail "prefix inside the build tree" ;; esac
expect_translation "$prefix/bin/tessaview" "$prefix/share/tessaview/translations/tessaview_de.qm"
finish
