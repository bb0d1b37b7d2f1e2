#!/usr/bin/env bash
# How long PipeWire's pulse server takes, started from nothing together with its daemon and
# WirePlumber (as a desktop's socket activation starts them on the first client), to answer a
# client (pactl info) and to play a client's first sound to its end (10 ms, pacat): what the
# sound player's deadline for connecting must allow. The servers are private ones, as
# tests/sound/private_audio_server.sh starts them.
# Usage: devtools/measure/server_start.sh [RUNS]   (default 5)
set -uo pipefail
runs=${1:-5}
here=$(dirname "$0")
server="$here/../../tests/sound/private_audio_server.sh"

# shellcheck source=private_audio_server_pipewire.sh source-path=SCRIPTDIR/../../tests/sound
. "$here/../../tests/sound/private_audio_server_pipewire.sh"

# Runs COMMAND (a shell line) until it succeeds, for ten seconds at most.
ten_seconds() {
    local until=$((SECONDS + 10))
    until bash -c "$1" >/dev/null 2>&1; do
        [[ $SECONDS -lt $until ]] || { echo "  run $run: no answer in ten seconds"; return 1; }
        sleep 0.005
    done
}
milliseconds() { echo $(($(date +%s%N) / 1000000)); }
echo "PipeWire $(pipewire --version | awk '/Linked/ {print $NF}'), started from nothing:"
dir=
trap '[[ -n "$dir" ]] && "$server" stop "$dir" && rm -rf "$dir"' EXIT
for run in $(seq "$runs"); do
    [[ -n "${dir:-}" ]] && "$server" stop "$dir" && rm -rf "$dir"
    dir=$(mktemp -d /tmp/chromatta-start-XXXXXX)
    mkdir -p "$dir/config" "$dir/state"
    start=$(milliseconds)
    start_pipewire # the daemon first, then its session manager and pulse server, as systemd does
    ten_seconds "pactl --server=unix:$dir/native info" || continue
    answered=$(milliseconds)
    ten_seconds "head -c 960 /dev/zero | pacat --server=unix:$dir/native --raw --format=s16le \
        --channels=1 --rate=48000" || continue
    played=$(milliseconds)
    echo "  run $run: answers after $((answered - start)) ms, its first sound played after" \
        "$((played - start)) ms"
done
