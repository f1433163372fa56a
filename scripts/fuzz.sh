#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets with clang and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
# Crashes are written to build-fuzz/findings/<target>/; the corpus grows in build-fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
if ! command -v clang++-14 >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

seconds=${1:-60}
shift || true
CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUARRO_BUILD_FUZZERS=ON -DQUARRO_BUILD_TESTS=OFF
cmake --build build-fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(find build-fuzz/bin -maxdepth 1 -name '*_fuzzer' -printf '%f\n' | sort)
fi
export ASAN_OPTIONS=detect_leaks=0
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
    seeds=()
    [ -d "fuzz/seeds/$t" ] && seeds=("fuzz/seeds/$t")
    echo "== $t for ${seconds}s"
    QT_QPA_PLATFORM=offscreen "build-fuzz/bin/$t" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/findings/$t/" "build-fuzz/corpus/$t" "${seeds[@]}" 2>&1 |
        grep -E '^(stat::|==|INFO: Seed|#[0-9]+ +DONE|SUMMARY|Done)' || true
done
