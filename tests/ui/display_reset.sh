#!/usr/bin/env bash
# An X server with no other client resets when its last client leaves, and refuses connections
# while it does. The program must not leave the server before Qt has connected: it would make Qt
# fail (and abort) right after the check found the display fine. Several starts at once on a
# private server with no other client; each must still be running when it is stopped.
# Usage: display_reset.sh PROGRAM
set -euo pipefail
program=$1
# shellcheck source=tools/lib/xvfb.sh
source "$(dirname "$0")/../../tools/lib/xvfb.sh"
scratch=$(mktemp -d)
trap 'kill "${xvfb_pids[@]}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
start_xvfb "$scratch" 1024x768x24
export XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb
export PULSE_SERVER=unix:/nonexistent

failures=0
for round in 1 2 3 4 5; do
    pids=()
    for start in 1 2 3; do
        timeout 1.5 "$program" >"$scratch/out.$round.$start" 2>&1 &
        pids+=($!)
    done
    for i in "${!pids[@]}"; do
        status=0
        wait "${pids[$i]}" || status=$?
        if [[ $status -ne 124 ]]; then # 124: still running when timeout stopped it
            echo "round $round, start $((i + 1)): exit status $status" >&2
            cat "$scratch/out.$round.$((i + 1))" >&2
            failures=$((failures + 1))
        fi
    done
done
[[ $failures -eq 0 ]] && echo "15 starts on a server with no other client: all running"
exit $((failures > 0))
