#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package that Velmora needs to build, run and test (Debian 12, as root).
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
packages=(
    cmake ninja-build g++ pkg-config ccache clang-format clang-tidy
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webchannel-dev
    libcurl4-openssl-dev libsqlite3-dev libicu-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    haxe python3-fonttools fonts-arphic-ukai fonts-wqy-zenhei
    clang libclang-rt-14-dev
    qt6-translations-l10n
    xvfb xauth xdotool x11-utils imagemagick openbox python3
    at-spi2-core python3-pyatspi dbus-daemon
)
command -v npm >/dev/null 2>&1 || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
