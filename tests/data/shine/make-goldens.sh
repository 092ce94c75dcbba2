#!/usr/bin/env bash
# Makes the goldens of the shine button's looks: the GDI oracle's drawings of the scripts that
# make-oracle-scripts.py works out from the drawing rules, one per configuration and state (those
# that draw a caption with DrawText on the oracle's DrawText runner), kept as their lossless
# run-length copies (tools/compact-golden.py checks the copy against the oracle's picture before
# writing it).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../../.." && pwd)"
oracle="${GDI_ORACLE:-$top/../shared/tools/gdi-oracle/run-gdiprobe.sh}"
drawtext_oracle="${GDI_DRAWTEXT_ORACLE:-$(dirname "$oracle")/drawtext/run-drawtextprobe.sh}"
drawn="$(mktemp -d)"
trap 'rm -rf "$drawn"' EXIT
cd "$here"
python3 make-oracle-scripts.py
for script in *.gdi; do
  runner=$oracle
  grep -q '^drawtext ' "$script" && runner=$drawtext_oracle
  "$runner" "$script" "$drawn/${script%.gdi}.bmp"
  python3 "$top/tools/compact-golden.py" "$drawn/${script%.gdi}.bmp" "${script%.gdi}.bmp"
done
