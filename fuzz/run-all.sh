#!/usr/bin/env bash
# Runs every fuzz target in a build folder for a bounded time over its committed corpus
# (fuzz/corpus/<target>, only read). The inputs a run finds that reach new code are written into
# BUILD_DIR/fuzz-corpus/<target>, where the next run starts from them too; nothing under fuzz/
# changes. fuzz/minimize-corpus.sh merges them into fuzz/corpus/ when someone decides to.
# A crash or a hang leaves its input in BUILD_DIR/fuzz-artifacts/<target>/.
# Usage: fuzz/run-all.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
# libFuzzer stops by itself after -max_total_time; `timeout` ends a run that does not stop,
# whatever the reason, and kills it 10 s after asking.
run_limit=$((seconds + 120))
# One target. Its report goes to standard output.
fuzz_one() {
    local target=$1 name corpus found artifacts log status before after reason
    name=$(basename "$target")
    corpus="$here/corpus/$name"
    found="$build/fuzz-corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    mkdir -p "$found" "$artifacts"
    log=$(mktemp)
    before=$(find "$found" -type f | wc -l)
    status=0
    # libFuzzer writes new inputs into the first corpus folder it is given.
    timeout -k 10 "$run_limit" "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$artifacts/" "$found" "$corpus" >"$log" 2>&1 || status=$?
    if [ "$status" -eq 0 ]; then
        after=$(find "$found" -type f | wc -l)
        echo "fuzz: $name ran ${seconds}s clean; $((after - before)) new inputs in $found"
    else
        [ "$status" -eq 124 ] && reason="did not stop within ${run_limit}s" || reason="exit $status"
        echo "fuzz: $name FAILED ($reason); inputs in $artifacts"
        tail -n 40 "$log"
        rm -f "$log"
        return 1
    fi
    rm -f "$log"
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
