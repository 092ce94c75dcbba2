#!/usr/bin/env bash
# Makes the goldens of the transparent controls' looks. The up and down buttons (push, float and
# image styles, and one without content on a system transparent colour), the captions and the
# panels' stretched and cropped pictures are the GDI oracle's drawings of scripts made by
# make-oracle-scripts.py from the build rules; the hot and disabled looks, whose colours are the
# build's own arithmetic, are pictures made by build/bin/form-render (look at them before
# committing).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
top="$(cd "$here/../../.." && pwd)"
oracle="${GDI_ORACLE:-$top/../shared/tools/gdi-oracle/run-gdiprobe.sh}"
render="$top/build/bin/form-render"
cd "$here"
python3 make-oracle-scripts.py
for script in button-single-up button-single-down button-none-up button-none-down \
  button-float-up button-float-down button-image button-btnface caption caption-centred \
  panel-stretch panel-crop; do
  "$oracle" "$script.gdi" "$script.bmp"
done
"$render" button-single.txt button-single-hot.bmp --move 40,25
"$render" button-none.txt button-none-hot.bmp --move 40,25
"$render" button-disabled.txt button-disabled.bmp --move 115,55
