#!/usr/bin/env bash
# Measures the real program under Xvfb and prints the figures (medians of several runs):
#   start-up:  exec to the first frame that shows all 91 boxes (polled from the window's pixels)
#   settled:   over 10 s with the window open and nothing moving, from /proc: % of one core in
#              clock ticks (utime + stime, 0.1 % resolution) and in nanoseconds (schedstat), and
#              the wake-ups of all threads (voluntary and involuntary context switches)
#   collapse:  the ticks of a collapse against the timer's grid, and the wake-ups per second
#              while it runs (devtools/measure/collapse-ticks, inside the real window)
#   peak RSS:  VmHWM after start-up, idling and a stretch of play
#   play CPU:  CPU time per press while pressing boxes (each press repaints, clearings collapse)
#   frame:     one frame during a collapse: a tick, the new frame rendered, painted and handed to
#              the X server (devtools/bench/frame_bench.cpp on the xcb platform)
#   sound:     a clearing's hold against the sound's length on a private PipeWire and PulseAudio,
#              and descriptors and threads before and after 20 clearings under a thread shortage,
#              an address-space limit and a server that never answers (devtools/measure/sound_hold.sh)
# The same figures for bare-window, a bare Qt window of the same size (also with an empty 100 ms
# timer, and with one that repaints it ten times a second), show what any Qt program costs here.
# Usage: tools/measure.sh [RUNS]   (default 7)
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}

tools/install-deps.sh --measure
build="build-tools"
cmake --preset tools >/dev/null
cmake --build "$build" --target chromatta-zududo first-frame bare-window collapse-ticks frame_bench \
    clearing-hold >/dev/null
game="$PWD/$(find "$build" -name chromatta-zududo -type f -perm -u+x | head -n 1)"
probe="$PWD/$build/devtools/measure/first-frame"
bare="$PWD/$build/devtools/measure/bare-window"
collapse="$PWD/$build/devtools/measure/collapse-ticks"

# A private X server on a display number it picks itself, so no other server is in the way.
# shellcheck source=tools/lib/xvfb.sh
source tools/lib/xvfb.sh
scratch=$(mktemp -d)
game_pid=
cleanup() {
    [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null || true
    kill "${xvfb_pids[@]}" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
start_xvfb "$scratch" 1280x1024x24 -noreset
export XDG_RUNTIME_DIR="$scratch"
unset QT_QPA_PLATFORM
export PULSE_SERVER=unix:/nonexistent # no audio here: the game stays silent and quick

median() { sort -n | awk '{v[NR]=$1} END {if (NR%2) print v[(NR+1)/2]; else print (v[NR/2]+v[NR/2+1])/2}'; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
ticks_per_second=$(getconf CLK_TCK)

echo "machine: $(nproc) cores, $(awk '/model name/ {$1=$2=$3=""; print; exit}' /proc/cpuinfo | sed 's/^ *//')"
"$probe" "$game" >/dev/null || true # warm the file cache once
"$probe" "$bare" >/dev/null || true
startup() { # PROGRAM: the start-up times of RUNS runs, then their median
    local times=()
    for _ in $(seq "$runs"); do times+=("$("$probe" "$1")"); done
    printf 'median %s of %s runs [%s]' "$(printf '%s\n' "${times[@]}" | median)" "$runs" "${times[*]}"
}
echo "start-up to a full board (ms): game $(startup "$game")"
echo "                               bare $(startup "$bare")"

# Wake-ups of every thread of a process so far: each time the kernel switched one of them out
# and back in, by its own choice (it slept) or not.
wakeups() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ {n += $2} END {print n}'; }

idle() { # PROGRAM [ARGS]: over 10 s settled: % of one core by ticks and schedstat, wake-ups
    "$@" & game_pid=$!
    sleep 2
    local ticks nanoseconds woken
    ticks=$(cpu_ticks "$game_pid")
    nanoseconds=$(awk '{print $1}' "/proc/$game_pid/schedstat")
    woken=$(wakeups "$game_pid")
    sleep 10
    ticks=$(($(cpu_ticks "$game_pid") - ticks))
    nanoseconds=$(($(awk '{print $1}' "/proc/$game_pid/schedstat") - nanoseconds))
    woken=$(($(wakeups "$game_pid") - woken))
    kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=
    awk -v t="$ticks" -v hz="$ticks_per_second" -v ns="$nanoseconds" -v w="$woken" \
        'BEGIN {printf "%.1f %.3f %d\n", 100 * t / hz / 10, ns / 1e8, w}'
}
idle_report() { # LABEL PROGRAM [ARGS]: three runs and their medians
    local label=$1 runs_out
    shift
    runs_out=$(for _ in 1 2 3; do idle "$@"; done)
    printf 'settled 10 s, %s: CPU %s %% (ticks), %s %% (schedstat); wake-ups of all threads %s [%s]\n' \
        "$label" "$(cut -d' ' -f1 <<<"$runs_out" | median)" \
        "$(cut -d' ' -f2 <<<"$runs_out" | median)" "$(cut -d' ' -f3 <<<"$runs_out" | median)" \
        "$(paste -sd';' <<<"$runs_out")"
}
idle_report "game" "$game"
idle_report "bare window" "$bare"
idle_report "bare window with a 100 ms timer" "$bare" --timer

for _ in 1 2 3; do "$collapse"; done
repainting() { # wake-ups per second of the bare window repainted on every 100 ms tick
    "$bare" --timer --repaint & game_pid=$!
    sleep 2
    local woken
    woken=$(wakeups "$game_pid")
    sleep 10
    woken=$(($(wakeups "$game_pid") - woken))
    kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=
    awk -v w="$woken" 'BEGIN {printf "%.1f", w / 10}'
}
echo "bare window repainted every 100 ms: $(repainting) wake-ups per second"

"$game" & game_pid=$!
sleep 2
window=$(timeout 10 xdotool search --sync --name '^Chromatta Zududo$' | head -n 1)
menu=$(( $(xdotool getwindowgeometry "$window" | awk -F'x' '/Geometry/ {print $2}') - 486 ))
# Where to click each cell: the grid the game draws, from first-frame, which shares its definition.
declare -A centre
while read -r row column x y; do centre[$row,$column]="$x $((menu + y))"; done < <("$probe" --cells)
presses=0
before=$(cpu_ticks "$game_pid")
start=$(date +%s.%N)
for _ in $(seq 4); do
    for column in $(seq 0 12); do
        for row in 6 5 4; do
            read -r x y <<<"${centre[$row,$column]}"
            xdotool mousemove --window "$window" "$x" "$y" click 1 click 1
            presses=$((presses + 2))
            sleep 0.05
        done
    done
done
after=$(cpu_ticks "$game_pid")
seconds=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN {print e - s}')
awk -v t=$((after - before)) -v hz="$ticks_per_second" -v n="$presses" -v s="$seconds" \
    'BEGIN {printf "play: %d presses in %.1f s cost %.0f ms CPU: %.2f ms per press\n", n, s, 1000 * t / hz, 1000 * t / hz / n}'
printf 'peak RSS (MiB): %s\n' "$(awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$game_pid/status")"
kill "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=

frames=$(QT_QPA_PLATFORM=xcb "$build/devtools/bench/frame_bench" --benchmark_filter=FrameDuringCollapse \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true 2>/dev/null |
    awk '/_median/ {print $2, $3}')
echo "one frame during a collapse (tick, render, paint, hand to X): median of 5 runs $frames"

echo "sound (clearbox.wav, on Qt's offscreen platform):"
devtools/measure/sound_hold.sh "$build/devtools/measure/clearing-hold"
