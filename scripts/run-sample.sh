#!/usr/bin/env bash
# The main job on the bundled sample: installs what is missing, builds, and frames the sample
# picture (a copy in a scratch folder, so the repository stays clean). Extra arguments choose
# another picture.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh release

if (($# > 0)); then
  picture=$1
else
  work=$(mktemp -d "${TMPDIR:-/tmp}/tovu-sample.XXXXXX")
  cp examples/sample.jpg "$work/"
  picture=$work/sample.jpg
fi
echo "Running build/bin/tovu $picture"
status=0
build/bin/tovu "$picture" || status=$?
echo "Folder of the picture ($(dirname "$picture")):"
ls -l "$(dirname "$picture")"
exit $status
