#!/usr/bin/env bash
# zorbex-setup writes config.dat as the game writes its save: through the player's own
# links, never through a planted temporary, never over a file the player may not
# rewrite, never blocked by a FIFO; --show alone creates nothing. Run as an unprivileged
# user (nobody, when the suite runs as root), as a player would.
# usage: check_setup.sh SETUP
set -euo pipefail
setup=$(realpath "$1")
work=$(mktemp -d "${TMPDIR:-/tmp}/zorbex-setup-XXXXXX")
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
fail() { echo "check_setup: $*" >&2; exit 1; }
as_player() {
    if [[ $EUID -eq 0 ]]; then setpriv --reuid=65534 --regid=65534 --clear-groups "$@"; else "$@"; fi
}
# 8 bytes: window (0) and the given difficulty
expect_config() {
    [[ -f $1 && $(od -An -tx1 "$1" | tr -d ' \n') == "00000000${2}000000" ]] || fail "$1 is not window, difficulty $2"
}

# An installed game keeps its files in the XDG folder; showing them makes no folder.
mkdir -p "$work/root/usr/games" "$work/root/usr/share/zorbex/data" "$work/home"
cp "$setup" "$work/root/usr/games/"
chown -R 65534:65534 "$work/home" 2>/dev/null || true
HOME=$work/home XDG_DATA_HOME=$work/home/data as_player "$work/root/usr/games/zorbex-setup" --show > "$work/shown"
grep -q "settings file: $work/home/data/zorbex/config.dat (none yet" "$work/shown" || fail "--show said: $(cat "$work/shown")"
[[ ! -e $work/home/data ]] || fail "--show created $work/home/data"

# The rest in a build's layout: the files in the working directory.
player=$work/player
mkdir "$player"
chown 65534:65534 "$player" 2>/dev/null || true
cd "$player"
run() { as_player timeout 10 "$setup" "$@" > /dev/null 2> "$work/said"; }

# a link planted at the old fixed temporary name, and a FIFO at it
echo keep > "$work/victim"
chmod 666 "$work/victim"
as_player ln -s "$work/victim" config.dat.tmp
run --window --difficulty 1 || fail "with a link at config.dat.tmp: $(cat "$work/said")"
[[ $(cat "$work/victim") == keep ]] || fail "the link at config.dat.tmp was followed"
[[ ! -L config.dat ]] || fail "config.dat became a link"
expect_config config.dat 01
rm config.dat.tmp
as_player mkfifo config.dat.tmp
run --window --difficulty 2 || fail "with a FIFO at config.dat.tmp: $(cat "$work/said")"
expect_config config.dat 02
rm config.dat config.dat.tmp

# a linked config.dat is written through and stays a link
as_player mkdir real
as_player ln -s real/settings.dat config.dat
run --window --difficulty 3 || fail "through a link: $(cat "$work/said")"
[[ -L config.dat ]] || fail "the linked config.dat became a plain file"
expect_config real/settings.dat 03

# one the player may not rewrite, and a FIFO of its name, are refused at once
rm config.dat
as_player cp real/settings.dat config.dat
chmod 444 config.dat
status=0
run --difficulty 1 || status=$?
[[ $status -eq 1 ]] || fail "a read-only config.dat: status $status"
grep -q "^zorbex-setup: cannot write config.dat: Permission denied$" "$work/said" || fail "a read-only config.dat: $(cat "$work/said")"
expect_config config.dat 03
rm -f config.dat
as_player mkfifo config.dat
status=0
run --window || status=$?
[[ $status -eq 1 ]] || fail "a FIFO as config.dat: status $status (124: it blocked)"
grep -q "^zorbex-setup: cannot write config.dat: not a regular file$" "$work/said" || fail "a FIFO as config.dat: $(cat "$work/said")"
[[ -p config.dat ]] || fail "the FIFO was replaced"
[[ -z $(find . -name '*.tmp-*') ]] || fail "a temporary file was left behind: $(ls -A)"

# the language: written as options.cfg's line, a value it does not know refused
rm -f config.dat options.cfg
run --language en || fail "--language en: $(cat "$work/said")"
grep -qx "language = en" options.cfg || fail "--language en wrote: $(cat options.cfg)"
run --language system || fail "--language system: $(cat "$work/said")"
grep -qx "language = system" options.cfg || fail "--language system wrote: $(cat options.cfg)"
status=0
run --language fr || status=$?
[[ $status -eq 2 ]] || fail "--language fr: status $status"
grep -qx "language = system" options.cfg || fail "a refused --language changed the file"
echo "zorbex-setup writes config.dat safely and --show creates nothing"
