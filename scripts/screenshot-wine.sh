#!/usr/bin/env bash
# Takes the pictures of the real window under Wine shown in the README, beside
# the emulated window's: the Wine window test run with its pictures kept
# (LYNSetup.exe x86_64 held by windriver at each phase of an install), each
# reduced to half its size and 128 colours.
#
#   scripts/screenshot-wine.sh [OUTPUT_DIR]   (default: docs/phases/wine)
#
# Needs build/ (lynsim and the product cabinet) and out/windows/x86_64 from
# scripts/build-windows.sh.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
output=${1:-$root/docs/phases/wine}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
python3 "$root/tests/platform/win32/wine_window_test.py" "$root/build/lynsim" \
  "$root/out/windows/x86_64" "$root/build/product/LYN.CAB" "$scratch" >/dev/null || true
mkdir -p "$output"
for picture in "$scratch"/wine/*.png; do
  convert "$picture" -resize 50% -strip -colors 128 PNG8:"$output/$(basename "$picture")"
done
echo "wrote $output"
