#!/usr/bin/env bash
# The two windows on the desktops players use, each nested on a private X server (Xvfb):
# GNOME's mutter and KDE's KWin, on X11 and natively on Wayland. Per desktop it prints the
# start-up to a mapped game window (polled every 5 ms), the outer frames of both windows (X11),
# the actions the window manager allows (X11) or who draws the title bars (Wayland), and what
# Help -> about does to an about window that was minimized (or that the desktop would not
# minimize) and to one behind the game; one screenshot per desktop goes to the folder printed at
# the end. On Wayland the about window is minimized as the player would: with the minimize button
# of KWin's title bar, or with mutter's key for it (Super+H), as the title bar the game draws there
# offers no such button.
# Usage: tools/desktops.sh [GAME]   (default: a Release build in build-tools/)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(mutter kwin-x11 kwin-wayland kwin-style-breeze qt6-wayland xvfb xdotool x11-utils
    wmctrl imagemagick dbus)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=()
    ((EUID == 0)) || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install \
        -y --no-install-recommends "${missing[@]}" >/dev/null
fi

game=${1:-}
if [[ -z $game ]]; then
    cmake --preset tools >/dev/null
    cmake --build build-tools --target chromatta-zududo -j 2 >/dev/null
    game="$PWD/$(find build-tools -name chromatta-zududo -type f -perm -u+x | head -n 1)"
fi

