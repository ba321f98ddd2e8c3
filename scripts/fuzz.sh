#!/usr/bin/env bash
# Builds the PE reader's libFuzzer target with clang and runs it for a bounded
# time, starting from the PE images the tests use.
# usage: scripts/fuzz.sh [SECONDS]   (default 60)
# The work folder (binary, seeds, corpus, crash files) is build-fuzz/ at the
# top of the tree, or $LYN_FUZZ_DIR.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="${LYN_FUZZ_DIR:-$root/build-fuzz}"
mkdir -p "$work/seeds" "$work/corpus" "$work/artifacts"

clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root"/src/platform/sim/pe/*.cpp "$root/tests/fuzz/pe_reader_fuzzer.cpp" \
  -o "$work/pe_reader_fuzzer"

"$root/tests/data/pe/build_images.sh" "$work/seeds"

# The fuzzer's progress goes to a log; its last lines are the verdict.
if "$work/pe_reader_fuzzer" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" "$work/seeds" >"$work/fuzz.log" 2>&1; then
  grep -E '^Done [0-9]+ runs' "$work/fuzz.log"
else
  tail -n 60 "$work/fuzz.log"
  exit 1
fi
