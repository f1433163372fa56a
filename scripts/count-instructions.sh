#!/usr/bin/env bash
# Counts the instructions the LAS and GRDECL benchmark cases execute (callgrind), in two Release
# build folders of different commits, on the same input files: a comparison that the load of a
# shared machine does not disturb.
#   scripts/count-instructions.sh BEFORE_BUILD AFTER_BUILD
# Needs valgrind. QUARRO_LAS_BENCH_FILE and QUARRO_GRDECL_BENCH_FILE name the files; by default
# the AFTER build's benchmarks generate them (bench-data/ of that build).
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BEFORE_BUILD AFTER_BUILD" >&2; exit 2; }
before=$1
after=$2
export QT_QPA_PLATFORM=offscreen
if [ -z "${QUARRO_LAS_BENCH_FILE:-}" ]; then
    "$after/bin/las_bench" --benchmark_filter='^BM_LasParseToWell/' --benchmark_min_time=0.001 >/dev/null
    export QUARRO_LAS_BENCH_FILE="$after/bench-data/gen_las_200000x10.las"
fi
if [ -z "${QUARRO_GRDECL_BENCH_FILE:-}" ]; then
    "$after/bin/grdecl_bench" --benchmark_filter='^BM_GrdeclParse/' --benchmark_min_time=0.001 >/dev/null
    export QUARRO_GRDECL_BENCH_FILE="$after/bench-data/gen_grdecl_100x100x100.grdecl"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-22s %16s %16s %8s\n' case before after ratio
for entry in las:BM_LasParseToWell las:BM_LasImport grdecl:BM_GrdeclParseToGrid \
    grdecl:BM_GrdeclParse grdecl:BM_GrdeclImport; do
    program=${entry%%:*}_bench
    case=${entry#*:}
    counts=()
    for build in "$before" "$after"; do
        valgrind --tool=callgrind --collect-atstart=no --toggle-collect="*${case}(*" \
            --callgrind-out-file="$work/out" "$build/bin/$program" \
            --benchmark_filter="^${case}/" --benchmark_repetitions=3 >"$work/log" 2>&1
        counts+=("$(awk '/^totals:/ {print $2}' "$work/out")")
    done
    printf '%-22s %16s %16s %8s\n' "$case" "${counts[0]}" "${counts[1]}" \
        "$(awk -v a="${counts[0]}" -v b="${counts[1]}" 'BEGIN {printf "%.5f", b / a}')"
done
