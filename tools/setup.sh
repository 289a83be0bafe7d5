#!/usr/bin/env bash
# Installs what the build needs (Debian packages), then configures and builds
# the game and generates its data into build/data.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake make pkg-config libsdl2-dev libpng-dev libfreetype-dev fonts-dejavu-core fonts-linuxlibertine libgtest-dev xvfb
          fonts-texgyre fonts-comic-neue fonts-klaudia-berenika fonts-liberation)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
