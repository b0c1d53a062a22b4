#!/usr/bin/env bash
# The test command: installs what is missing, builds with sanitizers and runs every test, then
# runs the fuzz targets briefly.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

build=build/test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMASCOT_SANITIZE=ON -DMASCOT_WERROR=ON
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

# A short fuzz smoke run: every libFuzzer target for 10 s (a message and no run without clang).
scripts/fuzz.sh 10
