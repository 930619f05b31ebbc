#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   ./test.sh                  the tests of the development build (build/)
#   ./test.sh --sanitize       the same tests once more, built with AddressSanitizer
#                              and UndefinedBehaviorSanitizer (build-asan/)
# .ci/run uses --sanitize. All builds come first and the test passes last, so
# the final lines are CTest's summary.
set -euo pipefail
cd "$(dirname "$0")"

sanitize=false
while [[ $# -gt 0 ]]; do
    case "$1" in
        --sanitize) sanitize=true; shift ;;
        *) echo "Usage: $0 [--sanitize]" >&2; exit 2 ;;
    esac
done

scripts/install-deps.sh
cmake --preset dev
cmake --build --preset dev
if $sanitize; then
    cmake --preset asan
    cmake --build --preset asan
fi
ctest --preset dev
if $sanitize; then
    ctest --preset asan
fi
