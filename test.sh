#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh                  the tests of the development build (build/)
#   ./test.sh --sanitize       the same tests once more, built with AddressSanitizer
#                              and UndefinedBehaviorSanitizer (build-asan/)
#   ./test.sh --fuzz SECONDS   also runs every fuzz target for SECONDS each
#                              (fuzz/run.sh, build-fuzz/)
# .ci/run uses both. All builds and fuzz runs come first and the test passes
# last, so the final lines are CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"

sanitize=false
fuzz_seconds=
while [[ $# -gt 0 ]]; do
    case "$1" in
        --sanitize) sanitize=true; shift ;;
        --fuzz)
            [[ $# -ge 2 && "$2" =~ ^[0-9]+$ ]] || { echo "--fuzz needs a number of seconds" >&2; exit 2; }
            fuzz_seconds=$2; shift 2 ;;
        *) echo "Usage: $0 [--sanitize] [--fuzz SECONDS]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
if $sanitize; then
    cmake --preset asan
    cmake --build --preset asan
fi
if [[ -n "$fuzz_seconds" ]]; then
    fuzz/run.sh "$fuzz_seconds"
fi
ctest --preset dev
if $sanitize; then
    ctest --preset asan
fi
