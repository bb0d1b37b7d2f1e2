#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors under AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs the whole suite through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
build=${BUILD_DIR:-build-test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCHROMATTA_WERROR=ON -DCHROMATTA_SANITIZE=ON >/dev/null
cmake --build "$build"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
