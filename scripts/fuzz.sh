#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time,
# the given total split between them: the PE reader, starting from the PE
# images the tests use; the machine's path parser and profile reader,
# starting from sample paths and a written profile; and the machine's cabinet
# service with the program's CabFile over it, starting from the cabinets of
# the tests.
# usage: scripts/fuzz.sh [SECONDS]   (total, default 60)
# The work folder (binaries, seeds, corpora, crash files) is build-fuzz/ at the
# top of the tree, or $LYN_FUZZ_DIR.
set -euo pipefail
seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
work="${LYN_FUZZ_DIR:-$root/build-fuzz}"
each=$(((seconds + 2) / 3))
flags=(-std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -I"$root/src")
machine="$root/src/platform/sim/machine"

# Runs one target on its corpus and seeds; its progress goes to a log whose
# last lines are the verdict.
run() {
  local name="$1" maxlen="$2"
  mkdir -p "$work/$name/corpus" "$work/$name/artifacts"
  if "$work/$name/fuzzer" -max_total_time="$each" -max_len="$maxlen" -timeout=10 \
    -artifact_prefix="$work/$name/artifacts/" "$work/$name/corpus" "$work/$name/seeds" \
    >"$work/$name/fuzz.log" 2>&1; then
    echo "$name: $(grep -E '^Done [0-9]+ runs' "$work/$name/fuzz.log")"
  else
    tail -n 60 "$work/$name/fuzz.log"
    exit 1
  fi
}

mkdir -p "$work/pe_reader/seeds" "$work/path_profile/seeds" "$work/cabinet/seeds"
clang++-14 "${flags[@]}" "$root"/src/platform/sim/pe/*.cpp "$root/tests/fuzz/pe_reader_fuzzer.cpp" \
  -o "$work/pe_reader/fuzzer"
clang++-14 "${flags[@]}" "$machine/windows_path.cpp" "$machine/windows_names.cpp" \
  "$machine/case_fold.cpp" "$machine/profile_text.cpp" "$machine/presets.cpp" \
  "$machine/code_page.cpp" "$machine/closest_names.cpp" "$root/tests/fuzz/path_profile_fuzzer.cpp" -o "$work/path_profile/fuzzer"
clang++-14 "${flags[@]}" "$machine"/*.cpp "$root"/src/platform/sim/registry/*.cpp \
  "$root"/src/platform/sim/security/*.cpp "$root"/src/platform/sim/files/*.cpp \
  "$root"/src/platform/sim/kernel32_sim*.cpp \
  "$root/src/platform/sim/last_error.cpp" "$root/src/platform/sim/setupapi_sim.cpp" \
  "$root"/src/platform/sim/cabinet/*.cpp "$root"/src/cabinet/*.cpp "$root/src/engine/manifest.cpp" \
  "$root/src/common/progress_dots.cpp" "$root/src/common/module_state.cpp" "$root/src/sysinfo/ansi_text.cpp" \
  "$root/tests/fakes/fake_platform.cpp" -I"$root/tests" "$root/tests/fuzz/cabinet_fuzzer.cpp" \
  -lmspack -lsqlite3 -o "$work/cabinet/fuzzer"

"$root/tests/data/pe/build_images.sh" "$work/pe_reader/seeds"
printf '%s' 'C:\Windows\system32\..\NUL.txt. ' >"$work/path_profile/seeds/path"
printf '%s' 'd:/a/./b\\c' >"$work/path_profile/seeds/relative"
printf '%s\n' 'WindowsDirectory = "C:\Windows"' 'Drive.D = CDFS' 'AnsiCodePage = 1252' \
  >"$work/path_profile/seeds/profile"
cp "$root"/tests/data/cab/* "$work/cabinet/seeds/"

run pe_reader 16384
run path_profile 4096
run cabinet 65536
