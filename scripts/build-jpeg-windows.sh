#!/usr/bin/env bash
# Builds libjpeg-turbo for 64-bit Windows from Debian's own source package of the very version
# the Linux build links (libjpeg62-turbo-dev), so both flavours encode and decode with the same
# code: the source comes through a deb-src entry beside the system's deb entries and
# `apt-get source --download-only`, is unpacked with Debian's patches by dpkg-source, and is built
# with the project's MinGW toolchain file, SIMD included (nasm), as Debian builds it for amd64.
# Installs a static library into build-win/deps/libjpeg-turbo (or $1); a no-op when it is there.
# Exits with status 3 when the source package cannot be fetched (no network, no mirror).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
prefix=${1:-$root/build-win/deps/libjpeg-turbo}
work=$(dirname "$prefix")/src

version=$(dpkg-query -W -f='${source:Version}' libjpeg62-turbo-dev)
stamp=$prefix/debian-source-version
if [[ -f $stamp && $(cat "$stamp") == "$version" && -f $prefix/include/jpegint.h ]]; then
  exit 0
fi

sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)

# The source entries mirror the system's binary entries (same URIs, suites and components).
sources=/etc/apt/sources.list.d/tovu-deb-src.sources
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  {
    for file in /etc/apt/sources.list.d/*.sources; do
      [[ $file == "$sources" ]] && continue
      grep -q 'deb.debian.org\|debian-security' "$file" || continue
      grep -v '^#' "$file" | sed 's/^Types: deb$/Types: deb-src/'
      echo
    done
    if [[ -f /etc/apt/sources.list ]]; then
      grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        awk '{print "Types: deb-src\nURIs: " $2 "\nSuites: " $3 "\nComponents:" substr($0, index($0, $4) - 1) "\n"}'
    fi
  } | "${sudo_cmd[@]}" tee "$sources" >/dev/null
  "${sudo_cmd[@]}" apt-get update -qq
fi

rm -rf "$work"
mkdir -p "$work"
(cd "$work" && apt-get source --download-only -qq "libjpeg-turbo=$version" 2>&1 | grep -v 'sandbox' || true)
dsc=$(ls "$work"/libjpeg-turbo_*.dsc 2>/dev/null || true)
if [[ -z $dsc ]]; then
  echo "libjpeg-turbo $version: Debian's source package could not be fetched" >&2
  exit 3
fi
dpkg-source --no-check -x "$dsc" "$work/libjpeg-turbo" >/dev/null

# Debian's own configuration (debian/rules) less what only Linux packaging needs: the JPEG 6.2
# interface, SIMD required; static only, no TurboJPEG interface or programs for Windows.
cmake -S "$work/libjpeg-turbo" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/MinGW-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF \
  -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DCMAKE_ASM_NASM_COMPILER=nasm -Wno-dev >/dev/null
cmake --build "$work/build" --target jpeg-static
cmake --install "$work/build" >/dev/null 2>&1 || {
  # Installing wants the programs too; the library and its headers are all the program needs.
  mkdir -p "$prefix/lib" "$prefix/include"
  cp "$work/build/libjpeg.a" "$prefix/lib/"
  cp "$work/build/jconfig.h" "$work/libjpeg-turbo/jerror.h" "$work/libjpeg-turbo/jmorecfg.h" \
     "$work/libjpeg-turbo/jpeglib.h" "$prefix/include/"
}
# The library's internal interface, which Debian's development package ships as well: the
# sampled decoding passes over the inverse DCT of blocks it does not need through it.
cp "$work/libjpeg-turbo/jpegint.h" "$prefix/include/"
echo "$version" >"$stamp"
echo "libjpeg-turbo $version for Windows in $prefix"
