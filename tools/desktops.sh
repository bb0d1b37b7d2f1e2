#!/usr/bin/env bash
# The two windows on the desktops players use, each nested on a private X server (Xvfb): weston,
# GNOME (its shell on mutter) and KDE's KWin, on X11 and natively on Wayland. Per desktop it
# prints a table: the start-up to a mapped game window (polled every 5 ms), the outer frames of
# both windows and the actions the window manager allows (X11), who draws the title bars
# (Wayland), and what Help -> about does to an about window that was minimized (or that the
# desktop would not minimize) and to one behind the game. On weston, a click where a maximize
# button would be and a double click on the title bar, and whether the game is still running
# after them. On GNOME, gnome-text-editor beside the game: the title bars' height and colour and
# the side of their buttons, before and after `color-scheme` prefer-dark and `button-layout`
# 'close,minimize:' are set with gsettings while both run, and whether a right click on the
# game's title bar opens the shell's window menu. One screenshot per desktop (and per setting)
# goes to the folder printed at the end. On Wayland the about window is minimized as the player
# would: with the minimize button of KWin's title bar, or with GNOME's key for it (Super+H), as
# the title bar the game draws there offers no such button.
# Usage: tools/desktops.sh [GAME]   (default: a Release build in build-tools/)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(mutter gnome-shell gnome-text-editor xdg-desktop-portal-gnome xdg-desktop-portal-gtk
    gsettings-desktop-schemas weston kwin-x11 kwin-wayland kwin-style-breeze qt6-wayland xvfb
    xdotool x11-utils wmctrl imagemagick dbus python3)
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
    # the system bus a compositor started for itself, in a shell of its own
    [[ -s $scratch/system-bus.pid ]] && pids+=("$(cat "$scratch/system-bus.pid")")
    rm -f "$scratch/system-bus.pid"
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
    table "$name"
    row "start-up to a mapped game window" "$mapped ms"
    row "outer frame, game (WxH+X+Y)" "$(outer "$game_window")"
    row "outer frame, about" "$(outer "$about_window")"
    row "allowed actions, game" "$(actions "$game_window")"
    row "allowed actions, about" "$(actions "$about_window")"
    row "minimize the about window" "$minimised"
    row "back after Help" "$back"
    row "from behind the game after Help" "$behind"
    stop_all
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
    convert "$1" -crop "1x1024+$2+0" +repage -colorspace gray -threshold 90% txt:- |
        awk -F'[,:]' '/#FFFFFF/ {y = $2} END {print y}'
}

# The title bars in SHOT, one line each: x, y, width, height (shade lines included), look
# (light, light-inactive, dark), the number of round window buttons left and right of the bar's
# middle, and whose it is (game or other). A title bar is a band of GNOME's title-bar colours
# at least 100 px wide.
bars() { python3 "$scratch/bars.py" "$1"; }
cat >"$scratch/bars.py" <<'PY'
import subprocess, sys
LOOKS = {(0xeb,) * 3: "light", (0xfa,) * 3: "light-inactive", (0x24,) * 3: "dark"}
data = subprocess.run(["convert", sys.argv[1], "ppm:-"], capture_output=True, check=True).stdout
w, h = (int(v) for v in data.split(maxsplit=3)[1:3])
pixels = data[len(data) - w * h * 3:]
def px(x, y):
    i = (y * w + x) * 3
    return tuple(pixels[i:i + 3])
def shade(a, b): # a grey line along a bar of grey b
    return a[0] == a[1] == a[2] and abs(a[0] - b[0]) < 20
bands = [] # colour, left, right, top, rows
for y in range(h):
    x = 0
    while x < w:
        colour, start = px(x, y), x
        while x < w and px(x, y) == colour:
            x += 1
        if colour not in LOOKS or x - start < 100:
            continue
        for band in bands:
            if band[0] == colour and band[3] + band[4] == y and start < band[2] and x > band[1]:
                band[1:5] = [min(band[1], start), max(band[2], x), band[3], band[4] + 1]
                break
        else:
            bands.append([colour, start, x, y, 1])
