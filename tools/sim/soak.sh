#!/usr/bin/env bash
# Soak: the autopilot plays every stage with --invincible and the pool checked
# after every frame, normally under the sanitizers. Fails on any sanitizer report,
# a damaged pool or a crash; a stage the pilot does not clear in time only shows.
# usage: tools/sim/soak.sh path/to/zorbex-sim [frames per stage] [stages...]
set -euo pipefail
sim=$(realpath "$1")
frames=${2:-20000}
shift $(( $# >= 2 ? 2 : 1 ))
stages=("$@")
[[ ${#stages[@]} -gt 0 ]] || stages=($(seq 1 28))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# a sanitizer report must not look like "did not clear": give it its own status
export ASAN_OPTIONS=${ASAN_OPTIONS:-exitcode=99:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-exitcode=99:print_stacktrace=1}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-none}

run_stage() {
    local stage=$1 out="$work/$1"
    local code=0
    (cd "$(dirname "$sim")" && "$sim" --stage "$stage" --autopilot --invincible --check-pool \
        --until clear --frames "$frames" --seed "$stage" --quiet) >"$out.json" 2>"$out.err" || code=$?
    echo "$code" >"$out.code"
}
export -f run_stage
export sim frames work

printf '%s\n' "${stages[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_stage {}'

failed=0
for stage in "${stages[@]}"; do
    code=$(cat "$work/$stage.code")
    summary=$(tail -n 1 "$work/$stage.json")
    case $code in
        0) verdict="cleared" ;;
        1) verdict="not cleared in $frames frames" ;;
        *) verdict="FAILED (status $code)"; failed=1 ;;
    esac
    printf 'stage %2d: %-28s %s\n' "$stage" "$verdict" "$summary"
    if [[ $code -ne 0 && $code -ne 1 ]] || grep -q "runtime error\|ERROR: AddressSanitizer\|LeakSanitizer" "$work/$stage.err"; then
        failed=1
        sed 's/^/    /' "$work/$stage.err" | head -n 40
    fi
done
exit $failed
