#!/usr/bin/env bash
# Regenerates the golden BMP beside each fixture script with the GDI oracle (Wine).
# Usage: make-goldens.sh FOLDER... (each script runs with its own folder as the current one).
set -euo pipefail
oracle=${GDI_ORACLE:-/work/shared/tools/gdi-oracle/run-gdiprobe.sh}
for folder in "$@"; do
  for script in "$folder"/*.gdi; do
    (cd "$(dirname "$script")" && "$oracle" "$(basename "$script")" "$(basename "${script%.gdi}").bmp" >/dev/null)
  done
done
