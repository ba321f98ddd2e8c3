#!/usr/bin/env bash
# Takes the picture of the real window under Wine shown in the README:
# LYNSetup.exe (x86_64) on a private display, the 64-bit question answered
# Yes, the licence accepted, and the window cut out of the screen.
#
#   scripts/screenshot-wine.sh [OUTPUT.png]   (default: docs/licence-page-wine.png)
#
# Needs out/windows/x86_64 from scripts/build-windows.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/licence-page-wine.png}
scratch=$(mktemp -d)
xvfb=
cleanup() {
  WINEPREFIX="$scratch/prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkfifo "$scratch/display" "$scratch/held" "$scratch/go"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb=$!
read -r display <"$scratch/display"
export DISPLAY=":$display" WINEPREFIX="$scratch/prefix" WINEDEBUG=-all
/usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
cp "$root"/out/windows/x86_64/{LYNSetup,windriver}.exe "$scratch/"
(cd "$scratch" && /usr/lib/wine/wine64 windriver.exe LYNSetup.exe --hold --answer Yes \
  --click lblAcceptYes <"$scratch/go" 2>"$scratch/held" >/dev/null) &
exec 4>"$scratch/go"
while read -r line && [ "${line%$'\r'}" != held ]; do :; done <"$scratch/held"
# The window is centred on the 1024 x 768 screen.
xwd -root -silent | /usr/bin/convert xwd:- -crop 560x400+232+184 +repage "$output"
echo >&4
exec 4>&-
wait
echo "wrote $output"
