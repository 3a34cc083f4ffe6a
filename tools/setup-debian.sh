#!/usr/bin/env bash
# Installs what building and testing Velmar needs on Debian 12, and nothing
# when it is all there already, so it needs neither network nor sudo then.
# Uses sudo when not run as root. Every name is a real package: dpkg-query
# never reports a virtual one as installed.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev qt6-serialport-dev qt6-multimedia-dev qt6-svg-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    appstream desktop-file-utils dpkg-dev
    ccache gcovr
    python3 qt6-qpa-plugins
    fonts-wqy-microhei poppler-utils
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
