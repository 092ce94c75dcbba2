#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
folders=()
for folder in app controls gfx framework tests bench tools; do
  [[ -d $folder ]] && folders+=("$folder")
done

mapfile -t files < <(find "${folders[@]}" \
  -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
((${#files[@]} > 0)) || exit 0
clang-format --dry-run --Werror "${files[@]}"
echo "format check: ${#files[@]} files formatted"
