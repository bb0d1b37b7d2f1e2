#!/usr/bin/env bash
# Plays long random games through the rules and checks every event against what must always hold.
# Usage: tools/soak.sh [EVENTS] [SEED] [--sanitize]
#   a Release build by default; --sanitize uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-1000000}
seed=${2:-1}
if [[ "${3:-}" == "--sanitize" ]]; then
    build="build-soak-asan"
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHROMATTA_SANITIZE=ON)
else
    build="build-soak"
    options=(-DCMAKE_BUILD_TYPE=Release)
fi
tools/install-deps.sh
cmake -S . -B "$build" -G Ninja -DCHROMATTA_BUILD_UI=OFF -DCHROMATTA_BUILD_TESTS=OFF \
    "${options[@]}" >/dev/null
cmake --build "$build" --target chromatta-soak >/dev/null
"$build/tools/soak/chromatta-soak" "$events" "$seed"
