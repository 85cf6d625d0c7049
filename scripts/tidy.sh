#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs clang-tidy with the project's .clang-tidy over our own sources, using the build folder's
# compile commands (configure first: bash scripts/build.sh). Non-zero on any finding.
#   scripts/tidy.sh                 every source file
#   scripts/tidy.sh --since REV     only the source files added or changed since the commit REV
#                                   (a file that only moved is not checked again) (CI)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${VELMORA_BUILD_DIR:-build}
if [ "${1:-}" = --since ]; then
    files=$(git diff --name-only --diff-filter=AM -M "${2:?--since needs a commit}" HEAD -- '*.cpp')
else
    files=$(git ls-files '*.cpp')
fi
# The fuzz targets are compiled by clang with flags of their own, outside the build folder.
files=$(grep -v -e '^tests/fuzz/' <<<"$files" || true)
if [ -z "$files" ]; then
    echo "clang-tidy: no source file to check"
    exit 0
fi
findings=$(xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet <<<"$files" 2>&1 | grep -E 'warning:|error:' || true)
if [ -n "$findings" ]; then
    printf '%s\n' "$findings"
    exit 1
fi
echo "clang-tidy: no findings in $(wc -l <<<"$files") files"
