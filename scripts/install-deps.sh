#!/usr/bin/env bash
# Installs the Debian packages that are missing for building and running ("run") or for the
# whole test suite ("test"). Uses sudo when not root.
set -euo pipefail

build_packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    libqt6opengl6-dev libgl-dev libglx-mesa0 libxkbcommon-dev fonts-dejavu-core libpcap-dev
    xvfb xauth x11-utils
)
test_packages=(
    clang libclang-rt-14-dev iproute2 util-linux imagemagick libx11-dev
    ola tshark desktop-file-utils appstream dpkg-dev file
)

wanted=("${build_packages[@]}")
if [ "${1:-run}" = test ]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for p in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
