#!/usr/bin/env bash
# Builds the game's Debian package into dist/ and prints its path: a Release build with Debian's
# hardening flags, packaged by CPack, then checked. A package whose Depends misses a library the
# program links, or that lintian finds an error or a warning in, is deleted and the run fails.
# Two runs from the same commit give the same bytes. (BUILD_DIR picks the build folder.)
set -euo pipefail
cd "$(dirname "$0")/.."

fail() {
    echo "make-deb: $*" >&2
    exit 1
}

tools/install-deps.sh --package

build=${BUILD_DIR:-build-package}
dist=$PWD/dist
staging=$PWD/$build/deb-staging

# Every time stamp in the package is that of the last commit (or, outside a clone, of the latest
# changelog entry), so the same sources give the same package.
if ! SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null); then
    SOURCE_DATE_EPOCH=$(dpkg-parsechangelog -l packaging/changelog -S Timestamp)
fi
export SOURCE_DATE_EPOCH
# Files and folders made on the way are not at the mercy of the caller's umask.
umask 022

# Debian's flags for a hardened build: stack protector, fortified functions, read-only
# relocations bound at start-up, position-independent executable. dpkg-buildflags also maps the
# current folder to "." in debug information; the build folder gets the same, so that neither
# the folder of the clone nor the build folder's name reaches the program's build id.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
mkdir -p "$build"
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
cxxflags+=" -ffile-prefix-map=$(cd "$build" && pwd)=."
ldflags=$(dpkg-buildflags --get LDFLAGS)

# The prefix is the package's, so that the manual page names the folders the package installs.
# Only the game and its documents are built: CPack installs nothing else. Built afresh each time:
# the compiled-in pictures carry SOURCE_DATE_EPOCH, and an earlier commit's would stay otherwise.
cmake --preset package -B "$build" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$build" --clean-first --target chromatta-zududo chromatta_docs

rm -rf "$staging"
(cd "$build" && cpack -G DEB -B "$staging" >/dev/null)
packages=("$staging"/*.deb)
[[ ${#packages[@]} -eq 1 && -f ${packages[0]} ]] || fail "CPack made no single package in $staging"
deb=${packages[0]}
name=$(basename "$deb")
# An old package of the same name would pass for this run's until the checks are through.
rm -f "$dist/$name"

reject() {
    rm -rf "$staging"
    fail "$* (no package left behind)"
}

# Every library the program links must come with the package. CPack only warns when it cannot run
# dpkg-shlibdeps, and then writes Depends without them: a package that installs and cannot start.
unpacked=$staging/unpacked
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/libexec/chromatta-zududo/chromatta-zududo
[[ -f $program ]] || reject "the package holds no program at /usr/libexec/chromatta-zududo"
depends=$(dpkg-deb -f "$deb" Depends)
declare -A depended=()
# Package names only: no versions, architectures or spaces; alternatives count each.
while read -r alternative; do
    if [[ -n $alternative ]]; then depended[$alternative]=1; fi
done < <(sed -E 's/\([^)]*\)//g; s/:[a-z0-9]+//g; s/ //g; s/[,|]/\n/g' <<<"$depends")
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
needed=$(readelf -d "$program" | sed -nE 's/.*\(NEEDED\).*\[(.*)\]/\1/p')
[[ -n $needed ]] || reject "readelf found no libraries linked by $program"
lacking=()
for library in $needed; do
    owner=$(dpkg -S "*/$multiarch/$library" 2>/dev/null | sed -nE '1s/[:,].*//p' || true)
    [[ -n $owner ]] || reject "no installed package holds $library, which the program links"
    [[ -n ${depended[$owner]:-} ]] || lacking+=("$owner ($library)")
done
[[ ${#lacking[@]} -eq 0 ]] || reject "Depends lacks the packages of libraries the program" \
    "links: ${lacking[*]}. Depends: $depends. Is dpkg-shlibdeps (dpkg-dev) installed?"

# lintian as a Debian reviewer runs it; an error, a warning or a note on hardening fails the run.
# Its progress notes (N:) and its remark on running as root are not about the package.
report=$(lintian -EvIL +pedantic --fail-on none "$deb" 2>&1 |
    grep -vE '^N: |running with root privileges is not recommended' || true)
[[ -n $report ]] && echo "$report" >&2
if grep -qE '^[EW]: |hardening-' <<<"$report"; then
    reject "lintian reports errors or warnings on $name"
fi

mkdir -p "$dist"
mv "$deb" "$dist/$name"
rm -rf "$staging"
echo "$dist/$name"
