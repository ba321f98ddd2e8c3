#!/usr/bin/env bash
# Takes the pictures of the emulated window shown in the README: a fresh
# machine from the default preset, the licence accepted, Continue, Finish,
# with one picture per phase (lynsim run --screenshot DIR/), each reduced to
# half its size and 128 colours. The run always uses a private display, so
# the pictures are the same on any machine and no window pops up on the
# desktop.
#
#   scripts/screenshot.sh [OUTPUT_DIR]     (default: docs/phases/emulated)
#
# LYNSIM names the lynsim binary to use; without it lynsim is built in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/phases/emulated}
lynsim=${LYNSIM:-}
if [ -z "$lynsim" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
  cmake --build "$root/build" -j2 --target lynsim lynsim_window >/dev/null
  lynsim=$root/build/lynsim
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$lynsim" new "$scratch/machine" >/dev/null
env -u DISPLAY "$lynsim" run "$scratch/machine" --click lblAcceptYes --click cmdOK \
  --click cmdExit --screenshot "$scratch/shots/" >/dev/null 2>&1
mkdir -p "$output"
for picture in "$scratch"/shots/*.png; do
  convert "$picture" -resize 50% -strip -colors 128 PNG8:"$output/$(basename "$picture")"
done
echo "wrote $output"
