#!/usr/bin/env bash
# The sound figures of tools/measure.sh: how long a clearing holds the game against the length of
# clearbox.wav, on a private PipeWire and a private PulseAudio (each skipped when not installed);
# five clearings with the server stopped (SIGSTOP) before them and half way through the first
# sound, then one after it resumed, with what the sink played meanwhile recorded from its monitor;
# and the descriptors and threads before and after 20 clearings under each fault the player must
# survive: a thread shortage, an address-space limit, and (five clearings) a server that never
# answers. Each "--settle" line counts the wake-ups of the settled game afterwards.
# Usage: devtools/measure/sound_hold.sh PROGRAM   (PROGRAM: a built clearing-hold)
# Runs on Qt's offscreen platform: the sound's path does not depend on the display.
set -uo pipefail
hold=$(realpath "$1")
server="$(dirname "$0")/../../tests/sound/private_audio_server.sh"
scratch=$(mktemp -d /tmp/chromatta-measure-XXXXXX)
chmod 755 "$scratch"
trap '"$server" stop "$scratch/server"; rm -rf "$scratch"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch"

# Starts a private server of KIND in $scratch/server; false (saying why) when there is none.
start() {
    "$server" stop "$scratch/server"
    rm -rf "$scratch/server" && mkdir -m 755 "$scratch/server"
    local why
    if ! why=$(CHROMATTA_TEST_AUDIO_SERVER=$1 "$server" start "$scratch/server" $$); then
        echo "$1: skipped: $why"
        return 1
    fi
    chmod 777 "$scratch/server/native" # for the thread shortage's other user
    export PULSE_SERVER="unix:$scratch/server/native"
    # What the null sink plays, 16-bit mono at 8000 Hz: on PipeWire from its daemon, which goes on
    # while the pulse server is stopped.
    if [[ $1 == pipewire ]]; then
        record="env PIPEWIRE_RUNTIME_DIR=$scratch/server pw-record -P stream.capture.sink=true \
            --target null --rate 8000 --channels 1 --format s16 -"
    else
        record="parec -d null.monitor --format=s16le --channels=1 --rate=8000 --latency-msec=10"
    fi
}

# The library's own complaints (its memory pools under the address-space limit) are not ours.
measure() { "$hold" "$@" 2>/dev/null | sed 's/^/    /'; }

# As another user when run as root, whom RLIMIT_NPROC does not bind.
as_limited_user() {
    if [[ $EUID -eq 0 ]]; then
        setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME="$scratch" "$@"
    else
        "$@"
    fi
}

first=
for kind in pipewire pulseaudio; do
    start "$kind" || continue
    first=${first:-$kind}
    echo "$kind: clearings with the server answering"
    measure --clearings 20 --settle
    echo "$kind: the server stopped (SIGSTOP), then resumed (SIGCONT)"
    measure --clearings 5 --stop-server "$(cat "$scratch/server/server.pid")" --record "$record" \
        --settle
    measure --clearings 5 --stop-server "$(cat "$scratch/server/server.pid")" --mid-sound \
        --record "$record"
done
[[ -n "$first" ]] || exit 0
start "$first"
echo "$first: a thread shortage, one more thread to be had (then none)"
as_limited_user "$hold" --clearings 20 --spare-threads 1 2>/dev/null | sed 's/^/    /'
as_limited_user "$hold" --clearings 20 --spare-threads 0 2>/dev/null | sed 's/^/    /'
for spare in 100 140; do
    echo "$first: the address space limited to $spare MB more than at the start"
    measure --clearings 20 --address-space "$spare"
done
echo "a server that takes connections and never answers"
mkdir -p "$scratch/silent"
measure --clearings 5 --silent-server "$scratch/silent" --settle
