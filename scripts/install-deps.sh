#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. A no-op when all are there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libjpeg62-turbo-dev libpixman-1-dev libfreetype-dev libfontconfig-dev fonts-ipafont-gothic fonts-dejavu-core
  libsdl2-dev libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils libx11-dev libjpeg-turbo-progs desktop-file-utils openbox icewm
  dpkg-dev lintian appstream groff-base man-db
  # The Windows stage (scripts/test-windows.sh): MinGW-w64, nasm for libjpeg-turbo's SIMD code,
  # Wine, the locale sources for Wine's Japanese locale, GoogleTest's source.
  g++-mingw-w64-x86-64 nasm wine64 locales googletest
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
