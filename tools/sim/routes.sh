#!/usr/bin/env bash
# Every route of the game, end to end: the pilot plays from the title through the
# seven stages a route picks to its ending and the ranking after it, and each run
# must have played exactly the route's stages, in order, and shown its last stage's
# ending. Fails on the first route that does not.
# usage: tools/sim/routes.sh path/to/zorbex-sim [route ...]   (default: all 64)
# ZORBEX_ROUTE_OPTIONS adds options to every run (default: --invincible --check-pool, so a
# slot holding an unregistered behaviour or a damaged pool fails the route).
set -euo pipefail
sim=$(realpath "$1")
shift
routes=("$@")
if [[ ${#routes[@]} -eq 0 ]]; then
    for n in $(seq 0 63); do
        r=""
        for bit in 5 4 3 2 1 0; do r+=$(( (n >> bit) & 1 )); done
        routes+=("$(tr 01 UD <<<"$r")")
    done
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-none}
export ASAN_OPTIONS=${ASAN_OPTIONS:-exitcode=99:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-exitcode=99:print_stacktrace=1}
export ZORBEX_ROUTE_OPTIONS=${ZORBEX_ROUTE_OPTIONS:---invincible --check-pool}

# The stages a route plays: node n of column c leads to n + c + 1 (U) or n + c + 2 (D).
expected_stages() {
    local route=$1 node=0 c list=1
    for (( c = 0; c < 6; c++ )); do
        [[ ${route:c:1} == D ]] && node=$(( node + c + 2 )) || node=$(( node + c + 1 ))
        list+=",$(( node + 1 ))"
    done
    echo "$list"
}

run_route() {
    local route=$1 code=0
    # shellcheck disable=SC2086
    (cd "$(dirname "$sim")" && "$sim" --route "$route" --autopilot $ZORBEX_ROUTE_OPTIONS --until ranking \
        --no-draw --frames 400000 --quiet) >"$work/$route.json" 2>"$work/$route.err" || code=$?
    echo "$code" >"$work/$route.code"
}
export -f run_route
export sim work

start=$(date +%s)
printf '%s\n' "${routes[@]}" | xargs -P "$(nproc)" -I{} bash -c 'run_route {}'

failed=0
for route in "${routes[@]}"; do
    want=$(expected_stages "$route")
    last=${want##*,}
    summary=$(tail -n 1 "$work/$route.json")
    played=$(grep -o '"stagesPlayed":\[[0-9,]*\]' <<<"$summary" | sed 's/.*\[\(.*\)\]/\1/' || true)
    ending=$(grep -o '"ending":[0-9]*' <<<"$summary" | cut -d: -f2 || true)
    frames=$(grep -o '"frames":[0-9]*' <<<"$summary" | head -n 1 | cut -d: -f2 || true)
    code=$(cat "$work/$route.code")
    verdict="ok"
    if [[ $code -ne 0 ]]; then verdict="FAILED (status $code)"
    elif [[ $played != "$want" ]]; then verdict="FAILED (played $played, wanted $want)"
    elif [[ $ending != "$last" ]]; then verdict="FAILED (ending $ending, wanted $last)"
    elif grep -q "runtime error\|ERROR: AddressSanitizer\|LeakSanitizer" "$work/$route.err"; then
        verdict="FAILED (sanitizer report)"
    fi
    printf 'route %s: stages %-22s ending %-2s %7s frames  %s\n' "$route" "$want" "${ending:-?}" "${frames:-?}" "$verdict"
    if [[ $verdict != ok ]]; then
        failed=1
        sed 's/^/    /' "$work/$route.err" | head -n 40
    fi
done
echo "${#routes[@]} routes in $(( $(date +%s) - start )) s"
exit $failed
