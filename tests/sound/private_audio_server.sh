#!/usr/bin/env bash
# Starts or stops a private audio server with a null sink for the sound tests and measurements.
#   private_audio_server.sh start DIR [OWNER_PID]   (prints nothing on success)
#   private_audio_server.sh stop DIR
# The server is of the kind the machine has: PipeWire with its pulse server and WirePlumber where
# pipewire-pulse is installed, else PulseAudio. CHROMATTA_TEST_AUDIO_SERVER=pipewire|pulseaudio
# picks one where both are. Everything it runs lives in DIR (its runtime, home and config folder)
# with a clean environment: the user's own server, units, config and D-Bus session are never
# touched. Clients reach it at unix:DIR/native; DIR/server.pid is the process serving that socket
# (SIGSTOP it to stall the server). With OWNER_PID, the server stops when that process is gone.
# Exit status 77, with the reason on stdout, when no kind is installed.
set -uo pipefail

usage() { echo "usage: $0 start|stop DIR [OWNER_PID]" >&2; exit 2; }
[[ $# -ge 2 ]] || usage
action=$1 dir=$2 owner=${3:-}

have() { command -v "$1" >/dev/null 2>&1; }

kind() {
    local wanted=${CHROMATTA_TEST_AUDIO_SERVER:-}
    if [[ -n "$wanted" && "$wanted" != pipewire && "$wanted" != pulseaudio ]]; then
        echo "CHROMATTA_TEST_AUDIO_SERVER must be pipewire or pulseaudio, not $wanted"
        return 1
    fi
    local pipewire=no pulseaudio=no
    have pipewire-pulse && have wireplumber && pipewire=yes
    have pulseaudio && pulseaudio=yes
    if ! have pacat || ! have pactl; then
        echo "pacat and pactl (Debian: pulseaudio-utils) are needed to talk to an audio server"
        return 1
    fi
    case "$wanted,$pipewire,$pulseaudio" in
        pipewire,yes,* | ,yes,*) echo pipewire ;;
        pulseaudio,*,yes | ,no,yes) echo pulseaudio ;;
        *) echo "no ${wanted:-audio} server installed (Debian: pipewire-pulse and wireplumber," \
                "or pulseaudio)"
           return 1 ;;
    esac
}

# shellcheck source=private_audio_server_pipewire.sh source-path=SCRIPTDIR
. "$(dirname "$0")/private_audio_server_pipewire.sh"

start_pulseaudio() {
    # Root is refused a per-user server unless --system=false says so.
    spawn server pulseaudio --system=false -n --daemonize=no --exit-idle-time=-1 \
        --use-pid-file=no -L module-null-sink \
        -L "module-native-protocol-unix socket=$dir/native auth-anonymous=1"
}

# Plays a moment of silence to the end: the server answers and links a stream to the sink.
answers() {
    head -c 4800 /dev/zero | timeout 3 pacat --server="unix:$dir/native" --raw \
        --format=s16le --channels=1 --rate=48000 --latency-msec=20 >/dev/null 2>&1
}

# Waits up to ten seconds for COMMAND to succeed.
within_ten_seconds() {
    local deadline=$((SECONDS + 10))
    until "$@"; do
        [[ $SECONDS -lt $deadline ]] || return 1
        sleep 0.1
    done
}

start() {
    local which
    which=$(kind) || { echo "$which"; exit 77; }
    mkdir -p "$dir/config" "$dir/state"
    "start_$which"
    if [[ -n "$owner" ]]; then
        # Stopped first, it takes its wait along.
        (trap 'kill $waiting; wait $waiting; exit' TERM
         tail --pid="$owner" -f /dev/null & waiting=$!
         wait $waiting
         kill -0 "$owner" 2>/dev/null || stop) </dev/null >/dev/null 2>&1 &
        echo $! >"$dir/watch.pid"
    fi
    if within_ten_seconds pactl --server="unix:$dir/native" info >/dev/null 2>&1; then
        if [[ "$which" == pulseaudio ]]; then
            # An idle null sink adds about two seconds to every drain; a low-latency stream
            # kept running holds it awake.
            pacat --server="unix:$dir/native" --latency-msec=20 /dev/zero </dev/null \
                >/dev/null 2>&1 &
            echo $! >"$dir/awake.pid"
        fi
        within_ten_seconds answers && return 0
    fi
    echo "the private $which server did not answer; its log:"
    cat "$dir"/*.log
    stop
    exit 1
}

# Every process with a pid file in DIR (the tests add their own recorders), woken first if a
# test left one stopped; then waits for them to go.
stop() {
    local pids=()
    for file in "$dir"/*.pid; do
        [[ -f "$file" ]] && pids+=("$(cat "$file")") && rm -f "$file"
    done
    [[ ${#pids[@]} -gt 0 ]] || return 0
    kill -CONT "${pids[@]}" 2>/dev/null
    kill "${pids[@]}" 2>/dev/null
    for _ in $(seq 50); do
        kill -0 "${pids[@]}" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "${pids[@]}" 2>/dev/null
    return 0
}

case "$action" in
    start) start ;;
    stop) stop ;;
    *) usage ;;
esac
