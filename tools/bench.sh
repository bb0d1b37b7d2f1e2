#!/usr/bin/env bash
# Builds the rules in Release and prints the time per operation of each benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --measure
build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHROMATTA_BUILD_UI=OFF \
    -DCHROMATTA_BUILD_TESTS=OFF -DCHROMATTA_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target core_bench >/dev/null
"$build/bench/core_bench" "$@"
