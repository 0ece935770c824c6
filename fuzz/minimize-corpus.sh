#!/usr/bin/env bash
# Keeps what the fuzz runs found: for each target, merges the inputs a run left in
# BUILD_DIR/fuzz-corpus/<target> (see fuzz/run-all.sh) into fuzz/corpus/<target> with libFuzzer's
# -merge=1, which copies only the inputs that reach code the committed corpus does not reach.
# Run it when new inputs are worth committing, then review and commit fuzz/corpus/. The build
# folder is a fuzz build: clang++ with -DKESTRO_BUILD_FUZZ=ON, `cmake --build BUILD_DIR --target
# fuzz_all`.
# Usage: fuzz/minimize-corpus.sh BUILD_DIR [TARGET ...]
set -euo pipefail
build=${1:?usage: fuzz/minimize-corpus.sh BUILD_DIR [TARGET ...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for found in "$build"/fuzz-corpus/*/; do
        [ -d "$found" ] && targets+=("$(basename "$found")")
    done
fi
[ ${#targets[@]} -gt 0 ] || { echo "minimize: nothing found in $build/fuzz-corpus"; exit 0; }

for name in "${targets[@]}"; do
    target="$build/fuzz/$name"
    found="$build/fuzz-corpus/$name"
    corpus="$here/corpus/$name"
    if [ ! -x "$target" ]; then
        echo "minimize: $name: no fuzz target $target" >&2
        exit 1
    fi
    if [ -z "$(ls -A "$found" 2>/dev/null)" ]; then
        echo "minimize: $name: no new inputs"
        continue
    fi
    mkdir -p "$corpus"
    before=$(find "$corpus" -type f | wc -l)
    log=$(mktemp)
    if ! timeout -k 10 600 "$target" -merge=1 -use_counters=0 -timeout=10 -rss_limit_mb=4096 \
        "$corpus" "$found" >"$log" 2>&1; then
        echo "minimize: $name: merging failed; fuzz/corpus/$name unchanged" >&2
        tail -n 5 "$log" >&2
        rm -f "$log"
        exit 1
    fi
    rm -f "$log"
    after=$(find "$corpus" -type f | wc -l)
    echo "minimize: $name: $((after - before)) of $(find "$found" -type f | wc -l) new inputs kept in fuzz/corpus/$name"
done
