#!/usr/bin/env bash
# Installs the dependencies, builds Velmora and runs every test (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${VELMORA_BUILD_DIR:-build}" --output-on-failure -j 2 --timeout 300
