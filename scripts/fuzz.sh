#!/usr/bin/env bash
# Coverage-guided fuzzing of one target of tests/fuzz with libFuzzer (the fuzz flavour,
# build-fuzz/, built first when missing).
#
#   scripts/fuzz.sh TARGET [SECONDS]   fuzz for SECONDS (default 600), niced, starting from the
#                                      committed corpus tests/data/fuzz/TARGET/; new inputs go
#                                      to the scratch corpus build-fuzz/corpus/TARGET/ and
#                                      crashing, leaking or slow ones to build-fuzz/findings/TARGET/
#   scripts/fuzz.sh --merge TARGET     adds to the committed corpus only those scratch inputs that
#                                      reach edges it lacks (libFuzzer's -merge=1 without hit
#                                      counts, which would add several times as many files; the
#                                      scratch corpus keeps them for the next run)
#
# TARGET is BmpLoad, JpegLoad, FormDescription or CommandLine. Extra arguments after SECONDS go
# to libFuzzer (for instance -runs=10000000). Each input may take 10 s and the process 2.5 GB:
# the largest picture the readers accept (100 megapixels) fits in it under AddressSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

merge=0
if [[ ${1:-} == --merge ]]; then
  merge=1
  shift
fi
target=${1:?usage: $0 [--merge] TARGET [SECONDS] [libFuzzer options...]}
shift
seconds=600
if [[ $merge == 0 && ${1:-} =~ ^[0-9]+$ ]]; then
  seconds=$1
  shift
fi

# Inputs longer than this are not tried: enough for every structure the reader has, small enough
# to keep the rate high.
case "$target" in
  BmpLoad) max_len=8192 ;;
  JpegLoad) max_len=16384 ;;
  FormDescription) max_len=4096 ;;
  CommandLine) max_len=256 ;;
  *) echo "unknown target $target" >&2; exit 2 ;;
esac

program=build-fuzz/bin/${target}_fuzz
[[ -x $program ]] || scripts/build.sh fuzz
committed=tests/data/fuzz/$target
scratch=build-fuzz/corpus/$target
findings=build-fuzz/findings/$target
mkdir -p "$scratch" "$findings"

options=(-rss_limit_mb=2560 -malloc_limit_mb=2560 -timeout=10 -max_len=$max_len
         -artifact_prefix="$findings/")
dict=tests/fuzz/$target.dict
[[ -f $dict ]] && options+=(-dict="$dict")

if [[ $merge == 1 ]]; then
  before=$(ls "$committed" | wc -l)
  nice -n 10 "$program" -merge=1 -use_counters=0 "${options[@]}" "$@" "$committed" "$scratch"
  echo "$committed: $before inputs before, $(ls "$committed" | wc -l) now," \
       "$(du -sk "$committed" | cut -f1) KB"
  exit 0
fi

# The run stops at the first finding, its input kept in the findings folder.
exec nice -n 10 "$program" "${options[@]}" -max_total_time="$seconds" -print_final_stats=1 \
  "$@" "$scratch" "$committed"
