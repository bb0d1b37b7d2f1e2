#!/usr/bin/env bash
# Builds the game for playing (Release, no sanitizers, no tests) and starts it.
# Usage: tools/play.sh [Qt options such as -platform xcb]   (BUILD_DIR picks the build folder)
#
# Only the packages the game needs to build and run are installed here. tools/install-deps.sh
# also brings the test servers, PulseAudio among them, which apt would put in place of PipeWire
# on a stock Debian 12 desktop; the game plays through either.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libxkbcommon-dev libsndfile1-dev libpulse-dev
    fonts-dejavu-core fonts-liberation2
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "Installing: ${missing[*]}"
    sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

build=${BUILD_DIR:-build-play}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCHROMATTA_SANITIZE=OFF \
    -DCHROMATTA_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target chromatta-zududo
exec "$build/ui/chromatta-zududo" "$@"
