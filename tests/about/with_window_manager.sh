#!/usr/bin/env bash
# Runs a program on a private X server with a window manager that frames its windows, as a
# player's desktop does (openbox: small, and it answers for the frame of a window before it is
# mapped, as the large desktops do).
# Usage: [SCREEN_SIZE=640x480] with_window_manager.sh PROGRAM [ARGS]; the screen is 1024x768
# unless told.
set -euo pipefail
# shellcheck source=tools/lib/xvfb.sh
source "$(dirname "$0")/../../tools/lib/xvfb.sh"
scratch=$(mktemp -d)
manager=
trap 'kill $manager "${xvfb_pids[@]}" 2>/dev/null || true; rm -rf "$scratch"' EXIT
start_xvfb "$scratch" "${SCREEN_SIZE:-1024x768}x24"
export XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb
HOME="$scratch" openbox --sm-disable >/dev/null 2>&1 &
manager=$!
# The window manager is ready once it has announced itself on the root window.
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done
xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' || {
    echo "with_window_manager.sh: openbox did not start" >&2
    exit 1
}
"$@"
