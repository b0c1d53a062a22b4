#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (apart from the GCC build) and runs each for SECONDS
# (default 30) on a seed corpus made by the container writer, the assembler and the archive
# builder, plus what earlier runs found. A crash stops the script with its input saved under
# build/fuzz/crashes/; turn such an input into a named regression file under tests/data/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-30}
clangxx=${CXX_FUZZ:-clang++-14}
if ! command -v "$clangxx" >/dev/null; then
    echo "fuzz: $clangxx is not installed; skipping the fuzz targets (scripts/setup.sh installs it)"
    exit 0
fi

build=build/fuzz
CXX="$clangxx" cmake -S fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j 2 >/dev/null

rm -rf "$build/seeds"
"$build/make_seeds" "$build/seeds"
mkdir -p "$build/crashes"
for target in container script archive_index content_file profile_text; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    regressions=()
    [[ -d tests/data/fuzz/$target ]] && regressions=("tests/data/fuzz/$target")
    echo "fuzz: $target for ${seconds}s"
    "$build/fuzz_$target" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=1 -artifact_prefix="$build/crashes/$target-" \
        "$corpus" "$build/seeds/$target" "${regressions[@]}" 2>"$build/$target.log" ||
        { tail -n 40 "$build/$target.log"; echo "fuzz: $target failed; see $build/$target.log"; exit 1; }
    grep -E '^stat::(number_of_executed_units|new_units_added)' "$build/$target.log" | tr '\n' ' '
    echo
done
