#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (coverage, ASan and UBSan over the
# whole game library) in their own build folder, then runs each for a while.
# usage: scripts/fuzz.sh [seconds per target (default 30)] [target ...]
# Findings are written to <build>/artifacts/ and make the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(fuzz_replay fuzz_settings fuzz_options fuzz_save fuzz_stage_script fuzz_catalogue fuzz_reached)
build=${ZORBEX_FUZZ_BUILD:-build/fuzz}

# libFuzzer comes with clang's runtime libraries, which the game's own build does not need
probe=$(mktemp -d)
if ! command -v clang++ >/dev/null || ! echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
        clang++ -x c++ -fsanitize=fuzzer - -o "$probe/probe" 2>/dev/null; then
    rm -rf "$probe"
    echo "fuzz.sh: needs clang with libFuzzer (Debian: apt-get install clang libclang-rt-14-dev)" >&2
    exit 1
fi
rm -rf "$probe"
jobs=${JOBS:-$(nproc)}

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DZORBEX_FUZZ=ON -DZORBEX_SANITIZE=ON -DZORBEX_BUILD_TESTS=OFF -DZORBEX_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

export SDL_AUDIODRIVER=none
# the file readers' scratch files: in memory where there is a tmpfs (the save writer syncs)
[[ -z ${TMPDIR:-} && -d /dev/shm && -w /dev/shm ]] && export TMPDIR=/dev/shm
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
mkdir -p "$build/artifacts"
status=0
for t in "${targets[@]}"; do
    seeds=fuzz/corpus/${t#fuzz_}
    corpus=$build/corpus/${t#fuzz_}
    mkdir -p "$corpus"
    echo "== $t: ${seconds}s"
    # the working corpus grows in the build folder; the seeds in fuzz/corpus stay as committed
    if ! "$build/$t" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$build/artifacts/$t-" "$corpus" "$seeds" 2>"$build/$t.log"; then
        status=1
        tail -n 60 "$build/$t.log"
    fi
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|NEW_FUNC|^#[0-9]+.*DONE" "$build/$t.log" | tail -n 3 || true
done
exit $status
