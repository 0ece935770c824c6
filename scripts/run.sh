#!/usr/bin/env bash
# Builds Kestro and starts the editor; arguments go to the program (for example: -i /path/Dunmarek.ini).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release \
    -DKESTRO_BUILD_TESTS=OFF -DKESTRO_BUILD_BENCH=OFF -DKESTRO_BUILD_FUZZ=OFF >/dev/null
cmake --build build/release --target kestro -j "$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kestro needs a graphical desktop, and none was found (DISPLAY and WAYLAND_DISPLAY are empty)." >&2
    echo "To run it on a virtual screen:  xvfb-run -a scripts/run.sh" >&2
    exit 1
fi
exec build/release/src/app/kestro "$@"
