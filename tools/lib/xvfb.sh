# shellcheck shell=bash
# Starts a private X server (Xvfb) for a script that sources this file: `start_xvfb FOLDER SCREEN
# [XVFB OPTIONS]` picks a free display itself, waits for it and exports DISPLAY; a server that does
# not come up ends the script at once with one line. The caller stops the servers in
# "${xvfb_pids[@]}" when it ends.
xvfb_pids=()
start_xvfb() {
    local folder=$1 screen=$2 answer
    shift 2
    answer=$(mktemp "$folder/display.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$answer" >/dev/null 2>&1 &
    xvfb_pids+=($!)
    for _ in $(seq 200); do
        [[ -s $answer ]] && break
        kill -0 "${xvfb_pids[-1]}" 2>/dev/null || break
        sleep 0.05
    done
    if [[ ! -s $answer ]]; then
        echo "$(basename "$0"): the X server (Xvfb, screen $screen) did not start" >&2
        exit 1
    fi
    DISPLAY=":$(cat "$answer")"
    export DISPLAY
}
