#!/usr/bin/env bash
# Formats every C++ file of the project in place with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
folders=()
for folder in app controls gfx framework tests bench tools; do
  [[ -d $folder ]] && folders+=("$folder")
done
find "${folders[@]}" -type f \( -name '*.h' -o -name '*.cpp' \) \
  -print0 | xargs -0 -r clang-format -i
