#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and test, and only those missing.
# Usage: tools/install-deps.sh [--measure]   (--measure adds benchmarking and fuzzing tools)
set -euo pipefail

packages=(
    cmake g++ ninja-build pkg-config file dpkg-dev
    qt6-base-dev libxkbcommon-dev libgtest-dev libsndfile1-dev libpulse-dev
    fonts-dejavu-core fonts-liberation2
    pulseaudio pulseaudio-utils xvfb xauth xdotool imagemagick x11-utils
    desktop-file-utils appstream
)
if [[ "${1:-}" == "--measure" ]]; then
    packages+=(libbenchmark-dev clang libclang-rt-14-dev valgrind linux-perf hyperfine libx11-dev)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -ne 0 ]] && sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
