#!/usr/bin/env bash
# Builds Kestro and starts the editor; arguments go to the program (for example: -i /path/Dunmarek.ini).
set -euo pipefail
caller_dir=$PWD
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release \
    -DKESTRO_BUILD_TESTS=OFF -DKESTRO_BUILD_BENCH=OFF -DKESTRO_BUILD_FUZZ=OFF >/dev/null
cmake --build build/release --target kestro -j "$(nproc)"

# --help and --version answer on the terminal and need no display.
needs_display=1
for arg in "$@"; do
    case "$arg" in --help | --version) needs_display=0 ;; esac
done
if [ "$needs_display" -eq 1 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kestro needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    echo "To run it on a virtual screen:  xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
# File names on the command line are relative to the folder the script was started from.
cd "$caller_dir"
exec "$repo/build/release/src/app/kestro" "$@"
