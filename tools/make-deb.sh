#!/usr/bin/env bash
# Builds the game's Debian source package and binary packages for a Debian release and checks them
# as Debian's CI would; leaves them in dist/ and prints their paths.
# Usage: tools/make-deb.sh [RELEASE]
#   RELEASE  bookworm, trixie, unstable, ... (default: the release of this machine)
# The upstream tarball comes from the last commit (git archive), or, outside a clone, is the
# release tarball the tree was unpacked from (../chromatta-zududo-VERSION.tar.xz); packaging/debian
# becomes its debian/. The packages are built in a fresh minimal root of RELEASE holding only
# build-essential and the Build-Depends, built a second time with another path, time zone, locale
# and umask to compare, and checked with RELEASE's autopkgtest, lintian, blhc and piuparts. A
# failing check fails the command with the tool's finding and leaves no package in dist/.
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "make-deb: $*" >&2
    exit 1
}

release=${1:-}
if [[ -z $release ]]; then
    # shellcheck source=/dev/null
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-unstable}")
fi
[[ $release =~ ^[a-z]+$ ]] || fail "usage: tools/make-deb.sh [RELEASE] (bookworm, trixie, unstable)"

tools/install-deps.sh --package

# The build's own check that CMakeLists.txt, the changelog and the metainfo agree on the version,
# before anything is built.
if ! disagreement=$(cmake -P cmake/Version.cmake 2>&1); then
    fail "$(grep -v '^CMake Error' <<<"$disagreement" | tr -s ' \n' ' ')"
fi
version=$(dpkg-parsechangelog -l packaging/debian/changelog -S Version)
upstream=${version%-*}

dist=$PWD/dist
# An earlier run's packages would pass for this run's while it builds, or after it fails.
mkdir -p "$dist"
rm -f "$dist"/chromatta-zududo_*
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
orig=$work/chromatta-zududo_$upstream.orig.tar.xz
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
        echo "make-deb: uncommitted changes are left out: the package is built from the last" \
            "commit, $(git log -1 --format='%h "%s"')"
    fi
    # The same commit gives the same bytes: git archive stamps every file with the commit's time.
    git archive --format=tar --prefix="chromatta-zududo-$upstream/" HEAD | xz -6 -T1 >"$orig"
else
    release_tarball=../chromatta-zududo-$upstream.tar.xz
    [[ -f $release_tarball ]] ||
        fail "not a git clone, and no release tarball $release_tarball beside the tree"
    cp "$release_tarball" "$orig"
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || fail "building in a Debian root needs root: run as root"
    sudo=(sudo "--preserve-env=CHROMATTA_DEBIAN_MIRROR,CHROMATTA_ROOT_CACHE")
fi
if ! "${sudo[@]}" tools/lib/deb-in-root.sh "$release" "$work"; then
    for report in "$work"/*.diffoscope.txt; do
        [[ -f $report ]] || continue
        mv "$report" "$dist/"
        echo "make-deb: diffoscope's report: $dist/$(basename "$report")" >&2
    done
    exit 1
fi

for file in "$work"/out/*; do
    case $file in
    *.log) mv "$file" "$dist/chromatta-zududo_${version}_$release.build" ;;
    *) mv "$file" "$dist/" ;;
    esac
done
ls -1 "$dist"/chromatta-zududo_*
