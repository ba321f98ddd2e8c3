#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the PE reader, the machine's
# cabinet service) and runs each for its share of a bounded time, starting
# from the files the tests use.
# usage: scripts/fuzz.sh [SECONDS]   (default 60, shared by the targets)
# The work folder (binary, seeds, corpus, crash files) is build-fuzz/ at the
# top of the tree, or $LYN_FUZZ_DIR.
set -euo pipefail
seconds="${1:-60}"
share=$(( (seconds + 1) / 2 ))
root="$(cd "$(dirname "$0")/.." && pwd)"
work="${LYN_FUZZ_DIR:-$root/build-fuzz}"
mkdir -p "$work/seeds" "$work/corpus" "$work/artifacts" "$work/cab-corpus"

clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root"/src/platform/sim/pe/*.cpp "$root/tests/fuzz/pe_reader_fuzzer.cpp" \
  -o "$work/pe_reader_fuzzer"

clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$root/src" "$root"/src/platform/sim/machine/*.cpp "$root"/src/platform/sim/kernel32_sim*.cpp \
  "$root/src/platform/sim/setupapi_sim.cpp" "$root"/src/platform/sim/cabinet/*.cpp \
  "$root/tests/fuzz/cabinet_fuzzer.cpp" -lmspack -o "$work/cabinet_fuzzer"

"$root/tests/data/pe/build_images.sh" "$work/seeds"

# Runs one fuzzer for its share of the time; its progress goes to a log,
# whose last lines are the verdict.
run_fuzzer() {
  local name="$1" max_len="$2"
  shift 2
  if "$work/$name" -max_total_time="$share" -max_len="$max_len" -timeout=10 \
    -artifact_prefix="$work/artifacts/" "$@" >"$work/$name.log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$work/$name.log"
  else
    tail -n 60 "$work/$name.log"
    exit 1
  fi
}

run_fuzzer pe_reader_fuzzer 16384 "$work/corpus" "$work/seeds"
run_fuzzer cabinet_fuzzer 65536 "$work/cab-corpus" "$root/tests/data/cab"