for colour, left, right, top, rows in bands:
    if rows < 20:
        continue
    middle, centre = top + rows // 2, (left + right) // 2
    # with a lighter or darker line along the top or bottom, as GNOME's bars have
    height = rows + (top > 0 and shade(px(centre, top - 1), colour))
    height += top + rows < h and shade(px(centre, top + rows), colour)
    counts = []
    for step in (-1, 1):
        found, streak, x = 0, 0, centre
        while 0 <= x < w and streak <= 30:
            if px(x, middle) == colour:
                found += 20 <= streak <= 30
                streak = 0
            else:
                streak += 1
            x += step
        counts.append(found)
    # the game's: its menu bar below, then the yellow band of its background picture
    r, g, b = px(centre, min(h - 1, top + rows + 40))
    print(left, top, right - left, height, LOOKS[colour], *counts,
          "game" if r > 180 and g > 140 and r - b > 70 else "other")
PY

bar_facts() { # SHOT game|other: "height H px, look, buttons L left R right" of the first such bar
    local line
    line=$(bars "$1" | awk -v whose="$2" '$8 == whose' | head -n 1)
    [[ -n $line ]] || { echo "no title bar found"; return; }
    awk '{printf "height %s px, %s, buttons %s left %s right\n", $4, $5, $6, $7}' <<<"$line"
}
# Pixels that differ between two screenshots, in the box WxH+X+Y.
changed() { # SHOT1 SHOT2 BOX
    convert "$1" -crop "$3" +repage "$scratch/box1.png"
    convert "$2" -crop "$3" +repage "$scratch/box2.png"
    compare -metric AE "$scratch/box1.png" "$scratch/box2.png" null: 2>&1 | cut -d' ' -f1 || true
}
table() { printf '\n%s\n' "$1"; }
row() { printf '  %-46s %s\n' "$1" "$2"; }

wayland_desktop() { # NAME DESKTOP COMPOSITOR: the compositor's socket is "wl-check"
    local name=$1 desktop=$2 start mapped title_bars log
    game_pid='' game_left='' game_top='' game_width=''
    # weston's window fills the screen: no pointer wanders outside it
    if [[ $desktop == WESTON ]]; then start_session 1024x768x24; else start_session 1600x1024x24; fi
    log="$scratch/$name.log"
    "$3" >"$log" 2>&1 &
    pids+=($!)
    wait_for 100 test -S "$scratch/wl-check" || true
    sleep 1
    [[ $desktop == GNOME ]] && gnome_beside
    # Mapped: the first picture the game hands the compositor.
    start=$(now_ms)
    XDG_CURRENT_DESKTOP=$desktop WAYLAND_DISPLAY=wl-check QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
        "$game" 2>"$scratch/$name.wayland" >/dev/null &
    pids+=($!)
    game_pid=$!
    poll 10000 grep -qs 'wl_surface@[0-9]*\.attach(wl_buffer' "$scratch/$name.wayland" || true
    mapped=$(($(now_ms) - start))
    sleep 2
    if grep -q 'zxdg_toplevel_decoration_v1@[0-9]*\.configure(2)' "$scratch/$name.wayland"; then
        title_bars="drawn by the compositor"
    elif grep -q 'get_toplevel_decoration' "$scratch/$name.wayland"; then
        title_bars="Qt's"
    else
        title_bars="drawn by the game"
    fi
    # Where the game's title bar is, where the game draws one. On GNOME a press on it, held as a
    # player holds it, brings the game in front of the editor started before it.
    import -window root "$scratch/now.png"
    read -r game_left game_top game_width _ < <(bars "$scratch/now.png" | awk '$8 == "game"' |
        head -n 1) || true
    if [[ $desktop == GNOME && -n $game_width ]]; then
        xdotool mousemove $((game_left + game_width / 2)) $((game_top + 10)) mousedown 1 \
            sleep 0.15 mouseup 1
        sleep 1
    fi
    table "$name"
    row "start-up to the first picture" "$mapped ms"
    row "title bars" "$title_bars"
    [[ $desktop == GNOME ]] && gnome_checks "$name"
    help_about # the game window has the keys
    import -window root "$shots/$name.png"
    if [[ $desktop == KDE ]]; then kwin_about "$name"; else about_back "$desktop"; fi
    # Last: after the clicks on its title bar, weston's own pointer (nested in X) is seen to stray
    # to the screen's corner, with weston's own clients too, and later clicks land elsewhere.
    [[ $desktop == WESTON ]] && weston_checks "$name"
    row "maximize asked of the compositor (requests)" \
        "$(grep -c 'xdg_toplevel@[0-9]*\.set_maximized' "$scratch/$name.wayland" || true)"
    stop_all
}

