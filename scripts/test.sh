#!/usr/bin/env bash
# Installs what is needed, builds and runs every test: the Windows cross build
# of the setup program's own sources, the Release build, a bounded fuzzing run,
# and the suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

echo "== Windows cross build of the setup program"
cmake -S . -B build-mingw -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DLYN_PROGRAM_ONLY=ON -DLYN_TESTS=OFF
cmake --build build-mingw -j2

echo "== Release build"
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build-release -j2

echo "== Fuzzing the PE reader"
bash scripts/fuzz.sh "${LYN_FUZZ_SECONDS:-60}"

echo "== Test suite (ASan + UBSan)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLYN_SANITIZE=ON
cmake --build build-test -j2
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-test --output-on-failure -j2

