#!/usr/bin/env bash
# Checks the Debian package that `make package` built, without installing anything on
# the machine: lintian, the desktop validators, then the package unpacked into a
# scratch folder and its game started headless for a few seconds, from a folder
# without data, with HOME and XDG_DATA_HOME in the scratch folder too; and its replays
# checked against the build folder's (scripts/check-package-replays.sh).
# usage: scripts/check-package.sh [package.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
top=$(pwd)
deb=${1:-$(ls -t build/release/zorbex_*.deb 2>/dev/null | head -n 1)}
[[ -f "$deb" ]] || { echo "check-package: no package; run make package first" >&2; exit 1; }
fail() { echo "check-package: $*" >&2; exit 1; }

lintian --fail-on error,warning "$deb"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
desktop-file-validate "$scratch"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$scratch"/root/usr/share/metainfo/*.metainfo.xml

mkdir -p "$scratch/home" "$scratch/elsewhere"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
cd "$scratch/elsewhere"
status=0
timeout 4 "$scratch/root/usr/games/zorbex" 2> "$scratch/stderr" || status=$?
# still running when the time was up: it started and stayed up
[[ $status -eq 124 ]] || fail "the unpacked game ended with status $status: $(cat "$scratch/stderr")"
if grep -q missing "$scratch/stderr"; then fail "the unpacked game lacks data: $(cat "$scratch/stderr")"; fi
[[ -d "$XDG_DATA_HOME/zorbex" ]] || fail "the unpacked game did not create $XDG_DATA_HOME/zorbex"
[[ -z "$(ls -A "$scratch/elsewhere")" ]] || fail "the unpacked game wrote into its working directory"
"$scratch/root/usr/games/zorbex-setup" --window > /dev/null
[[ -f "$XDG_DATA_HOME/zorbex/config.dat" ]] || fail "zorbex-setup did not write the XDG folder"
# the stripped package verifies the same replays as the build folder, both ways
bash "$top/scripts/check-package-replays.sh" "$scratch/root" "$top/build/release/zorbex-sim" "$scratch/replays"
echo "check-package: $(basename "$deb") is lintian-clean, validates, runs unpacked and keeps its files in the XDG folder"