kwin_about() { # NAME: the about window on KWin, told by KWin's scripting
    local log="$scratch/$1.log" about="About Chromatta Zududo" x='' y='' w='' h='' state='' active=''
    local minimised back behind
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
    row "about windows in KWin's list" "$(kwin_windows "$log" | grep -c "^$about|")"
    row "minimize the about window" "$minimised"
    row "back after Help" "$back"
    row "from behind the game after Help" "$behind"
}

about_back() { # DESKTOP: the about window where the game draws the title bars, told by screenshots
    local shot="$scratch/now.png" minimised="not offered" back behind bottom
    # Back means in front and with the keys: Esc then closes it. GNOME minimizes with Super+H;
    # weston has no way to minimize a window whose title bar offers no button.
    if [[ $1 == GNOME ]]; then
        xdotool key super+h
        sleep 1
        about_shown "$shot" && minimised="not minimized" || minimised=minimized
        help_about
    fi
    about_shown "$shot" && xdotool key Escape && sleep 0.5 && ! about_shown "$shot" &&
        back=yes || back=NO
    help_about
    # A click on the game's status strip near its left edge, left of the about window in the
    # middle of the screen, brings the game in front.
    local x=$((${game_left:-0} + 30))
    [[ -n $game_left ]] && about_shown "$shot" && bottom=$(strip_bottom "$shot" "$x") &&
        [[ -n $bottom ]] && xdotool mousemove "$x" $((bottom - 10)) click 1
    sleep 0.5
    if about_shown "$shot"; then
        behind="not put behind"
    else
        help_about
        about_shown "$shot" && behind=yes || behind=NO
    fi
    row "minimize the about window" "$minimised"
    row "back after Help" "$back"
    row "from behind the game after Help" "$behind"
}

# weston: the game's title bar, found on the screen; a click where a maximize button would stand
# (left of the close box) and a double click on the bar, then whether the game still runs.
weston_checks() { # NAME
    xdotool key Escape # the about window, in front after Help, closes
    sleep 0.5
    row "game's title bar" "$(bar_facts "$scratch/now.png" game)"
    if [[ -n $game_width ]]; then
        xdotool mousemove $((game_left + game_width - 23 - 40)) $((game_top + 23)) click 1
        sleep 0.5
        # a player's double click, each press held a little
        xdotool mousemove $((game_left + game_width / 2)) $((game_top + 23)) mousedown 1 \
            sleep 0.06 mouseup 1 sleep 0.08 mousedown 1 sleep 0.06 mouseup 1
        sleep 1
    fi
    if kill -0 "$game_pid" 2>/dev/null; then
        row "game running after the clicks" yes
    else
        row "game running after the clicks" NO
    fi
}

