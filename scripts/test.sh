#!/usr/bin/env bash
# Installs what is needed, checks the formatting, builds and runs every test:
# the Windows cross build of LYNSetup.exe, a bounded fuzzing run, the Release
# build, and the suite under AddressSanitizer and UndefinedBehaviorSanitizer
# (with the Wine tests of the cross-built program).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== Formatting"
bash scripts/check-format.sh

echo "== LYNSetup.exe for Windows (i686 and x86_64)"
bash scripts/build-windows.sh

echo "== Release build"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j2

echo "== Fuzzing"
bash scripts/fuzz.sh "${LYN_FUZZ_SECONDS:-60}"

echo "== Test suite (ASan + UBSan)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLYN_SANITIZE=ON
cmake --build build-test -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-test --output-on-failure -j2

