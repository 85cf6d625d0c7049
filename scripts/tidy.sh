#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the project's .clang-tidy over our own sources, using the build folder's
# compile commands (configure first: bash scripts/build.sh). Non-zero on any finding.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
findings=$(git ls-files '*.cpp' | grep -v '^tests/fuzz/' |
    xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet 2>&1 | grep -E 'warning:|error:' || true)
if [ -n "$findings" ]; then
    printf '%s\n' "$findings"
    exit 1
fi
echo "clang-tidy: no findings"