# GNOME: gnome-text-editor beside the game, both with the desktop's default settings; the
# editor is dragged to the right of where the game will be.
gnome_beside() {
    gsettings reset org.gnome.desktop.interface color-scheme
    gsettings reset org.gnome.desktop.wm.preferences button-layout
    xdotool key Escape # out of the overview the shell starts in
    WAYLAND_DISPLAY=wl-check gnome-text-editor >/dev/null 2>&1 &
    pids+=($!)
    sleep 3
    local shot="$scratch/now.png" x y width
    import -window root "$shot"
    read -r x y width _ < <(bars "$shot" | head -n 1) || true
    # by a point of its bar left of the title, so that its left edge comes to x = 880
    [[ -n ${width:-} ]] && xdotool mousemove $((x + width / 2 - 80)) $((y + 20)) mousedown 1 \
        mousemove $((x + width / 2 - 60)) $((y + 30)) sleep 0.2 \
        mousemove $((880 + width / 2 - 80)) $((y + 20)) sleep 0.3 mouseup 1
    sleep 0.5
}

gnome_checks() { # NAME: the two title bars before and after the settings change, the window menu
    local name=$1 shot="$scratch/now.png" before="$scratch/before.png" menu
    import -window root "$shot"
    cp "$shot" "$shots/$name-defaults.png"
    row "game's title bar, defaults" "$(bar_facts "$shot" game)"
    row "gnome-text-editor's title bar, defaults" "$(bar_facts "$shot" other)"
    gsettings set org.gnome.desktop.interface color-scheme prefer-dark
    gsettings set org.gnome.desktop.wm.preferences button-layout 'close,minimize:'
    sleep 2.5
    import -window root "$shot"
    cp "$shot" "$shots/$name-dark-left.png"
    row "game's title bar, dark, close,minimize:" "$(bar_facts "$shot" game)"
    row "gnome-text-editor's title bar, dark, ..." "$(bar_facts "$shot" other)"
    gsettings reset org.gnome.desktop.interface color-scheme
    gsettings reset org.gnome.desktop.wm.preferences button-layout
    sleep 1
    # The shell's window menu opens on the press, as on a player's slower click.
    import -window root "$before"
    xdotool mousemove $((${game_left:-0} + 200)) $((${game_top:-0} + 23)) mousedown 3
    sleep 1
    import -window root "$shot"
    cp "$shot" "$shots/$name-menu.png"
    xdotool mouseup 3 key Escape
    menu=$(changed "$before" "$shot" "200x300+$((${game_left:-0} + 210))+$((${game_top:-0} + 28))")
    [[ $menu =~ ^[0-9]+$ ]] && ((menu > 10000)) && menu=yes || menu=NO
    row "right click on the game's bar: window menu" "$menu"
}

# GNOME's shell, as its session runs it: the window menu and the settings portal come with it.
# It asks the system bus for the login manager, and a private bus stands in for it.
gnome_wayland() {
    local bus
    bus=$(dbus-daemon --session --fork --print-address=1 --print-pid=1 | tr '\n' ' ')
    awk '{print $2}' <<<"$bus" >"$scratch/system-bus.pid" # stopped by stop_all
    DBUS_SYSTEM_BUS_ADDRESS=${bus%% *} XDG_CURRENT_DESKTOP=GNOME \
        MUTTER_DEBUG_DUMMY_MODE_SPECS=1600x1000 exec gnome-shell --nested --wayland --no-x11 \
        --wayland-display=wl-check
}
kwin_wayland() {
    exec "$scratch/kwin_wayland" --x11-display "$DISPLAY" --socket wl-check --width 1024 \
        --height 768
}
weston_wayland() {
    exec weston --backend=x11-backend.so --socket=wl-check --width=1024 --height=768
}

x11_desktop mutter-x11 mutter --x11 --replace --sm-disable
x11_desktop kwin-x11 kwin_x11
wayland_desktop weston WESTON weston_wayland
wayland_desktop gnome-wayland GNOME gnome_wayland
wayland_desktop kwin-wayland KDE kwin_wayland
echo "screenshots: $shots"
