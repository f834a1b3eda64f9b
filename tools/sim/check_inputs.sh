#!/usr/bin/env bash
# What zorbex-sim reads and writes besides regular files: a FIFO without a writer, a
# device or an endless pipe is refused at once in one line, standard input and pipes
# still work, and a video is written by the rule of every output (through the player's
# links, keeping the file's mode).
# usage: check_inputs.sh SIM WORK
set -euo pipefail
sim=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
cd "$work"
export SDL_AUDIODRIVER=none
fail() { echo "check_inputs: $*" >&2; exit 1; }
# refused TEXT ARGS...: status 2 within ten seconds, one line holding TEXT
refused() {
    local text=$1 status=0
    shift
    timeout 10 "$sim" "$@" > /dev/null 2> said || status=$?
    [[ $status -eq 2 ]] || fail "$*: status $status (124: it blocked)"
    [[ $(wc -l < said) -eq 1 ]] && grep -qF "$text" said || fail "$* said: $(cat said)"
}
frames_of() { grep -o '"frames":[0-9]*' | head -n 1; }
printf '1 fire\n150 fire+right\n0x10\n' > buttons.txt

mkfifo nobody-writes
no_writer="cannot read nobody-writes: a FIFO that no program is writing to"
refused "$no_writer" --input nobody-writes --no-draw --quiet
refused "$no_writer" --verify nobody-writes --no-draw --quiet
refused "$no_writer" --watch nobody-writes
refused "cannot read /dev/zero: not a regular file or a pipe" --input /dev/zero --no-draw --quiet
refused "cannot read /dev/null: not a regular file or a pipe" --verify /dev/null --no-draw --quiet
status=0
head -c 70000000 /dev/zero | timeout 20 "$sim" --input - --no-draw --quiet > /dev/null 2> said || status=$?
[[ $status -eq 2 ]] && grep -qxF "zorbex-sim: cannot read -: larger than 64 MB" said || fail "an endless pipe: status $status, $(cat said)"

# standard input, a pipe, a shell's own pipe, and a FIFO with a writer still work
[[ $("$sim" --input - --no-draw --quiet < buttons.txt | frames_of) == '"frames":152' ]] || fail "--input - from a file"
[[ $(cat buttons.txt | "$sim" --input - --no-draw --quiet | frames_of) == '"frames":152' ]] || fail "--input - from a pipe"
[[ $("$sim" --input <(cat buttons.txt) --no-draw --quiet | frames_of) == '"frames":152' ]] || fail "--input <(...)"
mkfifo written
exec 3<> written  # a writer from the start, which lets go once the run has the FIFO open
cat buttons.txt >&3
timeout 60 "$sim" --input written --no-draw --quiet > summary 3>&- &
pid=$!
for _ in $(seq 1 1200); do
    run=$(pgrep -P "$pid" || true)
    [[ -n $run ]] && ls -l "/proc/$run/fd" 2>/dev/null | grep -q "$work/written" && break
    sleep 0.05
done
exec 3>&-
wait "$pid" || fail "--input of a FIFO with a writer: status $?"
[[ $(frames_of < summary) == '"frames":152' ]] || fail "--input of a FIFO with a writer: $(cat summary)"

# a video through the player's link keeps the link and the mode of the file it replaces
"$sim" --input buttons.txt --frames 30 --record recorded.replay --quiet > /dev/null
for output in video.webm run.replay; do
    echo old > "real-$output"
    chmod 640 "real-$output"
    ln -s "real-$output" "link-$output"
done
"$sim" --verify recorded.replay --video link-video.webm --quiet > /dev/null 2> said || fail "--video through a link: $(cat said)"
"$sim" --input buttons.txt --frames 30 --record link-run.replay --quiet > /dev/null || fail "--record through a link"
for output in video.webm run.replay; do
    [[ -L link-$output ]] || fail "link-$output is no longer a link"
    [[ $(stat -c %a "real-$output") == 640 ]] || fail "real-$output has mode $(stat -c %a "real-$output")"
    [[ $(stat -c %s "real-$output") -gt 100 ]] || fail "real-$output was not written"
done
[[ -z $(ls | grep -e '\.part-' -e '\.tmp-') ]] || fail "temporary files left: $(ls)"
echo "FIFOs, devices and endless pipes refused; standard input, pipes and linked outputs work"
