#!/usr/bin/env bash
# Builds in Release and prints the time per operation of each benchmark: the rules headless, and
# the window's frames on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh --measure
build="build-tools"
cmake --preset tools >/dev/null
cmake --build "$build" --target core_bench frame_bench >/dev/null
echo "== the rules, headless"
"$build/devtools/bench/core_bench" "$@"
echo "== the window's frames (offscreen)"
# Qt wants a runtime folder of its own; one made here goes when the script ends.
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime} "$build/devtools/bench/frame_bench" "$@"
