#!/usr/bin/env bash
# Builds Kestro with AddressSanitizer and UBSan, warnings as errors, and runs every test; then,
# with clang, builds the fuzz targets and runs each one for a short, bounded time over its corpus
# (new inputs stay in build/fuzz/fuzz-corpus; fuzz/minimize-corpus.sh keeps them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DKESTRO_SANITIZE=address,undefined \
    -DKESTRO_BUILD_TESTS=ON -DKESTRO_BUILD_BENCH=ON -DKESTRO_BUILD_FUZZ=OFF \
    -DKESTRO_WERROR=ON >/dev/null
cmake --build build/test -j "$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp
ctest --test-dir build/test --output-on-failure -j "$jobs" --timeout 300

if command -v clang++ >/dev/null; then
    CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DKESTRO_BUILD_TESTS=OFF -DKESTRO_BUILD_BENCH=OFF -DKESTRO_BUILD_FUZZ=ON \
        -DKESTRO_WERROR=ON >/dev/null
    cmake --build build/fuzz --target fuzz_all -j "$jobs"
    fuzz/run-all.sh build/fuzz "${KESTRO_FUZZ_SECONDS:-60}"
fi
