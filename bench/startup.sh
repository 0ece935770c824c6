#!/usr/bin/env bash
# Start-up to the mapped and to the first painted main window, and peak memory: kestro against the
# minimal Qt Widgets program, RUNS runs each (median), on the offscreen platform and under Xvfb.
#
#   bench/startup.sh [BUILD_DIR] [RUNS] [BEFORE_BUILD_DIR]
#
# BUILD_DIR defaults to build/perf, RUNS to 10. With BEFORE_BUILD_DIR (a Release build of another
# revision, its kestro_probe built), that build's kestro runs in the same series as "before".
#
# Both programs are built unchanged with bench/first_paint_probe.cpp linked in (kestro_probe is
# kestro's own main.cpp), which ends each one right after its first frame has been painted and
# flushed. Under Xvfb, bench/x_map_watcher stamps the moment the X server maps each window.
# Needs a Release build with -DKESTRO_BUILD_BENCH=ON, python3, and xvfb-run for the second half.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build/perf}" && pwd)
runs=${2:-10}
before=${3:+$(cd "$3" && pwd)}

cmake --build "$build" -j2 --target kestro_probe minimal_window_probe x_map_watcher >/dev/null

. "$here/startup_home.sh"
programs=("kestro=$build/bench/kestro_probe -i $work/Dunmarek.ini")
[ -n "$before" ] && programs+=("before=$before/bench/kestro_probe -i $work/Dunmarek.ini")
programs+=("minimal=$build/bench/minimal_window_probe")

echo "== offscreen (QT_QPA_PLATFORM=offscreen), $runs runs =="
QT_QPA_PLATFORM=offscreen python3 "$here/startup_timer.py" --runs "$runs" "${programs[@]}"

echo
echo "== Xvfb (xcb, 1280x800x24), $runs runs =="
xvfb-run -a -s "-screen 0 1280x800x24" \
    env QT_QPA_PLATFORM=xcb python3 "$here/startup_timer.py" --runs "$runs" \
    --map-watcher "$build/bench/x_map_watcher" "${programs[@]}"
