#!/usr/bin/env bash
# Instructions of one offscreen start of kestro and of the minimal Qt Widgets program, each to its
# first painted frame (bench/first_paint_probe.cpp), counted by callgrind, which does not depend
# on the load of the machine; with the profiles left in OUT_DIR for callgrind_annotate.
#
#   bench/startup_instructions.sh [BUILD_DIR] [OUT_DIR]    (build/perf, and a temporary folder)
#
# Needs valgrind and a Release build with -DKESTRO_BUILD_BENCH=ON.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/perf}" && pwd)
out=${2:-$(mktemp -d)}
mkdir -p "$out"

cmake --build "$build" -j2 --target kestro_probe minimal_window_probe >/dev/null

. "$here/startup_home.sh"
export QT_QPA_PLATFORM=offscreen

count() { # NAME COMMAND...: runs it under callgrind, prints the instructions
    local name=$1
    shift
    valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.$name" "$@" 2>&1 |
        sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}
kestro=$(count kestro "$build/bench/kestro_probe" -i "$work/Dunmarek.ini")
minimal=$(count minimal "$build/bench/minimal_window_probe")
printf 'kestro   %12d instructions\nminimal  %12d instructions\nkestro / minimal: %.2f x\n' \
    "$kestro" "$minimal" "$(awk -v k="$kestro" -v m="$minimal" 'BEGIN { print k / m }')"
echo "profiles: $out/callgrind.kestro, $out/callgrind.minimal (callgrind_annotate --inclusive=yes)"
