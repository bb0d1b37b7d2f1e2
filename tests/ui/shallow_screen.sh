#!/usr/bin/env bash
# On a screen of 256 colours from a colour map, everything the program paints fails and its
# window stays black. It must say in one line that it needs more colours and exit with status 1;
# on a 16-bit screen it must start as usual.
# Usage: shallow_screen.sh PROGRAM
set -euo pipefail
program=$1
# shellcheck source=tools/lib/xvfb.sh
source "$(dirname "$0")/../../tools/lib/xvfb.sh"
scratch=$(mktemp -d)
trap 'kill "${xvfb_pids[@]}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb PULSE_SERVER=unix:/nonexistent

start_xvfb "$scratch" 1024x768x8
status=0
timeout 20 "$program" >"$scratch/out" 2>"$scratch/err" || status=$?
if [[ $status -ne 1 || -s "$scratch/out" || $(wc -l <"$scratch/err") -ne 1 ]] ||
    ! grep -q '^chromatta-zududo: .*15-bit or deeper colour screen is needed' "$scratch/err"; then
    echo "8-bit screen: exit status $status, expected 1 and one line saying so; got:" >&2
    cat "$scratch/out" "$scratch/err" >&2
    exit 1
fi
cat "$scratch/err"

start_xvfb "$scratch" 1024x768x16
status=0
timeout 3 "$program" >"$scratch/out" 2>&1 || status=$?
if [[ $status -ne 124 ]]; then # 124: still running when timeout stopped it
    echo "16-bit screen: exit status $status, expected the program to keep running" >&2
    cat "$scratch/out" >&2
    exit 1
fi
echo "16-bit screen: running"
