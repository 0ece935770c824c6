#!/usr/bin/env python3
"""Times programs built with bench/first_paint_probe.cpp from their start to their first painted
window and, under X with --map-watcher, to the moment the X server maps their window; reads their
peak memory (max RSS of the child from wait4).

    startup_timer.py --runs 10 [--map-watcher PATH] NAME=COMMAND [NAME=COMMAND ...]

The programs are run in turn (A B A B ...) so that a change in the load of a shared machine falls
on all of them alike. Prints every run and then the median of each figure per program; the
environment (QT_QPA_PLATFORM, DISPLAY, ...) is the caller's. The map watcher (bench/
x_map_watcher) runs beside them for the whole series and stamps each window the server maps; a
run's map time is the first map after its start.
"""
import argparse
import os
import re
import shlex
import statistics
import subprocess
import sys
import threading
import time

PROBE = re.compile(rb"first-paint-probe app=(\d+) painted=(\d+) title=(.*)")


class MapWatcher:
    """The stamps of the windows the X server maps, from x_map_watcher's output."""

    def __init__(self, path):
        self.child = subprocess.Popen([path], stdout=subprocess.PIPE, text=True)
        if self.child.stdout.readline().strip() != "ready":
            sys.exit("%s: not listening to the X display" % path)
        self.maps = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.child.stdout:
            match = re.match(r"mapped window=(\d+) at=(\d+)", line)
            if match:
                with self.lock:
                    self.maps.append(int(match.group(2)))

    def first_map_after(self, start):
        # The watcher reads the event as the server sends it; give its stamp a moment to arrive.
        deadline = time.monotonic() + 2.0
        while time.monotonic() < deadline:
            with self.lock:
                found = [at for at in self.maps if at >= start]
            if found:
                return min(found)
            time.sleep(0.01)
        return None

    def stop(self):
        self.child.terminate()
        self.child.wait()


def run_once(command, watcher=None):
    start = time.monotonic_ns()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    err = child.stderr.read()
    _, status, usage = os.wait4(child.pid, 0)
    end = time.monotonic_ns()
    child.returncode = os.waitstatus_to_exitcode(status)
    match = PROBE.search(err)
    if child.returncode != 0 or not match:
        sys.exit("%s: no first paint (exit %d)\n%s" % (command[0], child.returncode,
                                                       err.decode(errors="replace")))
    app, painted = int(match.group(1)), int(match.group(2))
    title = match.group(3).decode(errors="replace").strip()
    result = {
        "to_app_ms": (app - start) / 1e6,      # exec, dynamic loading, QApplication
        "app_to_paint_ms": (painted - app) / 1e6,  # windows made, shown, first frame flushed
        "to_paint_ms": (painted - start) / 1e6,
        "wall_ms": (end - start) / 1e6,
        "cpu_ms": (usage.ru_utime + usage.ru_stime) * 1e3,  # less sensitive to other load
        "max_rss_kib": usage.ru_maxrss,
        "title": title,
    }
    if watcher:
        mapped = watcher.first_map_after(start)
        if mapped is None or mapped > painted:
            sys.exit("%s: no map of its window before its first paint" % command[0])
        result["to_map_ms"] = (mapped - start) / 1e6
    return result


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--warmup", type=int, default=1)
    parser.add_argument("--map-watcher", metavar="PATH",
                        help="bench/x_map_watcher: also time the X map of each window")
    parser.add_argument("programs", nargs="+", metavar="NAME=COMMAND")
    args = parser.parse_args()
    programs = []
    for entry in args.programs:
        name, _, command = entry.partition("=")
        programs.append((name, shlex.split(command)))
    watcher = MapWatcher(args.map_watcher) if args.map_watcher else None

    for _ in range(args.warmup):
        for _, command in programs:
            run_once(command, watcher)
    results = {name: [] for name, _ in programs}
    for i in range(args.runs):
        for name, command in programs:
            r = run_once(command, watcher)
            results[name].append(r)
            mapped = "  to_map %7.1f ms" % r["to_map_ms"] if watcher else ""
            print("run %2d %-10s%s  to_paint %7.1f ms (to_app %6.1f + %6.1f)  cpu %6.1f ms  "
                  "rss %6d KiB  [%s]" % (i + 1, name, mapped, r["to_paint_ms"], r["to_app_ms"],
                                         r["app_to_paint_ms"], r["cpu_ms"], r["max_rss_kib"],
                                         r["title"]))
    if watcher:
        watcher.stop()
    print()
    figures = (["to_map_ms"] if watcher else []) + ["to_paint_ms", "to_app_ms",
                                                     "app_to_paint_ms", "cpu_ms", "max_rss_kib"]
    print("%-12s" % ("median of " + str(args.runs)) + "".join("%16s" % f for f in figures))
    medians = {}
    for name, runs in results.items():
        m = {k: statistics.median(r[k] for r in runs) for k in runs[0] if k != "title"}
        medians[name] = m
        print("%-12s" % name + "".join("%16.1f" % m[f] for f in figures))
    if len(programs) >= 2:
        base = medians[programs[-1][0]]
        for name, _ in programs[:-1]:
            m = medians[name]
            mapped = ("to map %.2f x, " % (m["to_map_ms"] / base["to_map_ms"])) if watcher else ""
            print("%s / %s: %sto paint %.2f x, CPU %.2f x, max RSS %.2f x" %
                  (name, programs[-1][0], mapped, m["to_paint_ms"] / base["to_paint_ms"],
                   m["cpu_ms"] / base["cpu_ms"], m["max_rss_kib"] / base["max_rss_kib"]))


if __name__ == "__main__":
    main()
