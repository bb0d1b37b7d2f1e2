# shellcheck shell=bash
# Fresh minimal Debian roots, one a command, for scripts that source this file (as root).
#   root_base NAME SUITE [PACKAGES]  makes the tarball NAME.tar once (debootstrap minbase of SUITE
#                                    with the comma-separated PACKAGES) and prints its path
#   root_new NAME SUITE              unpacks a copy of NAME.tar with /proc, /sys, /dev mounted and
#                                    SUITE's apt cache shared with the machine; sets $root
#   root_run ROOT [VAR=VALUE ...] -- COMMAND...   runs COMMAND in ROOT with a clean environment
#   root_apt ROOT ARGUMENTS...       apt-get in ROOT; on failure, apt's errors (naming what could
#                                    not be fetched) and a non-zero status
#   root_remove ROOT                 ends what runs in ROOT, unmounts and removes it
# Every root still there when the script ends is removed, however it ends.
root_mirror=${CHROMATTA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
root_cache=${CHROMATTA_ROOT_CACHE:-/var/cache/chromatta-zududo/roots}
root_list=()

root_fail() {
    echo "$(basename "$0"): $*" >&2
    return 1
}

root_base() {
    local name=$1 suite=$2 packages=${3:-} tarball base
    tarball=$root_cache/$name.tar
    mkdir -p "$root_cache"
    # Made once; a lock keeps two runs from making it at the same time.
    (
        flock 9
        [[ -s $tarball ]] && exit 0
        command -v debootstrap >/dev/null || {
            echo "Installing debootstrap"
            apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends \
                debootstrap >/dev/null
        }
        echo "Making a minimal Debian $suite root with debootstrap (once; kept in $root_cache)" >&2
        base=$(mktemp -d /var/tmp/chromatta-base.XXXXXX)
        if ! debootstrap --variant=minbase ${packages:+--include="$packages"} \
            "$suite" "$base" "$root_mirror" >"$base.log" 2>&1; then
            tail -n 20 "$base.log" >&2
            rm -rf "$base" "$base.log"
            root_fail "debootstrap of $suite from $root_mirror failed"
            exit 1
        fi
        # The unstable suite of a mirror may carry a Release file past its Valid-Until date; that
        # is accepted there only, never for a release.
        if [[ $suite == unstable || $suite == sid ]]; then
            echo 'Acquire::Check-Valid-Until "false";' >"$base/etc/apt/apt.conf.d/99valid-until"
        fi
        # Packages installed in the root must not start services on this machine.
        printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
        chmod 755 "$base/usr/sbin/policy-rc.d"
        chmod 755 "$base"
        tar -C "$base" -cf "$tarball.new" .
        mv "$tarball.new" "$tarball"
        rm -rf "$base" "$base.log"
    ) 9>"$root_cache/$name.lock" >&2 || return 1
    echo "$tarball"
}

root_mount() { # ROOT TYPE SOURCE TARGET [OPTIONS]
    mkdir -p "$1/$4"
    mount -t "$2" ${5:+-o "$5"} "$3" "$1/$4"
}

root_new() {
    local name=$1 suite=$2 archives=$root_cache/apt-$2
    root=$(mktemp -d /var/tmp/chromatta-root.XXXXXX)
    root_list+=("$root")
    # In memory: unpacked and thrown away in seconds, where a disk takes minutes for a build root.
    mount -t tmpfs -o size=16g,mode=755 chromatta-root "$root"
    tar -C "$root" -xf "$root_cache/$name.tar"
    root_mount "$root" proc proc /proc
    root_mount "$root" sysfs sys /sys ro
    root_mount "$root" devtmpfs udev /dev
    root_mount "$root" devpts devpts /dev/pts newinstance,ptmxmode=0666
    root_mount "$root" tmpfs shm /dev/shm mode=1777
    # Packages fetched once serve every later root of the suite.
    mkdir -p "$archives/partial"
    mkdir -p "$root/var/cache/apt/archives"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
}

root_run() {
    local root=$1 environment=()
    shift
    while [[ $1 != -- ]]; do
        environment+=("$1")
        shift
    done
    shift
    chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        "${environment[@]}" "$@"
}

root_apt() {
    local root=$1 log status=0
    shift
    log=$(mktemp)
    root_run "$root" DEBIAN_FRONTEND=noninteractive -- apt-get -o DPkg::Lock::Timeout=300 \
        -o APT::Keep-Downloaded-Packages=true -q -y --no-install-recommends "$@" >"$log" 2>&1 ||
        status=$?
    # apt-get update only warns about lists it could not fetch; without them nothing installs.
    if [[ $status -ne 0 ]] || grep -qE '^(E|W): Failed to fetch' "$log"; then
        grep -E '^(E|W): ' "$log" >&2 || tail -n 20 "$log" >&2
        rm -f "$log"
        root_fail "apt-get $1 in the Debian root failed (from $root_mirror)"
        return 1
    fi
    rm -f "$log"
}

root_remove() {
    local root=$1 pid mount
    # Whatever still runs inside the root (a test's server, say) goes first, or unmounting fails.
    for pid in /proc/[0-9]*; do
        [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    # The deepest mounts first, the root's own memory last.
    while read -r mount; do
        umount -l "$mount" 2>/dev/null || true
    done < <(awk -v root="$root" '$2 == root || index($2, root "/") == 1 {print $2}' /proc/mounts |
        sort -r)
    # Only remove the folder when nothing is mounted on or below it any more.
    if ! grep -qE " $root(/| )" /proc/mounts; then
        rm -rf "$root"
    else
        echo "$(basename "$0"): $root still has mounts; left in place" >&2
    fi
}

root_remove_all() {
    local root
    for root in "${root_list[@]}"; do
        [[ -d $root ]] && root_remove "$root"
    done
    return 0
}
trap root_remove_all EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
