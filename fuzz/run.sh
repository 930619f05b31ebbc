#!/usr/bin/env bash
# Builds the fuzz targets (clang with ASan and UBSan, in build-fuzz/) and runs
# each for SECONDS seconds, starting from its seeds in fuzz/corpus/
# (tools/make_corpus.py adds seeds there).
#
#   fuzz/run.sh [SECONDS [TARGET...]]     SECONDS defaults to 20, TARGET to all
#
# New inputs collect in build-fuzz/corpus/TARGET. A crash, a hang, a memory
# blow-up or a broken invariant leaves its input in build-fuzz/artifacts/ and
# makes the script exit with status 1; replay it with
#   build-fuzz/fuzz/TARGET build-fuzz/artifacts/FILE
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-20}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "Usage: $0 [SECONDS [TARGET...]]" >&2; exit 2; }
shift $(( $# > 0 ? 1 : 0 ))
targets=("$@")
[[ ${#targets[@]} -gt 0 ]] || targets=(atnformat_fuzz process_fuzz rulefile_editor_fuzz rulefile_translation_fuzz cli_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

mkdir -p build-fuzz/artifacts build-fuzz/logs
status=0
for target in "${targets[@]}"; do
    corpus=$root/build-fuzz/corpus/$target
    log=$root/build-fuzz/logs/$target.log
    mkdir -p "$corpus"
    # Paths are absolute: the command-line target works in a folder of its own.
    if "$root/build-fuzz/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$root/build-fuzz/artifacts/$target-" \
        "$corpus" "$root/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
        echo "fuzz $target: ${runs:-?} runs in ${seconds}s, ${coverage:-cov: ?}, no failure"
    else
        echo "fuzz $target: FAILED, log in $log"
        grep -v '^#' "$log" | tail -n 40
        status=1
    fi
done
exit $status
