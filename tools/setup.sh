#!/usr/bin/env bash
# tools/setup.sh game|all
#   game  installs the Debian packages the game needs, then builds the game
#         and generates its data into build/data; nothing of the tests
#   all   also the packages of the tests and the install checks, then
#         builds everything: tests, sanitizer builds, fuzz replays, bench
# Both share build/: each run configures it for what it builds, so switching
# between them works in either order.
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-game}
game_packages=(g++ cmake make pkg-config libsdl2-dev libpng-dev zlib1g-dev libfreetype-dev
               fonts-dejavu-core fonts-linuxlibertine fonts-texgyre fonts-comic-neue
               fonts-klaudia-berenika fonts-liberation)
test_packages=(libgtest-dev xvfb xdotool desktop-file-utils appstream dpkg-dev gcovr clang-tidy cppcheck)

case $what in
game) packages=("${game_packages[@]}") tests=OFF targets=(--target vennor content) ;;
all) packages=("${game_packages[@]}" "${test_packages[@]}") tests=ON targets=() ;;
*) echo "usage: tools/setup.sh game|all" >&2; exit 2 ;;
esac

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

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENNOR_TESTS=$tests
cmake --build build -j "$(nproc)" "${targets[@]}"
