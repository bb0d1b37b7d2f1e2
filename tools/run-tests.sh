#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
build=${BUILD_DIR:-build-test}
cmake --preset test -B "$build" >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
