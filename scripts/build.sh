#!/usr/bin/env bash
# Configures and builds one flavour: "release" (CMake's Release type) into build/, "sanitize"
# (ASan + UBSan, light optimisation) into build-asan/, "windows" (cross-built with MinGW-w64,
# CMake's Release type, libjpeg-turbo built from Debian's source first) into build-win/; all with
# warnings as errors; "fuzz" (Clang with libFuzzer, ASan and UBSan: only the fuzz targets, for
# scripts/fuzz.sh) into build-fuzz/. Extra arguments go to CMake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
shift || true
case "$flavour" in
  release) dir=build; options=(-DCMAKE_BUILD_TYPE=Release -DTOVU_SANITIZE=OFF) ;;
  # Light optimisation and line tables only: the sanitizers find the same faults, and the whole
  # flavour compiles in far less time on CI's two cores.
  sanitize) dir=build-asan; options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVU_SANITIZE=ON -DTOVU_BUILD_BENCH=OFF
      "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG") ;;
  windows) dir=build-win; jpeg=$PWD/build-win/deps/libjpeg-turbo
    scripts/build-jpeg-windows.sh "$jpeg"
    options=(-DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
      -DTOVU_BUILD_BENCH=OFF -DJPEG_INCLUDE_DIR="$jpeg/include" -DJPEG_LIBRARY="$jpeg/lib/libjpeg.a") ;;
  # Assertions stay on: a fuzzer should stop at every broken assumption.
  fuzz) dir=build-fuzz; options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOVU_FUZZ=ON
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
      "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O2 -g1")
    command -v clang++ >/dev/null || { echo "the fuzz flavour needs Clang: apt-get install clang" >&2; exit 2; } ;;
  *) echo "usage: $0 [release|sanitize|windows|fuzz] [cmake options...]" >&2; exit 2 ;;
esac

cmake -S . -B "$dir" -G Ninja -DTOVU_WERROR=ON "${options[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
