#!/usr/bin/env bash
# A server that comes back slowly: the private server stopped (SIGSTOP) for one clearing, then
# answering again, and the next clearings timed against what its sink played (clearing-hold
# --for-one): how many were heard, the longest hold, and anything played late or between them.
# Two ways a server answers slowly once back:
#   relay: every connection answered 250 ms late by a byte relay in front of its socket
#          (devtools/measure/slow_relay.py); the game's client is told to use no shared memory
#          (enable-shm = no in a PULSE_CLIENTCONFIG file), since a relay cannot pass descriptors;
#   hogs:  no relay, two CPU hogs running beside the game and the server.
# Usage: devtools/measure/sound_comeback.sh PROGRAM [RUNS] [CLEARINGS]
#   PROGRAM: a built clearing-hold; RUNS of each way (default 3), CLEARINGS after the stopped one
#   (default 5). Runs on Qt's offscreen platform and on the first private server the machine has.
set -uo pipefail
hold=$(realpath "$1")
runs=${2:-3}
clearings=${3:-5}
here=$(dirname "$(realpath "$0")")
server="$here/../../tests/sound/private_audio_server.sh"
scratch=$(mktemp -d /tmp/chromatta-comeback-XXXXXX)
chmod 755 "$scratch"
helpers=()
stop_helpers() {
    [[ ${#helpers[@]} -gt 0 ]] && kill "${helpers[@]}" 2>/dev/null
    helpers=()
}
trap 'stop_helpers; "$server" stop "$scratch/server"; rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch"

# The first kind of private server the machine has.
mkdir -m 755 "$scratch/server"
for kind in pipewire pulseaudio; do
    why=$(CHROMATTA_TEST_AUDIO_SERVER=$kind "$server" start "$scratch/server" $$) && break
    kind=
done
if [[ -z "$kind" ]]; then
    echo "skipped: no private audio server could be started: $why"
    exit 0
fi
native="$scratch/server/native"
server_pid=$(cat "$scratch/server/server.pid")
# What the null sink plays, 16-bit mono at 8000 Hz: on PipeWire from its daemon, which goes on
# while its pulse server is stopped; on PulseAudio from the server itself.
if [[ $kind == pipewire ]]; then
    record="env PIPEWIRE_RUNTIME_DIR=$scratch/server pw-record -P stream.capture.sink=true \
        --target null --rate 8000 --channels 1 --format s16 -"
else
    record="parec --server=unix:$native -d null.monitor --format=s16le --channels=1 --rate=8000 \
        --latency-msec=10"
fi
echo "on $kind"

printf 'enable-shm = no\n' >"$scratch/no-shm.conf"
echo "relay: the server stopped for one clearing, then every connection answered 250 ms late"
for run in $(seq "$runs"); do
    "$here/slow_relay.py" "$scratch/relay" "$native" 250 & helpers=($!)
    for _ in $(seq 50); do [[ -S "$scratch/relay" ]] && break; sleep 0.1; done
    echo "  run $run"
    PULSE_SERVER="unix:$scratch/relay" PULSE_CLIENTCONFIG="$scratch/no-shm.conf" \
        "$hold" --clearings "$clearings" --stop-server "$server_pid" --for-one --record "$record" \
        2>/dev/null | sed 's/^/    /'
    stop_helpers
done

echo "hogs: the server stopped for one clearing, then answering beside two CPU hogs"
for run in $(seq "$runs"); do
    ( while :; do :; done ) & helpers=($!)
    ( while :; do :; done ) & helpers+=($!)
    echo "  run $run"
    PULSE_SERVER="unix:$native" "$hold" --clearings "$clearings" --stop-server "$server_pid" \
        --for-one --record "$record" 2>/dev/null | sed 's/^/    /'
    stop_helpers
done
