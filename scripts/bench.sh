#!/usr/bin/env bash
# Builds the benchmarks without sanitizers, optimised, and runs them. Extra arguments go to
# every benchmark executable (for example --benchmark_filter=Region).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DMASCOT_BUILD_TESTS=OFF -DMASCOT_BUILD_BENCH=ON
cmake --build "$build" -j "$(nproc)"
for bench in "$build"/bench/bench_*; do
    [[ -x "$bench" ]] || continue
    echo "== $(basename "$bench")"
    "$bench" "$@"
done
