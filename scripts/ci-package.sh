#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# CI for the Debian package, as root on Debian 12: builds build-deb/velmora_*.deb, runs lintian
# (fails on errors), validates the AppStream metainfo and the desktop entry, checks that they and
# the program use one application id and that no maintainer script runs ldconfig, installs the
# package with apt, runs the installed /usr/bin/velmora through the end-to-end smoke test, purges
# it, and builds the package again with no network from the npm cache that the first build filled.
set -euo pipefail
cd "$(dirname "$0")/.."
export DEBIAN_FRONTEND=noninteractive
build=build-deb
started=$SECONDS
step() { echo "=== [$((SECONDS - started)) s] $*"; }

# The tools this script needs beyond scripts/install-deps.sh.
tools=(lintian appstream desktop-file-utils dpkg-dev file xz-utils man-db)
bash scripts/install-deps.sh
missing=()
for p in "${tools[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get -o DPkg::Lock::Timeout=600 update -q
    apt-get -o DPkg::Lock::Timeout=600 install -y -q --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cache=$work/npm-cache

step "building the package (online; npm fills $cache)"
rm -rf "$build/movie/ruffle-npm" "$build/ruffle" # the player is installed afresh, filling the cache
npm_config_cache=$cache VELMORA_DEB_DIR=$build bash scripts/package.sh -DVELMORA_NPM_CACHE=
deb=$(ls "$build"/velmora_*_amd64.deb)
ls -l "$deb"
dpkg-deb -f "$deb" Depends Installed-Size

step "lintian"
lintian --fail-on error --info "$deb"

step "AppStream metainfo and desktop entry"
dpkg-deb -x "$deb" "$work/root"
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
# As lintian formats them, and as man does in the C locale (for the ASCII device).
for page in "$work"/root/usr/share/man/man1/*.1.gz; do
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    out+=$(LC_ALL=C MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$out" ] || { echo "man page warnings in $page: $out" >&2; exit 1; }
done

step "one application id; no ldconfig"
# The AppStream id names the metainfo file, the desktop entry (its launchable) and the desktop file
# name the program reports, which is its Wayland app id (a UTF-16 literal in the executable).
metainfo=$(ls "$work"/root/usr/share/metainfo/*.metainfo.xml)
app_id=$(sed -n 's|^ *<id>\(.*\)</id>$|\1|p' "$metainfo")
entries=$(cd "$work/root/usr/share/applications" && ls)
[ -n "$app_id" ] && [ "$(basename "$metainfo")" = "$app_id.metainfo.xml" ] && [ "$entries" = "$app_id.desktop" ] ||
    { echo "application id '$app_id': metainfo $(basename "$metainfo"), desktop entries $entries" >&2; exit 1; }
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    { echo "the metainfo does not launch $app_id.desktop" >&2; exit 1; }
strings -e l "$work/root/usr/lib/velmora/velmora" | grep -qxF "$app_id" ||
    { echo "the program does not report $app_id as its desktop file name" >&2; exit 1; }
grep -q '^StartupWMClass=' "$work/root/usr/share/applications/$app_id.desktop" ||
    { echo "$app_id.desktop has no StartupWMClass" >&2; exit 1; }
dpkg-deb -e "$deb" "$work/control"
! grep -l ldconfig "$work"/control/* || { echo "a maintainer script runs ldconfig" >&2; exit 1; }

step "installing with apt"
apt-get -o DPkg::Lock::Timeout=600 install -y -q "./$deb"
/usr/bin/datecn-dump --version
[ "$(/usr/bin/datecn-dump 2024-02-10 2024-02-10 | cut -f1-5)" = "$(printf '2024-02-10\t101\t正月\t初一\t春节')" ]

step "smoke test of the installed program"
status=0
VELMORA_DESKTOP_ENTRY=/usr/share/applications/$app_id.desktop bash tests/app/smoke.sh /usr/bin/velmora || status=$?
step "purging"
apt-get -o DPkg::Lock::Timeout=600 purge -y -q velmora
[ "$status" -eq 0 ] || { echo "smoke test of /usr/bin/velmora failed (status $status)" >&2; exit 1; }
[ ! -e /usr/lib/velmora ] && [ ! -e /usr/bin/velmora ] || { echo "purge left files behind" >&2; exit 1; }

step "building the package again with no network, from the npm cache"
dpkg-deb -c "$deb" | awk '{print $1, $6}' | sort >"$work/online.list"
rm -rf "$build/movie/ruffle-npm" "$build/ruffle" "$build"/velmora_*.deb
# In a network namespace of its own, which has no network at all. Only the player's install depends
# on the network; the rest of the tree is up to date, so only it is built again before packing.
unshare -n true || { echo "unshare -n does not work here: cannot take the network away" >&2; exit 1; }
cmake -S . -B "$build" -DVELMORA_NPM_CACHE="$cache" >/dev/null
unshare -n cmake --build "$build" --target velmora_ruffle
(cd "$build" && unshare -n cpack -G DEB)
deb=$(ls "$build"/velmora_*_amd64.deb)
dpkg-deb -c "$deb" | awk '{print $1, $6}' | sort >"$work/offline.list"
diff "$work/online.list" "$work/offline.list"
cmake -S . -B "$build" -DVELMORA_NPM_CACHE= >/dev/null # later builds: npm ci again

step "done in $((SECONDS - started)) s"
