#!/usr/bin/env bash
# Plays long random games through the rules and checks every event against what must always hold.
# Usage: tools/soak.sh [EVENTS] [SEED] [--sanitize]
#   a Release build by default; --sanitize uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
events=${1:-1000000}
seed=${2:-1}
preset=soak
[[ "${3:-}" == "--sanitize" ]] && preset=soak-sanitize
build="build-$preset"
tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build "$build" --target chromatta-soak >/dev/null
"$build/headless/soak/chromatta-soak" "$events" "$seed"
