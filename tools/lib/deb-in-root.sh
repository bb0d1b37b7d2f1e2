#!/usr/bin/env bash
# The part of tools/make-deb.sh that needs root: builds the source and binary packages from the
# upstream tarball in WORK in a fresh minimal Debian root of SUITE holding only build-essential and
# the Build-Depends, builds them again elsewhere to compare, and checks them in another fresh root
# with the tools of SUITE. Leaves the packages and the build log in WORK/out when every check
# passes; fails with the tool's own finding otherwise.
# Usage (as root): tools/lib/deb-in-root.sh SUITE WORK
set -euo pipefail
cd "$(dirname "$0")/../.."
suite=$1 work=$2
# shellcheck source=tools/lib/root.sh
. tools/lib/root.sh

fail() {
    echo "make-deb: $*" >&2
    exit 1
}
# Whatever is left in WORK belongs to the one who asked for the build, however it ends.
give_back() {
    root_remove_all
    if [[ -n ${SUDO_UID:-} ]]; then
        chown -R "$SUDO_UID:${SUDO_GID:-$SUDO_UID}" "$work"
    fi
}
trap give_back EXIT
started=$SECONDS
say() { echo "make-deb: [$((SECONDS - started)) s] $*"; }

orig=$(cd "$work" && echo chromatta-zududo_*.orig.tar.*)
[[ -f $work/$orig ]] || fail "no upstream tarball in $work"
upstream=${orig#chromatta-zududo_}
upstream=${upstream%.orig.tar.*}
source_dir=chromatta-zududo-$upstream
base=$(root_base "$suite-minbase" "$suite")
out=$work/out
mkdir -p "$out"

# Builds as an ordinary user, as Debian's build daemons do: ROOT FOLDER LOG [VAR=VALUE...] --
# dpkg-buildpackage's arguments. The folder holds the source package or the upstream tarball.
build_as_user() {
    local root=$1 folder=$2 log=$3 environment=()
    shift 3
    while [[ $1 != -- ]]; do
        environment+=("$1")
        shift
    done
    shift
    root_run "$root" -- chown -R builder:builder "$folder"
    root_run "$root" "${environment[@]}" -- runuser -u builder -- \
        sh -c 'cd "$1" && umask "$UMASK" && shift && dpkg-buildpackage "$@"' \
        sh "$folder/$source_dir" "$@" >"$log" 2>&1
}

say "building in a fresh Debian $suite root ($(nproc) cores)"
root_new "$suite-minbase" "$suite"
build=$root
root_apt "$build" update
root_apt "$build" install build-essential
mkdir -p "$build/build/first"
cp "$work/$orig" "$build/build/first/"
tar -C "$build/build/first" -xf "$work/$orig"
[[ -d $build/build/first/$source_dir ]] || fail "$orig does not unpack into $source_dir/"
cp -r "$build/build/first/$source_dir/packaging/debian" "$build/build/first/$source_dir/debian"
root_apt "$build" build-dep "/build/first/$source_dir"
root_run "$build" -- useradd --create-home --user-group builder
log=$out/build.log
if ! build_as_user "$build" /build/first "$log" LANG=C.UTF-8 TZ=UTC0 UMASK=022 \
    DEB_BUILD_OPTIONS="parallel=$(nproc)" -- -us -uc; then
    tail -n 40 "$log" >&2
    fail "dpkg-buildpackage failed in the Debian $suite root"
fi
find "$build/build/first" -maxdepth 1 -type f -exec cp -t "$out" {} +
say "built: $(cd "$out" && echo ./*.dsc ./*.deb)"

# The same source package built again with another path, time zone, locale and umask, without its
# tests: every binary package must come out byte for byte the same.
root_apt "$build" install locales
root_run "$build" -- localedef -i fr_FR -f UTF-8 fr_FR.UTF-8
second=/build/second-build-of-the-same-source
mkdir -p "$build$second"
cp "$out"/*.dsc "$out"/*.orig.tar.* "$out"/*.debian.tar.* "$build$second/"
root_run "$build" -- sh -c "cd $second && dpkg-source -x ./*.dsc $source_dir" >/dev/null 2>&1 ||
    fail "dpkg-source could not unpack the source package it built"
if ! build_as_user "$build" "$second" "$work/rebuild.log" LC_ALL=fr_FR.UTF-8 TZ=XYZ-14 \
    UMASK=002 DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" -- -us -uc -b -Pnocheck; then
    tail -n 40 "$work/rebuild.log" >&2
    fail "the second build for the reproducibility check failed"
fi
different=()
for package in "$out"/*.deb "$out"/*.ddeb; do
    [[ -f $package ]] || continue
    name=$(basename "$package")
    again=$build$second/$name
    [[ -f $again ]] || fail "the second build made no $name"
    if cmp -s "$package" "$again"; then
        say "reproducible: $(sha256sum <"$package" | cut -c1-64) $name"
    else
        different+=("$name")
    fi
done
if [[ ${#different[@]} -gt 0 ]]; then
    root_apt "$build" install diffoscope-minimal
    for name in "${different[@]}"; do
        report=${name%.*}.diffoscope.txt
        root_run "$build" -- diffoscope --text "/build/$report" "/build/first/$name" \
            "$second/$name" >/dev/null || true
        cp "$build/build/$report" "$work/$report"
        echo "make-deb: $name differs between the two builds: $work/$report" >&2
    done
    fail "not reproducible: ${different[*]}"
fi
root_remove "$build"

say "checking in a fresh Debian $suite root"
root_new "$suite-minbase" "$suite"
check=$root
mkdir -p "$check/checks"
cp "$out"/* "$check/checks/"
changes=$(cd "$out" && echo ./*.changes)
changes=/checks/${changes#./}
root_apt "$check" update

# The installed package, as Debian's CI tests it: the source's debian/tests against the binaries.
root_apt "$check" install autopkgtest
if ! root_run "$check" -- autopkgtest --summary-file=/checks/summary "$changes" -- null \
    >"$work/autopkgtest.log" 2>&1; then
    tail -n 40 "$work/autopkgtest.log" >&2
    fail "autopkgtest failed"
fi
say "autopkgtest: $(tr -s ' ' <"$check/checks/summary" | paste -sd ';')"

root_apt "$check" install lintian blhc piuparts
lintian_version=$(root_run "$check" -- dpkg-query -W -f='${Version}' lintian)
# The packaging follows Debian 13's policy; Debian 12's lintian knows neither that policy's
# Standards-Version nor one tag the overrides name (AppStream 0.16 never warns about it).
suppressed=()
if [[ $suite == bookworm ]]; then
    suppressed=(--suppress-tags "newer-standards-version,alien-tag")
fi
# Its progress notes (N:) and its remark on running as root are not about the package.
report=$(root_run "$check" -- lintian -EvIL +pedantic "${suppressed[@]}" --fail-on none \
    "$changes" 2>&1 |
    grep -vE '^N: |running with root privileges is not recommended' || true)
[[ -n $report ]] && echo "$report"
if grep -qE '^[EW]: ' <<<"$report"; then
    fail "lintian $lintian_version reports errors or warnings"
fi
counts=$(grep -oE '^[A-Z]:' <<<"$report" | sort | uniq -c | awk '{printf " %s%s", $2, $1}')
say "lintian $lintian_version -EvIL +pedantic ${suppressed[*]}: no error or warning;${counts:- no tag}"

cp "$log" "$check/checks/build.log"
# As Debian's CI runs it: every flag dpkg-buildflags gives with hardening=+all, bindnow
# included; PIE is left to the compiler, which Debian's builds by default (--debian).
if ! findings=$(root_run "$check" -- blhc --all --debian /checks/build.log 2>&1); then
    echo "$findings" >&2
    fail "blhc finds hardening flags missing in the build log"
fi
say "blhc --all --debian: no missing hardening flag"

# Install, remove and purge in a clean system of the release; nothing may be left behind.
cp "$base" "$check/checks/base.tar"
gzip -1 "$check/checks/base.tar"
if ! root_run "$check" -- piuparts --basetgz=/checks/base.tar.gz --distribution="$suite" \
    --mirror="$root_mirror" --bindmount=/var/cache/apt/archives \
    "/checks/$(cd "$out" && echo chromatta-zududo_*.deb)" >"$work/piuparts.log" 2>&1; then
    grep -E 'FAIL|ERROR' "$work/piuparts.log" >&2 || tail -n 40 "$work/piuparts.log" >&2
    fail "piuparts failed"
fi
say "piuparts: $(grep -E '^[0-9:.]+m? *PASS|PASS:' "$work/piuparts.log" | tail -n 1 | sed 's/^.*PASS/PASS/')"
root_remove "$check"
