#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build-deb/velmora_<version>_amd64.deb (or in $VELMORA_DEB_DIR), with
# Debian's hardening flags, without the tests and benchmarks. Extra arguments go to CMake, e.g.
# -DVELMORA_NPM_CACHE=DIR for a build with no network.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_DEB_DIR:-build-deb}
command -v dpkg-buildflags >/dev/null && command -v dpkg-shlibdeps >/dev/null || {
    echo "package.sh: needs dpkg-dev (apt-get install dpkg-dev)" >&2
    exit 1
}
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_TESTS=OFF -DVELMORA_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "${launcher[@]}" "$@"
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/velmora_*.deb
(cd "$build" && cpack -G DEB)
ls "$build"/velmora_*.deb
