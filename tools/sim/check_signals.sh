#!/usr/bin/env bash
# A run stopped by SIGINT or SIGTERM removes its scratch folder (with the high-score
# file it holds by then) and still ends by that signal.
# usage: check_signals.sh SIM WORK
set -euo pipefail
sim=$1
work=$2
rm -rf "$work"
mkdir -p "$work/tmp"
set -m  # job control: a run in the background takes SIGINT as one in the foreground does
for sig in INT TERM; do
    TMPDIR=$work/tmp SDL_AUDIODRIVER=none "$sim" --stage 1 --frames 2000000000 --no-draw --quiet >/dev/null &
    pid=$!
    # the default buttons lose the ship and give up, so the save is soon written
    for _ in $(seq 1 1200); do
        compgen -G "$work/tmp/zorbex-sim-*/zorbexG.dat" >/dev/null && break
        sleep 0.05
    done
    if ! compgen -G "$work/tmp/zorbex-sim-*/zorbexG.dat" >/dev/null; then
        kill -KILL "$pid" 2>/dev/null || true
        echo "SIG$sig: the run wrote no save within a minute" >&2
        exit 1
    fi
    kill -"$sig" "$pid"
    status=0
    wait "$pid" || status=$?
    expected=$((128 + $(kill -l "$sig")))
    if [[ $status -ne $expected ]]; then
        echo "SIG$sig: exit status $status, expected $expected" >&2
        exit 1
    fi
    if compgen -G "$work/tmp/*" >/dev/null; then
        echo "SIG$sig: left behind: $(ls -R "$work/tmp")" >&2
        exit 1
    fi
done
echo "the scratch folder went with SIGINT and SIGTERM"
