#!/usr/bin/env bash
# The Windows stage of the test command: builds the Windows flavour (build-win/) and runs it under
# Wine on a private Xvfb, in a Wine prefix of its own with the Japanese locale (ANSI code page
# 932). Checks that tovu.exe frames both samples, every picture of the capture corpus and a copy
# in a folder with a CP932 name into a saved file byte-identical to the Linux headless run of the
# same source (build/, built first by the caller), answering the size report from outside with
# xdotool; that three of them given at once are each saved as alone, with one report; that
# without a picture it shows the prompt and then the question; and runs the
# portable unit tests built for Windows. Skipped, with status 0, when MinGW-w64, Wine, Xvfb,
# xdotool, nasm or the locale sources are missing, or libjpeg-turbo's source cannot be fetched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

wine=$(command -v wine64 || true)
[[ -z $wine && -x /usr/lib/wine/wine64 ]] && wine=/usr/lib/wine/wine64
missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64)
[[ -n $wine ]] || missing+=(wine64)
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xdotool >/dev/null || missing+=(xdotool)
command -v nasm >/dev/null || missing+=(nasm)
[[ -f /usr/share/i18n/locales/ja_JP ]] || missing+=(locales)
if ((${#missing[@]} > 0)); then
  echo "Windows stage skipped: not installed: ${missing[*]}"
  exit 0
fi
if [[ ! -x build/bin/tovu ]]; then
  echo "Windows stage: the Linux release build (build/bin/tovu) is needed for the comparison" >&2
  exit 1
fi

jpeg_status=0
scripts/build-jpeg-windows.sh || jpeg_status=$?
if ((jpeg_status == 3)); then
  echo "Windows stage skipped: libjpeg-turbo's Debian source package could not be fetched"
  exit 0
fi
((jpeg_status == 0)) || exit "$jpeg_status"
scripts/build.sh windows

work=$(mktemp -d "${TMPDIR:-/tmp}/tovu-windows.XXXXXX")
xvfb_pid=
# Wine takes its locale, and so the ANSI code page, from the C library's: the Japanese one is
# compiled into build-win/ (package locales), so the system's locale list stays as it is.
locales=$root/build-win/locale
[[ -d $locales/ja_JP.UTF-8 ]] || { mkdir -p "$locales" && localedef -i ja_JP -f UTF-8 "$locales/ja_JP.UTF-8"; }
wine_environment=(WINEPREFIX="$root/build-win/wine-prefix" WINEDEBUG=-all
  WINEDLLOVERRIDES="mscoree,mshtml=" LOCPATH="$locales" LANG=ja_JP.UTF-8 LC_ALL=)
# Runs a Windows program under Wine; start_wine, for a program started in the background with
# "&", replaces its subshell, so that $! is the program's own process.
run_wine() {
  env "${wine_environment[@]}" DISPLAY="$DISPLAY" "$wine" "$@"
}
start_wine() {
  exec env "${wine_environment[@]}" DISPLAY="$DISPLAY" "$wine" "$@"
}
cleanup() {
  env "${wine_environment[@]}" "${wine%64}server" -k 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# A private X server: the display number is the first free one Xvfb finds (-displayfd). The
# screen is the headless backend's, 1920 x 1080: a window taller than the screen (an 800 x 800
# client area) would be captured with what the screen does not show.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$display_fd" number
exec {display_fd}>&-
export DISPLAY=:$number

# The prefix is made once and kept in build-win/ (making it takes some twenty seconds).
[[ -d $root/build-win/wine-prefix/drive_c ]] || run_wine wineboot -i >"$work/wineboot.log" 2>&1
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# The id of a viewable window titled exactly $1, waiting at most $2 seconds; empty when none.
window_titled() {
  local deadline=$((SECONDS + $2)) id
  while ((SECONDS < deadline)); do
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]] && { echo "$id"; return; }
    done
    sleep 0.1
  done
}

# Types a key into a window: focus first (no window manager gives it), then the key.
press() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
  xdotool key --clearmodifiers "$2"
}

# Waits at most $2 seconds for the background process $1 and sets `status` to its exit status
# (124 when it ran on and was ended). Not in a subshell: only this shell can wait for its child.
wait_status() {
  local deadline=$((SECONDS + $2))
  while kill -0 "$1" 2>/dev/null && ((SECONDS < deadline)); do sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null || true
    status=124
    return
  fi
  status=0
  wait "$1" || status=$?
}

# ---- Framing: the saved file is the Linux headless run's, byte for byte.
prefix="Tovuザビロナ ～ "
pictures=(examples/sample.jpg examples/sample.bmp tests/data/capture/*.jpg)
for picture in tests/data/capture/*.bmp; do
  [[ $picture == *.golden.bmp ]] || pictures+=("$picture")
done
# Each case: a source and where its copy goes, below the Linux and the Windows scratch folder.
# One more copy of the sample lies in a folder whose name holds blanks and the CP932 characters
# ソ and 表, whose trail byte is the path separator's byte (0x5C).
cases=()
for picture in "${pictures[@]}"; do
  cases+=("$picture|$(basename "$picture")/$(basename "$picture")")
done
cases+=("examples/sample.jpg|写真 ソ表/my sample.jpg")
framed=0
for case in "${cases[@]}"; do
  picture=${case%%|*} target=${case#*|}
  name=$(basename "$target")
  saved="$(dirname "$target")/$prefix${name%.*}.jpg"
  mkdir -p "$work/linux/$(dirname "$target")" "$work/windows/$(dirname "$target")"
  cp "$picture" "$work/linux/$target"
  cp "$picture" "$work/windows/$target"
  TOVU_BACKEND=headless build/bin/tovu "$work/linux/$target" >/dev/null 2>&1 ||
    { fail "$target: the Linux headless run failed"; continue; }
  windows_path="Z:${work//\//\\}\\windows\\${target//\//\\}"
  start_wine build-win/bin/tovu.exe "$windows_path" >"$work/windows.log" 2>&1 &
  pid=$!
  report=$(window_titled "Tovuザビロナ" 30)
  if [[ -z $report ]]; then
    kill "$pid" 2>/dev/null || true
    fail "$target: no size report appeared"
    continue
  fi
  press "$report" Return
  wait_status "$pid" 20
  [[ $status == 0 ]] || { fail "$target: tovu.exe ended with status $status"; continue; }
  if ! cmp -s "$work/linux/$saved" "$work/windows/$saved"; then
    fail "$target: the saved file differs from the Linux one (or is missing)"
    continue
  fi
  framed=$((framed + 1))
done
echo "tovu.exe under Wine: $framed of ${#cases[@]} pictures saved byte-identical to Linux"

# ---- Several pictures in one run, one of them in the folder with blanks and CP932 characters:
# each saved file is the Linux run's of it alone, byte for byte, and one report comes at the end.
several=("sample.jpg/sample.jpg" "写真 ソ表/my sample.jpg" "picture1000x700.bmp/picture1000x700.bmp")
several_paths=()
for target in "${several[@]}"; do
  mkdir -p "$work/several/$(dirname "$target")"
  cp "$work/linux/$target" "$work/several/$target"
  several_paths+=("Z:${work//\//\\}\\several\\${target//\//\\}")
done
start_wine build-win/bin/tovu.exe "${several_paths[@]}" >"$work/several.log" 2>&1 &
pid=$!
report=$(window_titled "Tovuザビロナ" 60)
if [[ -n $report ]]; then
  press "$report" Return
  wait_status "$pid" 20
  same=0
  for target in "${several[@]}"; do
    name=$(basename "$target")
    saved="$(dirname "$target")/$prefix${name%.*}.jpg"
    cmp -s "$work/linux/$saved" "$work/several/$saved" && same=$((same + 1))
  done
  if [[ $status != 0 ]]; then
    fail "several pictures: tovu.exe ended with status $status"
  elif ((same != ${#several[@]})); then
    fail "several pictures: $same of ${#several[@]} saved files are the Linux ones"
  else
    echo "tovu.exe under Wine, ${#several[@]} pictures in one run: each saved byte-identical to Linux"
  fi
else
  kill "$pid" 2>/dev/null || true
  fail "several pictures: no report appeared"
fi

# ---- Without a picture: the prompt, Return, the question (確認), Escape (いいえ); nothing saved.
mkdir -p "$work/empty"
(cd "$work/empty" && start_wine "$root/build-win/bin/tovu.exe") >"$work/empty.log" 2>&1 &
pid=$!
prompt=$(window_titled "Tovuザビロナ" 30)
if [[ -n $prompt ]]; then
  press "$prompt" Return
  question=$(window_titled "確認" 10)
  if [[ -n $question ]]; then
    press "$question" Escape
    wait_status "$pid" 20
    if [[ $status != 0 ]]; then
      fail "no picture: tovu.exe ended with status $status"
    elif [[ -n $(ls -A "$work/empty") ]]; then
      fail "no picture: something was written"
    else
      echo "tovu.exe under Wine without a picture: the prompt, then the question; nothing written"
    fi
  else
    fail "no picture: Return on the prompt showed no question"
  fi
else
  fail "no picture: no prompt appeared"
fi
kill "$pid" 2>/dev/null || true

# ---- The portable unit tests, built for Windows.
# The comparison with the library's own compressor runs Linux's cjpeg, which Windows has not.
if (cd tests/data && run_wine "$root/build-win/bin/windows_unit_tests.exe" --gtest_brief=1 \
  --gtest_filter=-JpegCodec.MatchesTheLibrarysOwnCompressorByteForByte) \
  >"$work/unit.log" 2>&1; then
  grep -E '^\[  PASSED  \]' "$work/unit.log" | sed 's/^/windows_unit_tests under Wine: /'
else
  tail -40 "$work/unit.log"
  fail "windows_unit_tests under Wine"
fi

((failures == 0)) || { echo "Windows stage: $failures failures"; exit 1; }
echo "Windows stage passed"
