#!/usr/bin/env bash
# Installs the Debian packages the game needs, and only those missing.
# Usage: tools/install-deps.sh [--play | --package | --measure]
#   (none)     building and running the game and its whole test suite
#   --play     only building and running the game (no test servers: PulseAudio, which the tests
#              start, would take the place of PipeWire on a stock Debian 12 desktop)
#   --package  building the game's Debian package and checking it (tools/make-deb.sh)
#   --measure  the test suite's packages plus benchmarking, fuzzing and profiling tools
set -euo pipefail

play=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev qt6-wayland libxkbcommon-dev libx11-dev libxcb1-dev libsndfile1-dev libpulse-dev
    fonts-dejavu-core fonts-liberation2
)
tests=(
    file dpkg-dev libgtest-dev
    pulseaudio pulseaudio-utils xvfb xauth xdotool imagemagick x11-utils openbox
    desktop-file-utils appstream
    man-db
)
# CPack needs file and dpkg-shlibdeps (dpkg-dev) to find the libraries the package depends on.
packaging=(file dpkg-dev lintian)
measure=(libbenchmark-dev clang libclang-rt-14-dev valgrind linux-perf hyperfine)

case "${1:-}" in
--play) packages=("${play[@]}") ;;
--package) packages=("${play[@]}" "${packaging[@]}") ;;
--measure) packages=("${play[@]}" "${tests[@]}" "${measure[@]}") ;;
"") packages=("${play[@]}" "${tests[@]}") ;;
*)
    echo "usage: tools/install-deps.sh [--play | --package | --measure]" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
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
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
