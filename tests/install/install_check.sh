#!/usr/bin/env bash
# Checks of the installed game. Usage: install_check.sh STEP BUILD_DIR ROOT APP_ID [PROBE]
#   tree            install into ROOT/usr and check what lands where
#   desktop-entry   desktop-file-validate on the installed desktop file
#   metainfo        appstreamcli on the installed metainfo, icons and desktop file together
#   docs            the installed manual page renders without warnings
#   program-folder  the program started through games/ has its sounds in its own folder
# The build's folders, relative to the prefix, come in PROGRAM_DIR, DATA_DIR and GAMES_DIR.
# A step whose tool is missing exits 77 (skipped) and says why.
set -euo pipefail
step=$1 build=$2 root=$3 id=$4 probe=${5:-}
prefix=$root/usr
program_dir=$prefix/${PROGRAM_DIR:?}
data_dir=$prefix/${DATA_DIR:?}
games_dir=$prefix/${GAMES_DIR:?}

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIPPED: $*"; exit 77; }

case $step in
tree)
    rm -rf "$root"
    cmake --install "$build" --prefix "$prefix" >/dev/null
    for file in "$program_dir/chromatta-zududo" "$data_dir/clearbox.wav" "$data_dir/win.wav" \
        "$prefix/share/applications/$id.desktop" "$prefix/share/metainfo/$id.metainfo.xml" \
        "$prefix/share/man/man6/chromatta-zududo.6"; do
        [[ -f $file ]] || fail "$file is missing"
    done
    [[ -x $program_dir/chromatta-zududo ]] || fail "the program is not executable"
    for size in 32 48 64 128 256; do
        icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
        [[ -f $icon ]] || fail "$icon is missing"
    done
    # The links are relative, so that the tree works wherever it is unpacked.
    check_link() { # LINK TARGET
        [[ -L $1 ]] || fail "$1 is not a link"
        [[ $(readlink "$1") != /* ]] || fail "$1 points to an absolute path"
        [[ $(readlink -f "$1") == "$(readlink -f "$2")" ]] || fail "$1 does not lead to $2"
    }
    check_link "$games_dir/chromatta-zududo" "$program_dir/chromatta-zududo"
    for sound in clearbox.wav win.wav; do
        check_link "$program_dir/$sound" "$data_dir/$sound"
    done
    exec_line=$(grep '^Exec=' "$prefix/share/applications/$id.desktop")
    [[ $exec_line == "Exec=chromatta-zududo" ]] || fail "menu entry runs '$exec_line'"
    ;;
desktop-entry)
    command -v desktop-file-validate >/dev/null ||
        skip "desktop-file-validate is not installed (Debian: desktop-file-utils)"
    desktop-file-validate "$prefix/share/applications/$id.desktop"
    ;;
metainfo)
    command -v appstreamcli >/dev/null || skip "appstreamcli is not installed (Debian: appstream)"
    # The game has no web site: AppStream 1.0 warns that no homepage is named, and that alone is
    # let through (0.16 does not know the warning, so it cannot be overridden by name).
    validate() {
        local report problems
        report=$(appstreamcli "$@" 2>&1) && return
        problems=$(grep -E '^ *[EW]: ' <<<"$report" || true)
        if [[ -z $problems ]] || grep -qv ': url-homepage-missing$' <<<"$problems"; then
            echo "$report" >&2
            fail "appstreamcli $1 finds errors or warnings"
        fi
    }
    validate validate --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml"
    # The installed tree as a whole: the metainfo's launchable desktop file and its icon.
    validate validate-tree --no-net --no-color "$root"
    ;;
docs)
    command -v man >/dev/null || skip "man is not installed (Debian: man-db)"
    # As Debian's lintian reads a manual page: any message from man or groff is a fault.
    page=$prefix/share/man/man6/chromatta-zududo.6
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "the manual page: $warnings"
    ;;
program-folder)
    # Qt takes the program's folder from /proc/self/exe, links resolved: shown with a probe
    # started through a link from another folder.
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    mkdir "$scratch/real" "$scratch/bin"
    cp "$probe" "$scratch/real/probe"
    ln -s ../real/probe "$scratch/bin/probe"
    reported=$("$scratch/bin/probe")
    [[ $reported == "$scratch/real" ]] || fail "Qt reports '$reported' as the program's folder"

    # The installed game, started the way its menu entry starts it, runs as the file in its own
    # folder, where its sounds are.
    PATH="$games_dir:$PATH" chromatta-zududo >"$scratch/log" 2>&1 &
    pid=$!
    for _ in $(seq 50); do
        [[ -e /proc/$pid/exe ]] && grep -q . "/proc/$pid/maps" 2>/dev/null && break
        sleep 0.1
    done
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || { cat "$scratch/log"; fail "the installed game did not keep running"; }
    running=$(readlink "/proc/$pid/exe")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    [[ $(dirname "$running") == "$(readlink -f "$program_dir")" ]] ||
        fail "the game runs as $running"
    for sound in clearbox.wav win.wav; do
        [[ -f $(dirname "$running")/$sound ]] || fail "no $sound beside $running"
    done
    ;;
*)
    fail "unknown step $step"
    ;;
esac
