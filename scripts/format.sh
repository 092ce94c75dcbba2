#!/usr/bin/env bash
# Formats every C++ file of the project in place with .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
find app controls gfx framework tests bench tools -type f \( -name '*.h' -o -name '*.cpp' \) \
  -print0 | xargs -0 -r clang-format -i
