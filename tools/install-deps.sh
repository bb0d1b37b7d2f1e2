#!/usr/bin/env bash
# Installs the Debian packages the game needs, and only those missing (Debian 12, 13, unstable).
# Usage: tools/install-deps.sh [--play | --package | --measure]
#   (none)     building and running the game and its whole test suite
#   --play     only building and running the game
#   --package  what tools/make-deb.sh needs outside the Debian roots it builds and checks in
#   --measure  the test suite's packages plus benchmarking, fuzzing and profiling tools
#
# The tests start a private audio server of the kind the machine already has and never install
# a second one beside it: where PipeWire's or PulseAudio's pulse server is installed, only the
# clients the tests use are added; where neither is (a build server), PipeWire's, as Debian's
# desktops have it.
set -euo pipefail

play=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-wayland libxkbcommon-dev libx11-dev libxcb1-dev libsndfile1-dev libpulse-dev
    libfontconfig-dev libwayland-dev wayland-protocols qt6-base-private-dev
    fonts-dejavu-core fonts-liberation2
)
tests=(
    file dpkg-dev libgtest-dev shellcheck
    pulseaudio-utils xvfb xauth xdotool imagemagick x11-utils openbox
    desktop-file-utils appstream
    man-db
)
# The version check, the changelog's version, the upstream tarball and the roots; the rest is installed in the roots.
packaging=(cmake dpkg-dev git xz-utils debootstrap)
measure=(libbenchmark-dev clang libclang-rt-dev valgrind linux-perf hyperfine)

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

audio_server=()
if ! installed pipewire-pulse && ! installed pulseaudio; then
    audio_server=(pipewire-pulse wireplumber)
fi

case "${1:-}" in
--play) packages=("${play[@]}") ;;
--package) packages=("${packaging[@]}") ;;
--measure) packages=("${play[@]}" "${tests[@]}" "${audio_server[@]}" "${measure[@]}") ;;
"") packages=("${play[@]}" "${tests[@]}" "${audio_server[@]}") ;;
*)
    echo "usage: tools/install-deps.sh [--play | --package | --measure]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    installed "$package" || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
if [[ $(id -u) -ne 0 ]]; then
    # Without sudo there is no way in from here: say what to run as root instead.
    if ! command -v sudo >/dev/null; then
        echo "Missing Debian packages: ${missing[*]}; install them as root with:" \
            "apt-get install --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    sudo=(sudo)
fi
echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
# A desktop's automatic updates may hold the package manager for a while: wait for them rather
# than fail, but not for ever.
lock_wait=(-o DPkg::Lock::Timeout=300)
echo "Updating the package lists (waiting up to 5 minutes if another package manager runs)"
"${sudo[@]}" apt-get "${lock_wait[@]}" update -q | grep -v '^\(Hit\|Get\|Ign\):' || true
# apt's own progress: one line a package as it is fetched, unpacked and set up.
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get "${lock_wait[@]}" install -y -q \
    --no-install-recommends "${missing[@]}" |
    grep --line-buffered -E '^(Get:|Unpacking|Setting up|E:|W:)' || true
# grep hides apt's status: ask dpkg whether everything is there now.
for package in "${missing[@]}"; do
    installed "$package" || {
        echo "Could not install $package" >&2
        exit 1
    }
done
