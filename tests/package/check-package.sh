#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a scratch root and checks it:
# its dependencies, its files, the manual page, the desktop entry and the AppStream metadata,
# lintian's verdict (no errors), and the unpacked program framing the sample headless.
# Usage: check-package.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
scratch=$(mktemp -d /tmp/tovu-package-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log") || { cat "$scratch/cpack.log"; fail "cpack"; }
deb=$(ls "$scratch"/out/tovu_*_amd64.deb 2>/dev/null | head -n 1)
[[ -f $deb ]] || fail "no tovu_VERSION_amd64.deb in $scratch/out"
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libjpeg62-turbo libpixman-1-0 libfreetype6 libfontconfig1 libstdc++6 libc6; do
  [[ $depends == *"$library"* ]] || fail "Depends lacks $library"
done
[[ $(dpkg-deb -f "$deb" Recommends) == *libsdl2-2.0-0* ]] || fail "Recommends lacks libsdl2-2.0-0"

root="$scratch/root"
dpkg -x "$deb" "$root"
for file in usr/bin/tovu usr/share/applications/tovu.desktop \
    usr/share/icons/hicolor/scalable/apps/tovu.svg usr/share/man/man1/tovu.1.gz \
    usr/share/metainfo/org.tovu.Tovu.metainfo.xml usr/share/doc/tovu/copyright \
    usr/share/doc/tovu/changelog.gz; do
  [[ -f "$root/$file" ]] || fail "missing $file"
done

if command -v man >/dev/null && command -v groff >/dev/null; then
  page=$(MANWIDTH=100 man -l "$root/usr/share/man/man1/tovu.1.gz" 2>/dev/null | col -b)
else
  page=$(zcat "$root/usr/share/man/man1/tovu.1.gz")
fi
for words in "EXIT STATUS" "TOVU_BACKEND" "DISPLAY" "Tovuザビロナ ～ " ".jpg"; do
  [[ $page == *"$words"* ]] || fail "the manual page does not mention $words"
done

desktop-file-validate "$root/usr/share/applications/tovu.desktop" || fail "desktop entry"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$root/usr/share/metainfo/org.tovu.Tovu.metainfo.xml" \
    >"$scratch/appstream.log" || { cat "$scratch/appstream.log"; fail "AppStream metadata"; }
fi

if command -v lintian >/dev/null; then
  lintian --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || true
  sed 's/^/lintian: /' "$scratch/lintian.log"
  if grep -q '^E:' "$scratch/lintian.log"; then fail "lintian reports errors"; fi
fi

mkdir "$scratch/run"
cp "$source/examples/sample.jpg" "$scratch/run/"
TOVU_BACKEND=headless "$root/usr/bin/tovu" "$scratch/run/sample.jpg" 2>"$scratch/run.log" ||
  { cat "$scratch/run.log"; fail "the unpacked program did not frame the sample"; }
[[ -s "$scratch/run/Tovuザビロナ ～ sample.jpg" ]] || fail "no framed picture"
echo "the unpacked program framed the sample"
