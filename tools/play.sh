#!/usr/bin/env bash
# Builds the game for playing (Release, no sanitizers, no tests) and starts it.
# Usage: tools/play.sh [Qt options such as -platform xcb]   (BUILD_DIR picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."

# Only what the game needs to build and run: no test servers on a player's desktop.
tools/install-deps.sh --play

build=${BUILD_DIR:-build-play}
cmake --preset play -B "$build" >/dev/null
cmake --build "$build" --target chromatta-zududo
exec "$build/ui/chromatta-zududo" "$@"
