#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets with clang and runs each for a bounded time or number of
# executions:
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
#   FUZZ_RUNS=5000000 scripts/fuzz.sh 0 las_fuzzer dxf_fuzzer   (a number of executions instead)
# Crashes are written to build-fuzz/findings/<target>/; the corpus grows in build-fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v clang++-14 >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(find fuzz -maxdepth 1 -name '*_fuzzer.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
fi
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARRO_BUILD_FUZZERS=ON -DQUARRO_BUILD_TESTS=OFF
# Only the fuzzers and what they link: the application is not needed here.
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

limit=(-max_total_time="$seconds")
[ -n "${FUZZ_RUNS:-}" ] && limit=(-runs="$FUZZ_RUNS")
export ASAN_OPTIONS=detect_leaks=0
found=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
    seeds=()
    [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
    echo "== $t: ${limit[*]}"
    QT_QPA_PLATFORM=offscreen "build-fuzz/bin/$t" "${limit[@]}" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$t/" "build-fuzz/corpus/$t" "${seeds[@]}" 2>&1 |
        grep -E '^(stat::|==|INFO: Seed|#[0-9]+ +DONE|SUMMARY|Done)' || true
    [ "${PIPESTATUS[0]}" -eq 0 ] || found+=("$t")
done
if [ ${#found[@]} -gt 0 ]; then
    echo "findings in: ${found[*]} (see build-fuzz/findings/)"
    exit 1
fi
