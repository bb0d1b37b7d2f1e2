#!/usr/bin/env bash
# Fuzzes the script engine with libFuzzer for a number of minutes (default 10).
# Usage: tools/fuzz.sh [MINUTES]
# The corpus grows in devtools/fuzz/corpus-work/ (not committed); the seeds are the golden scripts.
# A crash or hang leaves a crash-*/timeout-* file in devtools/fuzz/findings/: turn each into a golden
# script under tests/scripts/ once it is fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
tools/install-deps.sh --measure
build="build-fuzz"
# Every library is instrumented for coverage, not just the entry point (the preset's flags).
cmake --preset fuzz >/dev/null
cmake --build "$build" --target script_fuzzer >/dev/null
mkdir -p devtools/fuzz/corpus-work devtools/fuzz/findings
cp -n tests/scripts/*.script devtools/fuzz/corpus-work/ 2>/dev/null || true
"$build/devtools/fuzz/script_fuzzer" devtools/fuzz/corpus-work -artifact_prefix=devtools/fuzz/findings/ \
    -dict=devtools/fuzz/script.dict -max_total_time=$((minutes * 60)) -timeout=10 -rss_limit_mb=2048 -max_len=8192 \
    -print_final_stats=1 2>&1 | tail -n 25
