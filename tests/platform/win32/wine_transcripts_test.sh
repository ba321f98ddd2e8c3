#!/usr/bin/env bash
# Runs each scenario twice, on an emulated machine whose profile is what Wine
# reports (Windows 7 Ultimate N SP1, 64-bit, workstation, no suite bits) and
# as LYNSetup.exe under Wine driven by windriver.exe, and requires the two
# transcripts to be equal. One Wine prefix in a temporary folder serves every
# scenario and is removed at the end.
#
#   wine_transcripts_test.sh LYNSIM WINDOWS_BUILD_DIR
#
# Exits 77 (skipped, with a message) only when Wine cannot start at all.
set -euo pipefail
lynsim=$1
exes=$2
wine=/usr/lib/wine/wine64

for file in LYNSetup.exe windriver.exe; do
  if [ ! -f "$exes/$file" ]; then
    echo "missing $exes/$file: run scripts/build-windows.sh first" >&2
    exit 1
  fi
done
if [ ! -x "$wine" ] || ! command -v Xvfb >/dev/null; then
  echo "SKIPPED: Wine or Xvfb is not installed, Wine cannot start here"
  exit 77
fi

scratch=$(mktemp -d)
xvfb=
cleanup() {
  WINEPREFIX="$scratch/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT

# A private display; Xvfb names it on the pipe once it accepts clients.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
read -r display <"$scratch/display"
export DISPLAY=":$display" WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
if ! "$wine" wineboot -i >/dev/null 2>&1; then
  echo "SKIPPED: Wine cannot start (wineboot failed)"
  exit 77
fi
# The fonts of wine_fonts.reg; Wine finds MS Sans Serif only in the prefix.
cp /usr/share/wine/fonts/sserife.fon "$scratch/prefix/drive_c/windows/Fonts/"
fonts=$(dirname "$(readlink -f "$0")")/wine_fonts.reg
"$wine" reg import "Z:${fonts//\//\\}" >/dev/null 2>&1
cp "$exes/LYNSetup.exe" "$exes/windriver.exe" "$scratch/"

# Wine starts a program that asks for administrator rights elevated without a
# prompt, as Windows does with User Account Control off.
"$lynsim" new "$scratch/machine" --set wProcessorArchitecture=9 --set Wow64=true \
  --set GetProductInfo=0x1C --set wSuiteMask=0 --set wProductType=1 --set EnableLUA=false >/dev/null

failures=0
compare() {
  local name=$1 emulated=$2 wine_run=$3
  if diff -u --label "emulated machine" --label "Wine" "$emulated" "$wine_run"; then
    echo "same: $name"
  else
    echo "DIFFERENT: $name"
    failures=$((failures + 1))
  fi
}

# scenario NAME ARGS...: the same answers and clicks both ways.
scenario() {
  local name=$1
  shift
  "$lynsim" run "$scratch/machine" --headless "$@" >"$scratch/emulated.txt" || true
  (cd "$scratch" && "$wine" windriver.exe LYNSetup.exe "$@" 2>/dev/null | tr -d '\r') \
    >"$scratch/wine.txt"
  compare "$name" "$scratch/emulated.txt" "$scratch/wine.txt"
}

scenario "start" --answer Yes
scenario "64-bit question answered No" --answer No
scenario "licence page, both options" --answer Yes --click lblAcceptYes --click lblAcceptNo \
  --click "OpAccept(0)" --click "OpAccept(1)"
scenario "Cancel" --answer Yes --click lblAcceptYes --click cmdExit

# A second copy while the first runs: the first copy holds its window until
# the second has ended.
mkfifo "$scratch/first"
"$lynsim" run "$scratch/machine" --headless --answer Yes --hold 60 >"$scratch/first" &
first=$!
while read -r line && [[ $line != shown:* ]]; do :; done <"$scratch/first"
"$lynsim" run "$scratch/machine" --headless >"$scratch/emulated.txt" || true
kill "$first" 2>/dev/null || true
wait "$first" 2>/dev/null || true
(cd "$scratch" && "$wine" windriver.exe LYNSetup.exe --beside 2>/dev/null | tr -d '\r') \
  >"$scratch/wine.txt"
compare "second copy" "$scratch/emulated.txt" "$scratch/wine.txt"

exit $((failures > 0))
