#!/usr/bin/env bash
# Frames every good picture of the test corpora and the samples with two builds of the program,
# headless, and compares the saved files byte for byte (and the exit statuses).
#   tools/compare-saves.sh OLD_TOVU NEW_TOVU
# Pictures that one build refuses are listed apart; the run fails if any saved file differs.
set -uo pipefail
[[ $# -eq 2 ]] || { echo "usage: $0 OLD_TOVU NEW_TOVU" >&2; exit 2; }
old=$(realpath "$1"); new=$(realpath "$2")
cd "$(dirname "$0")/.."
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
export TOVU_BACKEND=headless
prefix="Tovuザビロナ ～ "
same=0; differ=0; refused=0
for source in examples/sample.* tests/data/capture/*.bmp tests/data/capture/*.jpg \
              tests/data/bmp/*.bmp tests/data/fuzz/BmpLoad/*.bmp tests/data/fuzz/JpegLoad/*; do
  [[ $source == *.golden.bmp ]] && continue
  name=$(basename "$source"); stem=${name%.*}
  for build in old new; do
    mkdir -p "$scratch/$build"; cp "$source" "$scratch/$build/$name"
    binary=$([[ $build == old ]] && echo "$old" || echo "$new")
    timeout 120 "$binary" "$scratch/$build/$name" >/dev/null 2>&1
    echo $? > "$scratch/$build/status"
  done
  out_old="$scratch/old/$prefix$stem.jpg"; out_new="$scratch/new/$prefix$stem.jpg"
  if [[ -f $out_old && -f $out_new ]] && cmp -s "$out_old" "$out_new"; then
    same=$((same + 1))
  elif [[ -f $out_old && -f $out_new ]]; then
    echo "DIFFERENT: $source"; differ=$((differ + 1))
  else
    by=both; [[ -f $out_old ]] && by=new; [[ -f $out_new ]] && by=old
    echo "not saved by $by: $source (status old $(cat "$scratch/old/status"), new $(cat "$scratch/new/status"))"
    refused=$((refused + 1))
  fi
  rm -rf "$scratch/old" "$scratch/new"
done
echo "$same identical, $differ different, $refused refused by either"
[[ $differ -eq 0 ]]
