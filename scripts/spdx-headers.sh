#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts an SPDX licence line at the head of each of our source files (after a #!, <?xml or
# <!DOCTYPE first line, and after a Python coding line). Running it again changes nothing.
#   scripts/spdx-headers.sh           add the missing lines
#   scripts/spdx-headers.sh --check   list the files without one; exit 1 if there are any
# Files: C++, Haxe, JavaScript, shell, Python, CMake, Qt forms, HTML, XML, desktop entries and man
# pages that git tracks. Pictures, data, JSON and generated tables are left as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
check=0
case "${1:-}" in
--check) check=1 ;;
"") ;;
*)
    echo "usage: spdx-headers.sh [--check]" >&2
    exit 2
    ;;
esac

licence_of() {
    case "$1" in
    *.metainfo.xml) echo FSFAP ;; # AppStream wants the metadata under a permissive licence
    *) echo GPL-3.0-or-later ;;
    esac
}

line_for() { # file -> the licence line in the file's comment syntax, or nothing
    local id
    id="SPDX-License-Identifier: $(licence_of "$1")"
    case "$1" in
    *.cpp | *.h | *.hx | *.mjs) echo "// $id" ;;
    *.sh | *.sh.in | *.py | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.desktop) echo "# $id" ;;
    *.ui | *.html | *.xml) echo "<!-- $id -->" ;;
    *.[1-9]) echo ".\\\" $id" ;;
    esac
}

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files)
else
    mapfile -t files < <(find . -path ./build\* -prune -o -path ./.git -prune -o -type f -print | sed 's|^\./||' | sort)
fi

missing=0
for f in "${files[@]}"; do
    [ -f "$f" ] || continue
    line=$(line_for "$f")
    [ -n "$line" ] || continue
    head -n 5 "$f" | grep -q 'SPDX-License-Identifier:' && continue
    if [ "$check" -eq 1 ]; then
        echo "no SPDX line: $f"
        missing=1
        continue
    fi
    # The line goes after what must stay first.
    after=0
    first=$(head -n 1 "$f")
    case "$first" in '#!'* | '<?xml'* | '<!DOCTYPE'* | '<!doctype'*) after=1 ;; esac
    if [ "$after" -eq 1 ] && sed -n 2p "$f" | grep -Eq '^#.*coding[:=]'; then after=2; fi
    tmp=$(mktemp)
    LINE=$line awk -v after="$after" 'NR == after + 1 { print ENVIRON["LINE"] } { print } END { if (NR <= after) print ENVIRON["LINE"] }' "$f" >"$tmp"
    chmod --reference="$f" "$tmp"
    mv "$tmp" "$f"
    echo "added: $f"
done
exit "$missing"
