#!/usr/bin/env bash
# Runs the program headless on small files that describe the largest picture it accepts
# (tools/make-hostile-pictures.py: a BMP with almost no pixel data, run-length data expanding
# about 130 times, baseline and progressive JPEG frames far larger than their bodies, a progressive
# JPEG of 20000 empty scans), each under the memory and time bounds the README documents: 768 MiB
# of address space (1 GiB for the progressive picture without chroma subsampling) and 30 seconds.
# The pictures that can be framed must be saved; the one with too many scans must be refused with
# its report.
#
#   check-hostile-pictures.sh PROGRAM SOURCE_DIR
set -euo pipefail
program=$1
source_dir=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

python3 "$source_dir/tools/make-hostile-pictures.py" "$scratch" 10000 10000 20000

failures=0
# run MIB NAME STATUS [REPORT]: the address space allowed, the exit status expected and, for a
# refusal, words of its report.
run() {
  local mib=$1 name=$2 expected=$3 report=${4:-} status=0
  local started=$SECONDS
  (ulimit -v $((mib * 1024)) && TOVU_BACKEND=headless timeout 30 "$program" "$scratch/$name") \
    >/dev/null 2>"$scratch/err" || status=$?
  echo "$name: status $status after $((SECONDS - started)) s"
  if [[ $status != "$expected" ]]; then
    echo "  expected status $expected; its messages:"
    sed 's/^/  /' "$scratch/err"
    failures=$((failures + 1))
  elif [[ -n $report ]] && ! grep -q "$report" "$scratch/err"; then
    echo "  the report lacks \"$report\""
    failures=$((failures + 1))
  fi
}

run 768 bmp-huge-little-data.bmp 0
run 768 bmp-rle8-expanding.bmp 0
run 768 jpeg-huge-sof.jpg 0
run 1024 jpeg-444-progressive-huge-sof.jpg 0
run 768 jpeg-many-scans.jpg 1 "スキャン数は処理できる上限 (100)"
saved=$(find "$scratch" -name 'Tovu*.jpg' | wc -l)
echo "$saved framed pictures saved"
[[ $saved == 4 ]] || failures=$((failures + 1))
exit $((failures > 0))
