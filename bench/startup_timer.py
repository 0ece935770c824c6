#!/usr/bin/env python3
"""Times programs built with bench/first_paint_probe.cpp from their start to their first painted
window, and reads their peak memory (max RSS of the child from wait4).

    startup_timer.py --runs 10 NAME=COMMAND [NAME=COMMAND ...]

The programs are run in turn (A B A B ...) so that a change in the load of a shared machine falls
on all of them alike. Prints every run and then the median of each figure per program; the
environment (QT_QPA_PLATFORM, DISPLAY, ...) is the caller's.
"""
import argparse
import os
import re
import shlex
import statistics
import subprocess
import sys
import time

PROBE = re.compile(rb"first-paint-probe app=(\d+) painted=(\d+) title=(.*)")


def run_once(command):
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
    return {
        "to_app_ms": (app - start) / 1e6,      # exec, dynamic loading, QApplication
        "app_to_paint_ms": (painted - app) / 1e6,  # windows made, shown, first frame flushed
        "to_paint_ms": (painted - start) / 1e6,
        "wall_ms": (end - start) / 1e6,
        "cpu_ms": (usage.ru_utime + usage.ru_stime) * 1e3,  # less sensitive to other load
        "max_rss_kib": usage.ru_maxrss,
        "title": title,
    }


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--warmup", type=int, default=1)
    parser.add_argument("programs", nargs="+", metavar="NAME=COMMAND")
    args = parser.parse_args()
    programs = []
    for entry in args.programs:
        name, _, command = entry.partition("=")
        programs.append((name, shlex.split(command)))

    for _ in range(args.warmup):
        for _, command in programs:
            run_once(command)
    results = {name: [] for name, _ in programs}
    for i in range(args.runs):
        for name, command in programs:
            r = run_once(command)
            results[name].append(r)
            print("run %2d %-10s to_paint %7.1f ms (to_app %6.1f + %6.1f)  cpu %6.1f ms  "
                  "rss %6d KiB  [%s]" % (i + 1, name, r["to_paint_ms"], r["to_app_ms"],
                                         r["app_to_paint_ms"], r["cpu_ms"], r["max_rss_kib"],
                                         r["title"]))
    print()
    print("%-12s %12s %12s %14s %10s %12s" % ("median of " + str(args.runs), "to_paint ms",
                                              "to_app ms", "app_to_paint", "cpu ms",
                                              "max_rss KiB"))
    medians = {}
    for name, runs in results.items():
        m = {k: statistics.median(r[k] for r in runs) for k in runs[0] if k != "title"}
        medians[name] = m
        print("%-12s %12.1f %12.1f %14.1f %10.1f %12d" %
              (name, m["to_paint_ms"], m["to_app_ms"], m["app_to_paint_ms"], m["cpu_ms"],
               m["max_rss_kib"]))
    if len(programs) >= 2:
        base = medians[programs[-1][0]]
        for name, _ in programs[:-1]:
            m = medians[name]
            print("%s / %s: start-up %.2f x, CPU %.2f x, max RSS %.2f x" %
                  (name, programs[-1][0], m["to_paint_ms"] / base["to_paint_ms"],
                   m["cpu_ms"] / base["cpu_ms"], m["max_rss_kib"] / base["max_rss_kib"]))


if __name__ == "__main__":
    main()
