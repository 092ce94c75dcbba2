#!/usr/bin/env bash
# Regenerates the golden BMP beside each fixture script with the GDI oracle (Wine); scripts that
# use DrawText (drawtext, calcrect) run on the oracle's DrawText runner.
# Usage: make-goldens.sh FOLDER... (each script runs with its own folder as the current one).
set -euo pipefail
oracle=${GDI_ORACLE:-/work/shared/tools/gdi-oracle/run-gdiprobe.sh}
drawtext_oracle=${GDI_DRAWTEXT_ORACLE:-$(dirname "$oracle")/drawtext/run-drawtextprobe.sh}
for folder in "$@"; do
  for script in "$folder"/*.gdi; do
    runner=$oracle
    grep -Eq '^[[:space:]]*(drawtext|calcrect)[[:space:]]' "$script" && runner=$drawtext_oracle
    (cd "$(dirname "$script")" && "$runner" "$(basename "$script")" "$(basename "${script%.gdi}").bmp" >/dev/null)
  done
done
