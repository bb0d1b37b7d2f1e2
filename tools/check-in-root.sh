#!/usr/bin/env bash
# Runs the project's tests (or any command) in a fresh minimal Debian root of another release, as
# a new user of that release would: a clone of this repository's HEAD, nothing else installed.
# Usage: tools/check-in-root.sh SUITE [COMMAND]
#   SUITE    a Debian suite debootstrap knows: trixie, bookworm, unstable, ...
#   COMMAND  run by bash in the clone (default: the README's test command, tools/run-tests.sh)
# The root is made once with debootstrap and kept as a tarball in $CHROMATTA_ROOT_CACHE
# (default /var/cache/chromatta-zududo/roots); each run unpacks a copy of its own, and everything
# a run made (mounts, processes, the copy) is removed when it ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

suite=${1:?usage: tools/check-in-root.sh SUITE [COMMAND]}
command=${2:-tools/run-tests.sh}
mirror=${CHROMATTA_DEBIAN_MIRROR:-http://deb.debian.org/debian}
cache=${CHROMATTA_ROOT_CACHE:-/var/cache/chromatta-zududo/roots}

if [[ $(id -u) -ne 0 ]]; then
    exec sudo --preserve-env=CHROMATTA_DEBIAN_MIRROR,CHROMATTA_ROOT_CACHE,CI "$0" "$@"
fi
command -v debootstrap >/dev/null || {
    echo "Installing debootstrap"
    apt-get -o DPkg::Lock::Timeout=300 install -y -q --no-install-recommends debootstrap >/dev/null
}

# Made once per suite; a lock keeps two runs from making it at the same time.
make_base() {
    local tarball=$cache/$suite.tar base
    [[ -s $tarball ]] && return
    echo "Making a minimal Debian $suite root with debootstrap (once; kept in $cache)"
    base=$(mktemp -d /var/tmp/chromatta-base.XXXXXX)
    if ! debootstrap --variant=minbase --include=ca-certificates,git \
        "$suite" "$base" "$mirror" >"$base.log" 2>&1; then
        tail -n 20 "$base.log" >&2
        rm -rf "$base" "$base.log"
        echo "check-in-root: debootstrap of $suite failed" >&2
        return 1
    fi
    # The unstable suite of a mirror may carry a Release file past its Valid-Until date; that is
    # accepted there only, never for a release.
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
}
mkdir -p "$cache"
exec 9>"$cache/$suite.lock"
flock 9
make_base
flock -u 9

root=$(mktemp -d /var/tmp/chromatta-root.XXXXXX)
mounts=()
cleanup() {
    local pid
    # Whatever still runs inside the root (a test's server, say) goes first, or unmounting fails.
    for pid in /proc/[0-9]*; do
        [[ $(readlink "$pid/root" 2>/dev/null) == "$root" ]] && kill -KILL "${pid#/proc/}" 2>/dev/null
    done
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[$i]}" 2>/dev/null || true
    done
    # Only remove the copy when nothing is mounted below it any more.
    if ! grep -q " $root/" /proc/mounts; then
        rm -rf "$root"
    else
        echo "check-in-root: $root still has mounts; left in place" >&2
    fi
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

tar -C "$root" -xf "$cache/$suite.tar"
# mktemp made the folder for root alone; as the root of a system, every user must get through it.
chmod 755 "$root"
mount_in() { # TYPE SOURCE TARGET [OPTIONS]
    mkdir -p "$root/$3"
    mount -t "$1" ${4:+-o "$4"} "$2" "$root/$3"
    mounts+=("$root/$3")
}
mount_in proc proc /proc
mount_in sysfs sys /sys ro
mount_in devtmpfs udev /dev
mount_in devpts devpts /dev/pts newinstance,ptmxmode=0666
mount_in tmpfs shm /dev/shm mode=1777
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

git clone -q "$PWD" "$root/root/chromatta-zududo"
echo "Debian $suite root ($(cat "$root/etc/debian_version")): $command"
# In the background and waited for, so that an interruption ends the wait at once and the
# clean-up ends what runs inside.
chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash -c "cd /root/chromatta-zududo && $command" </dev/null &
status=0
wait $! || status=$?
echo "Debian $suite root: exit status $status"
exit "$status"
