#!/usr/bin/env bash
# The whole test suite: installs what is missing, builds the release and the sanitizer flavour
# and runs every test of both (the format check runs with the release flavour); then the Windows
# stage (scripts/test-windows.sh: the Windows flavour under Wine, skipped without MinGW or Wine).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
status=0
for flavour in release sanitize; do
  dir=$([[ $flavour == release ]] && echo build || echo build-asan)
  echo "== $flavour build"
  scripts/build.sh "$flavour"
  echo "== $flavour tests"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir "$dir" --output-on-failure --timeout 600 -j "$(nproc)" || status=1
done
echo "== windows stage"
scripts/test-windows.sh || status=1
exit $status
