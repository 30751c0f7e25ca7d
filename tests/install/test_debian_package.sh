#!/usr/bin/env bash
# cpack -G DEB into a temporary folder: the package's name, fields, runtime dependencies and
# contents, a stripped program, and the unpacked program running from where it was unpacked.
# Usage: test_debian_package.sh <build folder>
set -uo pipefail
if [ "${TESSAVIEW_IN_NETNS:-}" != 1 ]; then
    exec "$(dirname "$0")/../../scripts/in-netns.sh" bash "$0" "$@"
fi
build=$1
app_id=$(sed -n 's/^TESSAVIEW_APP_ID:STRING=//p' "$build/CMakeCache.txt")
. "$(dirname "$0")/common.sh"
[ -n "$app_id" ] || { fail "no TESSAVIEW_APP_ID in $build/CMakeCache.txt"; finish; }

arch=$(dpkg --print-architecture)
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out") >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log" >&2; fail "cpack"; finish; }
deb="$work/out/tessaview_2.8.3.0_$arch.deb"
[ -f "$deb" ] || { ls -R "$work/out" >&2; fail "no $deb"; finish; }

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = tessaview ] || fail "Package: $(field Package)"
[ "$(field Version)" = 2.8.3.0 ] || fail "Version: $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "Maintainer: $(field Maintainer)"
[ -n "$(field Description | sed -n 2p)" ] || fail "no long Description"
# A continuation line with two leading spaces would be shown as preformatted text.
field Description | tail -n +2 | grep -q '^  ' && fail "Description lines indented twice"
depends=$(field Depends)
echo "Depends: $depends"
# The libraries the program links come from dpkg-shlibdeps; the platform plugins are loaded
# at run time and named by hand.
for package in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 \
    libqt6openglwidgets6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
        fail "Depends lacks $package"
done
[[ "$depends" =~ libqt6widgets6\ \(\>=\ 6\. ]] || fail "Depends has no version for libqt6widgets6"

dpkg-deb -c "$deb" | awk '{print $6}' | sort >"$work/contents"
for file in ./usr/bin/tessaview \
    ./usr/share/applications/$app_id.desktop \
    ./usr/share/metainfo/$app_id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$app_id.svg \
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png \
    ./usr/share/tessaview/translations/tessaview_de.qm \
    ./usr/share/tessaview/translations/tessaview_en.qm \
    ./usr/share/man/man1/tessaview.1.gz; do
    grep -qxF "$file" "$work/contents" || fail "package lacks $file"
done
# Nothing outside /usr, nothing of the build or the tests.
grep -v -E '^\./(usr/((bin|share)(/.*)?)?)?$' "$work/contents" | grep . && fail "unexpected paths"
grep -E 'test|bench|\.a$' "$work/contents" && fail "build artefacts in the package"

root="$work/root"
dpkg-deb -x "$deb" "$root"
[[ "$(file -b "$root/usr/bin/tessaview")" == *", stripped"* ]] || fail "program not stripped"
version=$(env -u DISPLAY "$root/usr/bin/tessaview" --version | head -1)
[ "$version" = "Tessaview 2.8.3.0" ] || fail "unpacked --version: $version"
expect_translation "$root/usr/bin/tessaview" "$root/usr/share/tessaview/translations/tessaview_de.qm"
finish
