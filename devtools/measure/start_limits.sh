#!/usr/bin/env bash
# The limits a player's session may set (ulimit -v, -f, -n, -u), each on the real game on a
# private X server with a private audio server: it ends in one line and status 1, or it plays,
# and then the board's top-left cells are each pressed twice (xdotool), clearing the groups
# there, while the null sink's monitor is recorded: how much sound was heard.
# Usage: devtools/measure/start_limits.sh GAME   (GAME: a Release build of chromatta-zududo;
# AddressSanitizer cannot run under an address-space limit)
set -uo pipefail
game=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
server="$here/../../tests/sound/private_audio_server.sh"
# shellcheck source=tools/lib/xvfb.sh source-path=SCRIPTDIR/../..
source "$here/../../tools/lib/xvfb.sh"
scratch=$(mktemp -d /tmp/chromatta-limits-XXXXXX)
chmod 755 "$scratch"
pids=()
trap 'kill "${pids[@]}" "${xvfb_pids[@]}" 2>/dev/null; "$server" stop "$scratch/server"; rm -rf "$scratch"' EXIT
start_xvfb "$scratch" 1280x1024x24 -noreset
unset QT_QPA_PLATFORM
mkdir -m 700 "$scratch/runtime"
export XDG_RUNTIME_DIR="$scratch/runtime"

mkdir -m 755 "$scratch/server"
for kind in pipewire pulseaudio; do
    why=$(CHROMATTA_TEST_AUDIO_SERVER=$kind "$server" start "$scratch/server" $$) && break
    kind=
done
[[ -n "$kind" ]] || { echo "skipped: no private audio server: $why"; exit 0; }
export PULSE_SERVER="unix:$scratch/server/native"
chmod 777 "$scratch/server/native" # for the thread limit's other user
record() { # FILE: what the null sink plays, 16-bit mono at 8000 Hz, until killed
    if [[ $kind == pipewire ]]; then
        exec env PIPEWIRE_RUNTIME_DIR="$scratch/server" pw-record -P stream.capture.sink=true \
            --target null --rate 8000 --channels 1 --format s16 - >"$1" 2>/dev/null
    else
        exec parec -d null.monitor --format=s16le --channels=1 --rate=8000 >"$1" 2>/dev/null
    fi
}
heard_ms() { # FILE: milliseconds of samples that are not zero
    python3 -c 'import sys, array
data = open(sys.argv[1], "rb").read()
samples = array.array("h", data[: len(data) // 2 * 2])
print(sum(1 for v in samples if v) / 8)' "$1"
}

# Presses each of the board's 6 x 4 top-left cells twice: the first press picks its group, the
# second clears it when it has two boxes or more. The window's client area is 486 px high below
# its menu bar; the board's grid starts 8 + 1 + 2 px in and 112 + 1 + 5 px down; cells 47 x 48.
clear_some() {
    local X Y HEIGHT
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E "^(X|Y|HEIGHT)=")"
    local left=$((X + 11 + 23)) top=$((Y + HEIGHT - 486 + 118 + 24))
    for row in 0 1 2 3; do
        for column in 0 1 2 3 4 5; do
            xdotool mousemove $((left + 47 * column)) $((top + 48 * row)) click 1 click 1
            sleep 0.3
        done
    done
}

run() { # LABEL COMMAND...: the game's end, or what was heard while it played
    local label=$1 err="$scratch/err" sound="$scratch/sound.raw" window="" status
    shift
    "$@" "$game" 2>"$err" & local pid=$!
    pids=("$pid")
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name 'Chromatta' 2>/dev/null | head -n 1)
        [[ -n "$window" ]] || ! kill -0 "$pid" 2>/dev/null || { sleep 0.1; continue; }
        break
    done
    if [[ -n "$window" ]]; then
        record "$sound" & pids+=($!)
        sleep 0.5
        clear_some "$window"
        sleep 1
        local ended="plays"
        if ! kill -0 "$pid" 2>/dev/null; then
            wait "$pid" 2>/dev/null; ended="ended while playing, status $?"
        fi
        kill "${pids[@]}" 2>/dev/null; wait "${pids[@]}" 2>/dev/null
        echo "$label: $ended; heard $(heard_ms "$sound") ms; said $(wc -l <"$err") lines:" \
            "$(head -c 300 "$err" | tr '\n' '|')"
    else
        wait "$pid"; status=$?
        echo "$label: status $status; said $(wc -l <"$err") lines: $(head -c 300 "$err" | tr '\n' '|')"
    fi
    pids=()
}

echo "on $kind, $(nproc) cores"
run "no limit" env
for mib in 100 120 160 200 600; do
    run "ulimit -v $((mib << 10)) ($mib MiB)" prlimit --as=$((mib << 20))
done
run "ulimit -f 0" prlimit --fsize=0
run "ulimit -n 12" prlimit --nofile=12
run "ulimit -Sn 12" prlimit --nofile=12:1024
if [[ $EUID -eq 0 ]]; then
    cp "$game" "$scratch/" && cp "$(dirname "$game")"/*.wav "$scratch/" 2>/dev/null
    chmod 755 "$scratch" "$scratch/$(basename "$game")"
    game="$scratch/$(basename "$game")"
    run "ulimit -u 2, as nobody" setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env HOME="$scratch" prlimit --nproc=2:2
fi
