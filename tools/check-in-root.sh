#!/usr/bin/env bash
# Runs the project's tests (or any command) in a fresh minimal Debian root of another release, as
# a new user of that release would: a clone of this repository's HEAD, nothing else installed.
# Usage: tools/check-in-root.sh SUITE [COMMAND]
#   SUITE    a Debian suite debootstrap knows: trixie, bookworm, unstable, ...
#   COMMAND  run by bash in the clone (default: the README's test command, tools/run-tests.sh)
# The root is made once with debootstrap and kept as a tarball in $CHROMATTA_ROOT_CACHE
# (default /var/cache/chromatta-zududo/roots), with the packages its runs fetch; each run unpacks
# a copy of its own, and everything a run made (mounts, processes, the copy) is removed when it
# ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."

suite=${1:?usage: tools/check-in-root.sh SUITE [COMMAND]}
command=${2:-tools/run-tests.sh}

if [[ $(id -u) -ne 0 ]]; then
    exec sudo --preserve-env=CHROMATTA_DEBIAN_MIRROR,CHROMATTA_ROOT_CACHE,CI "$0" "$@"
fi
# shellcheck source=tools/lib/root.sh
. tools/lib/root.sh

root_base "$suite" "$suite" ca-certificates,git >/dev/null
root_new "$suite" "$suite"
git clone -q "$PWD" "$root/root/chromatta-zududo"
echo "Debian $suite root ($(cat "$root/etc/debian_version")): $command"
# In the background and waited for, so that an interruption ends the wait at once and the
# clean-up ends what runs inside.
root_run "$root" CI="${CI:-}" -- bash -c "cd /root/chromatta-zududo && $command" </dev/null &
status=0
wait $! || status=$?
echo "Debian $suite root: exit status $status"
exit "$status"
