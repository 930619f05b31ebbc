#!/usr/bin/env bash
# Installs what is missing, builds, and runs atnlingo.
#   ./run.sh           the desktop app when a display is available, otherwise
#                      the command line on the shipped sample with the default rules
#   ./run.sh ARGS...   the command line `atnlingo ARGS...`
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh >&2
cmake --preset dev >/dev/null
cmake --build --preset dev >&2

if [[ $# -gt 0 ]]; then
    exec build/cli/atnlingo "$@"
fi
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x build/app/atnlingo-gui ]]; then
    exec build/app/atnlingo-gui
fi
sample=resources/samples/sample-en.atn
output=build/sample-de.atn
echo "No display: translating $sample to $output with the default English-to-German rules." >&2
exec build/cli/atnlingo --rules resources/rules/default-en-de.rul "$sample" "$output"
