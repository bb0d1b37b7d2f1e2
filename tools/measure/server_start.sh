#!/usr/bin/env bash
# How long PipeWire's pulse server takes, started from nothing together with its daemon and
# WirePlumber (as a desktop's socket activation starts them on the first client), to answer a
# client (pactl info) and to play a client's first sound to its end (10 ms, pacat): what the
# sound player's deadline for connecting must allow. The servers are private ones, as
# tests/sound/private_audio_server.sh starts them.
# Usage: tools/measure/server_start.sh [RUNS]   (default 5)
set -uo pipefail
runs=${1:-5}
here=$(dirname "$0")
server="$here/../../tests/sound/private_audio_server.sh"

# As private_audio_server.sh runs the servers' programs.
spawn() { # NAME PROGRAM [ARGS]
    local name=$1
    shift
    env -i PATH="$PATH" HOME="$dir" XDG_RUNTIME_DIR="$dir" XDG_CONFIG_HOME="$dir/config" \
        XDG_STATE_HOME="$dir/state" XDG_DATA_HOME="$dir/data" XDG_CACHE_HOME="$dir/cache" \
        PIPEWIRE_RUNTIME_DIR="$dir" PULSE_RUNTIME_PATH="$dir" \
        DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/no-session-bus" \
        "$@" </dev/null >>"$dir/$name.log" 2>&1 &
    echo $! >"$dir/$name.pid"
}
# shellcheck source=private_audio_server_pipewire.sh source-path=SCRIPTDIR/../../tests/sound
. "$here/../../tests/sound/private_audio_server_pipewire.sh"

milliseconds() { echo $(($(date +%s%N) / 1000000)); }
echo "PipeWire $(pipewire --version | awk '/Linked/ {print $NF}'), started from nothing:"
for run in $(seq "$runs"); do
    dir=$(mktemp -d /tmp/chromatta-start-XXXXXX)
    mkdir -p "$dir/config" "$dir/state"
    write_pipewire_config
    write_wireplumber_config
    start=$(milliseconds)
    spawn pipewire pipewire -c "$dir/pipewire.conf"
    spawn wireplumber wireplumber
    spawn server pipewire -c "$dir/pipewire-pulse.conf"
    until pactl --server="unix:$dir/native" info >/dev/null 2>&1; do sleep 0.005; done
    answered=$(milliseconds)
    until head -c 960 /dev/zero | pacat --server="unix:$dir/native" --raw --format=s16le \
        --channels=1 --rate=48000 >/dev/null 2>&1; do sleep 0.005; done
    played=$(milliseconds)
    echo "  run $run: answers after $((answered - start)) ms, its first sound played after" \
        "$((played - start)) ms"
    "$server" stop "$dir"
    rm -rf "$dir"
done
