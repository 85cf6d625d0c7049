#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The web module's link contract, checked without a display: every symbol the module leaves
# undefined is exported by the program that loads it or by a library the module names itself
# (DT_NEEDED). A symbol the program stopped carrying fails here, not at the first pane under X.
# Usage: module-symbols.sh PATH/TO/velmora PATH/TO/libvelmora_web.so
set -euo pipefail
exe=${1:?usage: module-symbols.sh PROGRAM MODULE}
module=${2:?usage: module-symbols.sh PROGRAM MODULE}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

defined() { nm -D --defined-only "$1" | awk '{print $3}'; }
defined "$exe" >"$work/provided"
# The module's own libraries, as the loader resolves them.
ldd "$module" | awk '$3 ~ /^\// {print $3}' | while read -r lib; do defined "$lib"; done >>"$work/provided"
sed -i 's/@.*//' "$work/provided"
sort -u -o "$work/provided" "$work/provided"
# Strong undefined symbols only; weak ones (w, v) may stay unresolved.
nm -D --undefined-only "$module" | awk '$1 == "U" {print $2}' | sed 's/@.*//' | sort -u >"$work/wanted"
missing=$(comm -23 "$work/wanted" "$work/provided")
if [ -n "$missing" ]; then
    echo "FAIL: $(basename "$module") needs symbols that neither $(basename "$exe") nor its libraries export:" >&2
    c++filt <<<"$missing" | sed 's/^/  /' >&2
    exit 1
fi
ours=$(comm -12 "$work/wanted" <(defined "$exe" | sed 's/@.*//' | sort -u) | wc -l)
echo "ok: $(wc -l <"$work/wanted") symbols wanted, $ours of them from the program"
