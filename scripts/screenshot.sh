#!/usr/bin/env bash
# Takes the picture of the licence page shown in the README: a fresh machine
# from the default preset, the setup program run on it, and its window saved
# as a PNG. The run always uses a private display, so the picture is the same
# on any machine and no window pops up on the desktop.
#
#   scripts/screenshot.sh [OUTPUT.png]     (default: docs/licence-page.png)
#
# LYNSIM names the lynsim binary to use; without it lynsim is built in build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/licence-page.png}
lynsim=${LYNSIM:-}
if [ -z "$lynsim" ]; then
  cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
  cmake --build "$root/build" -j2 --target lynsim >/dev/null
  lynsim=$root/build/lynsim
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$lynsim" new "$scratch/machine" >/dev/null
mkdir -p "$(dirname "$output")"
env -u DISPLAY "$lynsim" run "$scratch/machine" --screenshot "$output" >/dev/null
echo "wrote $output"