# shellcheck source=tools/lib/xvfb.sh
source tools/lib/xvfb.sh
scratch=$(mktemp -d)
chmod 700 "$scratch"
shots=$(mktemp -d /tmp/chromatta-desktops.XXXXXX)
pids=()
stop_all() { # also when one of them has already ended, which kill reports as a failure
    ((${#pids[@]})) && { kill "${pids[@]}" 2>/dev/null || true; }
    ((${#xvfb_pids[@]})) && { kill "${xvfb_pids[@]}" 2>/dev/null || true; }
    pids=() xvfb_pids=()
    return 0
}
trap 'stop_all; rm -rf "$scratch"' EXIT
# /usr/bin/kwin_wayland carries a file capability that these machines refuse to run; a plain
# copy runs.
cp /usr/bin/kwin_wayland "$scratch/kwin_wayland"

now_ms() { echo $((${EPOCHREALTIME/[.,]/} / 1000)); }
wait_for() { # TENTHS COMMAND...: until the command succeeds, at most TENTHS tenths of a second
    local tenths=$1
    shift
    for _ in $(seq "$tenths"); do "$@" && return 0; sleep 0.1; done
    return 1
}
poll() { # MILLISECONDS COMMAND...: until the command succeeds, tried every 5 ms, at most so long
    local end=$(($(now_ms) + $1))
    shift
    until "$@"; do
        (($(now_ms) < end)) || return 1
        sleep 0.005
    done
}
client() { wmctrl -l | awk -v name="$1" '{$2=$3=""; id=$1; $1=""; sub(/^ +/, ""); if ($0 == name) print id}'; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -qi "$(printf '0x%x' "$1")\$"; }
outer() { # WINDOW: the outer frame, title bar included, as WIDTHxHEIGHT+X+Y
    local x y w h l r t b
    read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2} END {print x, y, w, h}')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
    echo "$((w + ${l:-0} + ${r:-0}))x$((h + ${t:-0} + ${b:-0}))+$((x - ${l:-0}))+$((y - ${t:-0}))"
}
actions() { xprop -id "$1" _NET_WM_ALLOWED_ACTIONS | sed 's/.*= //; s/_NET_WM_ACTION_//g; s/, /,/g'; }
help_about() { # opens the about window from the game's Help menu, with the keyboard
    xdotool key alt+h
    sleep 0.4
    xdotool key Return
    sleep 1
}

start_session() { # SCREEN: Xvfb and a D-Bus session bus of their own
    start_xvfb "$scratch" "$1"
    export XDG_RUNTIME_DIR="$scratch" HOME="$scratch"
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | tr '\n' ' ')
    export DBUS_SESSION_BUS_ADDRESS=${bus%% *}
    pids+=("$(awk '{print $2}' <<<"$bus")")
}

x11_desktop() { # NAME COMMAND...
    local name=$1 start game_window about_window mapped minimised back behind
    shift
    start_session 1280x1024x24
    "$@" >"$scratch/$name.log" 2>&1 &
    pids+=($!)
    wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        true
    sleep 1
    start=$(now_ms)
    QT_QPA_PLATFORM=xcb "$game" >/dev/null 2>&1 &
    pids+=($!)
    # Mapped: the game window viewable, that is framed and mapped by the window manager.
    poll 10000 xdotool search --onlyvisible --name '^Chromatta Zududo$' >/dev/null || true
    mapped=$(($(now_ms) - start))
    wait_for 100 sh -c "wmctrl -l | grep -q ' Chromatta Zududo\$'" || true
    game_window=$(client "Chromatta Zududo")
    sleep 1
    xdotool windowactivate "$game_window" 2>/dev/null || true
    help_about
    about_window=$(client "About Chromatta Zududo")
    import -window root "$shots/$name.png"

    xdotool windowminimize "$about_window"
    sleep 1
    if viewable "$about_window"; then minimised="not offered"; else minimised="minimized"; fi
    xdotool windowactivate "$game_window" 2>/dev/null || true
    sleep 0.3
    help_about
    if viewable "$about_window" && active "$about_window"; then back=yes; else back=NO; fi
    xdotool windowactivate "$game_window" 2>/dev/null || true
    sleep 0.3
    help_about
    if active "$about_window"; then behind=yes; else behind=NO; fi
    printf '%-14s %5s ms  game %-18s about %-18s\n' "$name" "$mapped" \
        "$(outer "$game_window")" "$(outer "$about_window")"
    printf '%-14s   allowed, game:  %s\n' "" "$(actions "$game_window")"
    printf '%-14s   allowed, about: %s\n' "" "$(actions "$about_window")"
    printf '%-14s   minimize the about window: %s; back after Help: %s; from behind the game: %s\n' \
        "" "$minimised" "$back" "$behind"
    stop_all
}

mutter_wayland() {
    MUTTER_DEBUG_DUMMY_MODE_SPECS=1024x768 exec mutter --nested --wayland --no-x11 \
        --wayland-display=wl-check
}
kwin_wayland() {
    exec "$scratch/kwin_wayland" --x11-display "$DISPLAY" --socket wl-check --width 1024 \
        --height 768
}

# What the player sees of the about window on a Wayland desktop, where the windows are no X
# windows to ask. about_shown SHOT: whether the about window is in front, told by its
# "Contact us" link, the only pure blue on the screen.
about_shown() {
    import -window root "$1"
    (($(convert "$1" -fill black +opaque '#0000FF' -fill white -opaque '#0000FF' \
        -format '%[fx:round(mean*w*h)]' info:) > 20))
}
# KWin's own view of its windows, through its scripting: one "caption|x|y|w|h|minimized|active"
# line per window, frames included.
cat >"$scratch/windows.js" <<'JS'
var windows = workspace.clientList();
for (var i = 0; i < windows.length; ++i) {
    var w = windows[i], f = w.frameGeometry;
    print("window|" + w.caption + "|" + f.x + "|" + f.y + "|" + f.width + "|" + f.height + "|" +
          w.minimized + "|" + (workspace.activeClient === w));
}
JS
printed_since() { tail -n +$(($1 + 1)) "$2" | grep -q '^js: window|'; } # LINES LOG
kwin_windows() { # LOG: the lines the script prints into KWin's LOG
    local seen id
    seen=$(wc -l <"$1")
    id=$(dbus-send --session --dest=org.kde.KWin --print-reply /Scripting \
        org.kde.kwin.Scripting.loadScript string:"$scratch/windows.js" string:windows |
        awk '/int32/ {print $2}')
    dbus-send --session --dest=org.kde.KWin --print-reply /"$id" org.kde.kwin.Script.run >/dev/null
    poll 2000 printed_since "$seen" "$1" || true
    sleep 0.1 # the last lines too
    dbus-send --session --dest=org.kde.KWin --print-reply /Scripting \
        org.kde.kwin.Scripting.unloadScript string:windows >/dev/null
    tail -n +$((seen + 1)) "$1" | sed -n 's/^js: window|//p'
}
kwin_window() { # LOG TITLE: the fields of the one window of that title; nothing if not one
    kwin_windows "$1" |
        awk -F'|' -v title="$2" '$1 == title {n++; line = $0} END {if (n == 1) print line}'
}
# The lowest row of the game window's status strip in column X of SHOT: the last near-white one
# (the desktop behind is dark).
strip_bottom() { # SHOT X
    convert "$1" -crop "1x768+$2+0" +repage -colorspace gray -threshold 90% txt:- |
        awk -F'[,:]' '/#FFFFFF/ {y = $2} END {print y}'
}

wayland_desktop() { # NAME DESKTOP COMPOSITOR: the compositor's socket is "wl-check"
    local name=$1 desktop=$2 start mapped title_bars log shot minimised back behind bottom
    local x='' y='' w='' h='' state='' active='' about="About Chromatta Zududo"
    start_session 1280x1024x24
    log="$scratch/$name.log" shot="$scratch/$name-now.png"
    "$3" >"$log" 2>&1 &
    pids+=($!)
    wait_for 100 test -S "$scratch/wl-check" || true
    sleep 1
    # Mapped: the first picture the game hands the compositor.
    start=$(now_ms)
    XDG_CURRENT_DESKTOP=$desktop WAYLAND_DISPLAY=wl-check QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
        "$game" 2>"$scratch/$name.wayland" >/dev/null &
    pids+=($!)
    poll 10000 grep -q 'wl_surface@[0-9]*\.attach(wl_buffer' "$scratch/$name.wayland" || true
    mapped=$(($(now_ms) - start))
    sleep 2
    help_about # the new game window has the keys
    import -window root "$shots/$name.png"
    case $desktop in
    GNOME) title_bars="drawn by the game (the compositor draws none)" ;;
    *) title_bars="$(grep -q 'zxdg_toplevel_decoration_v1@[0-9]*\.configure(2)' "$scratch/$name.wayland" &&
        echo "drawn by the compositor" || echo "Qt's")" ;;
    esac
    printf '%-14s %5s ms  title bars %s\n' "$name" "$mapped" "$title_bars"

    if [[ $desktop == KDE ]]; then
        # Breeze's minimize button: left of the close box, 48 px from the frame's right edge.
        IFS='|' read -r _ x y w _ < <(kwin_window "$log" "$about") || true
        [[ -n $w ]] && xdotool mousemove $((x + w - 48)) $((y + 18)) click 1
        sleep 1
        IFS='|' read -r _ _ _ _ _ state _ < <(kwin_window "$log" "$about") || true
        [[ $state == true ]] && minimised=minimized || minimised="not minimized"
        help_about
        IFS='|' read -r _ _ _ _ _ state active < <(kwin_window "$log" "$about") || true
        [[ $state == false && $active == true ]] && back=yes || back=NO
        # A click on the game's status strip, right of its texts, brings the game in front.
        IFS='|' read -r _ x y w h _ < <(kwin_window "$log" "Chromatta Zududo") || true
        [[ -n $h ]] && xdotool mousemove $((x + w - 40)) $((y + h - 10)) click 1
        sleep 0.5
        IFS='|' read -r _ _ _ _ _ _ active < <(kwin_window "$log" "$about") || true
        if [[ $active == true ]]; then
            behind="not put behind"
        else
            help_about
            IFS='|' read -r _ _ _ _ _ _ active < <(kwin_window "$log" "$about") || true
            [[ $active == true ]] && behind=yes || behind=NO
        fi
        printf '%-14s   about windows in KWin'\''s list: %s\n' "" \
            "$(kwin_windows "$log" | grep -c "^$about|")"
    else
        # Back means in front and with the keys: Esc then closes it.
        xdotool key super+h
        sleep 1
        about_shown "$shot" && minimised="not minimized" || minimised=minimized
        help_about
        about_shown "$shot" && xdotool key Escape && sleep 0.5 && ! about_shown "$shot" &&
            back=yes || back=NO
        help_about
        # A click on the game's status strip, right of the about window, brings it in front.
        about_shown "$shot" && bottom=$(strip_bottom "$shot" 800) && [[ -n $bottom ]] &&
            xdotool mousemove 800 $((bottom - 10)) click 1
        sleep 0.5
        if about_shown "$shot"; then
            behind="not put behind"
        else
            help_about
            about_shown "$shot" && behind=yes || behind=NO
        fi
    fi
    printf '%-14s   minimize the about window: %s; back after Help: %s; from behind the game: %s\n' \
        "" "$minimised" "$back" "$behind"
    stop_all
}

echo "desktop        mapped   outer frames (WxH+X+Y), allowed actions, about window after Help"
x11_desktop mutter-x11 mutter --x11 --replace --sm-disable
x11_desktop kwin-x11 kwin_x11
wayland_desktop mutter-wayland GNOME mutter_wayland
wayland_desktop kwin-wayland KDE kwin_wayland
echo "screenshots: $shots"
