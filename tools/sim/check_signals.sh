#!/usr/bin/env bash
# A run stopped by SIGINT, SIGTERM or SIGQUIT removes its scratch folder (with the
# high-score file it holds by then) and the video it was writing, and still ends by
# that signal.
# usage: check_signals.sh SIM WORK
set -euo pipefail
sim=$1
work=$2
rm -rf "$work"
mkdir -p "$work/tmp" "$work/videos"
ulimit -c 0  # SIGQUIT's core dump is not wanted here
set -m  # job control: a run in the background takes SIGINT as one in the foreground does

# wait_for PATTERN PID: until a file matching PATTERN exists (a minute at most)
wait_for() {
    for _ in $(seq 1 1200); do
        compgen -G "$1" >/dev/null && return 0
        sleep 0.05
    done
    kill -KILL "$2" 2>/dev/null || true
    echo "no $1 within a minute" >&2
    exit 1
}

# stop SIGNAL PID: sends it and checks that the run ended by it
stop() {
    kill -"$1" "$2"
    local status=0
    wait "$2" || status=$?
    local expected=$((128 + $(kill -l "$1")))
    if [[ $status -ne $expected ]]; then
        echo "SIG$1: exit status $status, expected $expected" >&2
        exit 1
    fi
}

for sig in INT TERM QUIT; do
    TMPDIR=$work/tmp SDL_AUDIODRIVER=none "$sim" --stage 1 --frames 2000000000 --no-draw --quiet >/dev/null &
    pid=$!
    # the default buttons lose the ship and give up, so the save is soon written
    wait_for "$work/tmp/zorbex-sim-*/zorbexG.dat" "$pid"
    stop "$sig" "$pid"
    if compgen -G "$work/tmp/*" >/dev/null; then
        echo "SIG$sig: left behind: $(ls -R "$work/tmp")" >&2
        exit 1
    fi
done
for sig in INT QUIT; do
    TMPDIR=$work/tmp SDL_AUDIODRIVER=none "$sim" --stage 1 --frames 200000 --video "$work/videos/run.webm" \
        --quiet >/dev/null &
    pid=$!
    wait_for "$work/videos/run.webm.part-*" "$pid"
    stop "$sig" "$pid"
    if compgen -G "$work/videos/*" >/dev/null || compgen -G "$work/tmp/*" >/dev/null; then
        echo "SIG$sig: the video run left behind: $(ls -R "$work/videos" "$work/tmp")" >&2
        exit 1
    fi
done
echo "the scratch folder and the video's temporary file went with SIGINT, SIGTERM and SIGQUIT"
