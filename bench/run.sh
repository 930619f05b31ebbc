#!/usr/bin/env bash
# Runs the engine benchmarks and those of the exact translation with
# repetitions and prints their tables of medians, then measures the peak resident memory of a whole translation of a
# synthetic 512 MiB action file by the command line.
#
#   bench/run.sh [REPETITIONS]     default 7; extra arguments go to the benchmark
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions=${1:-7}
shift || true

scripts/install-deps.sh >&2
cmake --preset dev >/dev/null
cmake --build --preset dev --target engine_bench make_synthetic_atn atnlingo >&2

build/bench/engine_bench --benchmark_repetitions="$repetitions" "$@"

# The exact translation, by the file's structure, on a well-formed file.
cmake --build --preset dev --target exact_bench >&2
build/bench/exact_bench --benchmark_repetitions="$repetitions"
build/bench/exact_bench --recorded --benchmark_repetitions="$repetitions"

# Memory: the input, one result and a little besides, whatever the rules do.
size_mib=512
limit_kib=$(((2 * size_mib + 16) * 1024))
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# peak WHAT MARKER SEARCH REPLACEMENT...: translates a synthetic file with a
# stored MARKER per KiB by the pairs through the command line.
peak() {
    local what=$1 marker=$2
    shift 2
    build/bench/make_synthetic_atn "$size_mib" "$work/input.atn" "$marker" >/dev/null
    /usr/bin/time -v build/cli/atnlingo "$work/input.atn" "$work/output.atn" "$@" \
        >"$work/console.txt" 2>"$work/time.txt"
    local peak_kib elapsed verdict=met
    peak_kib=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
    elapsed=$(awk -F': ' '/Elapsed \(wall clock\) time/ { print $2 }' "$work/time.txt")
    ((peak_kib <= limit_kib)) || verdict=MISSED
    echo "Translation of $size_mib MiB by $what through the command line ($elapsed wall clock):"
    echo "peak resident memory $((peak_kib / 1024)) MiB; goal at most 2 x $size_mib MiB + 16 MiB = $((limit_kib / 1024)) MiB: $verdict"
}

echo
peak "three pairs" "Gradient Map" "Gradient Map" "Verlaufsumsetzung" "Verlaufsumsetzung" "Verlauf" \
    "Vignette" "Vignettierung"
peak "one lengthening pair on every marker" "Background" "Background" "Hintergrund"
