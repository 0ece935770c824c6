#!/usr/bin/env bash
# Runs every fuzz target in a build folder for a bounded time over its committed corpus, then keeps
# the inputs it found that reach code the corpus did not reach: they are merged into
# fuzz/corpus/<target>, to be committed with the next change. Inputs that only exercise known code
# more often are not kept, so the corpus grows only when the fuzzer finds something new.
# A crash or a hang leaves its input in BUILD_DIR/fuzz-artifacts/<target>/.
# Usage: fuzz/run-all.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
# libFuzzer stops by itself after -max_total_time; `timeout` ends a run that does not stop,
# whatever the reason, and kills it 10 s after asking.
run_limit=$((seconds + 120))
merge_limit=300
# One target: run, then merge what it found. Its report goes to standard output.
fuzz_one() {
    local target=$1 name corpus artifacts work status before after reason
    name=$(basename "$target")
    corpus="$here/corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    mkdir -p "$corpus" "$artifacts"
    work=$(mktemp -d)
    mkdir "$work/new"
    status=0
    timeout -k 10 "$run_limit" "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$artifacts/" "$work/new" "$corpus" >"$work/log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
        before=$(find "$corpus" -type f | wc -l)
        if [ -n "$(ls -A "$work/new")" ] &&
            ! timeout -k 10 "$merge_limit" "$target" -merge=1 -use_counters=0 -timeout=10 \
                -rss_limit_mb=4096 "$corpus" "$work/new" >"$work/merge.log" 2>&1; then
            echo "fuzz: $name: merging the new inputs failed; none kept"
            tail -n 5 "$work/merge.log"
        fi
        after=$(find "$corpus" -type f | wc -l)
        echo "fuzz: $name ran ${seconds}s clean; kept $((after - before)) new inputs"
    else
        [ "$status" -eq 124 ] && reason="did not stop within ${run_limit}s" || reason="exit $status"
        echo "fuzz: $name FAILED ($reason); inputs in $artifacts"
        tail -n 40 "$work/log"
        rm -rf "$work"
        return 1
    fi
    rm -rf "$work"
}

# The targets run side by side, as many at a time as there are processors; each one's report is
# printed whole once it ends.
results=$(mktemp -d)
slots=$(nproc)
for target in "$build"/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    while [ "$(jobs -rp | wc -l)" -ge "$slots" ]; do wait -n || true; done
    name=$(basename "$target")
    (if fuzz_one "$target" >"$results/$name.log" 2>&1; then touch "$results/$name.ok"; fi) &
done
wait
passed=0
failed=0
for log in "$results"/*.log; do
    [ -e "$log" ] || continue
    cat "$log"
    if [ -e "${log%.log}.ok" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); fi
done
rm -rf "$results"
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
