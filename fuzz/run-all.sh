#!/usr/bin/env bash
# Runs every fuzz target in a build folder for a bounded time over its committed corpus.
# Usage: fuzz/run-all.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
passed=0
failed=0
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$here/corpus/$name"
    mkdir -p "$corpus"
    work=$(mktemp -d)
    if "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$work/" "$work" "$corpus" >"$work/log" 2>&1; then
        echo "fuzz: $name ran ${seconds}s clean"
        passed=$((passed + 1))
    else
        echo "fuzz: $name FAILED"; tail -n 40 "$work/log"
        failed=$((failed + 1))
    fi
    rm -rf "$work"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
