#!/usr/bin/env bash
# Cross-builds LYNSetup.exe and UninstallLYN67.exe with mingw-w64 for 32-bit
# Windows (the shipped programs) and for x86_64 (the same programs, to run
# under 64-bit Wine):
#
#   out/windows/i686/LYNSetup.exe
#   out/windows/i686/UninstallLYN67.exe
#   out/windows/x86_64/LYNSetup.exe
#   out/windows/x86_64/UninstallLYN67.exe
#   out/windows/x86_64/windriver.exe   (the automation driver of the Wine tests)
#   out/windows/x86_64/windriver_hook.dll   (its hook in the program)
#
# The build folders are build-windows-i686/ and build-windows-x86_64/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for arch in i686 x86_64; do
  build="$root/build-windows-$arch"
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" -DLYN_TESTS=OFF >/dev/null
  targets=(LYNSetup.exe UninstallLYN67.exe)
  [ "$arch" = x86_64 ] && targets+=(windriver.exe windriver_hook.dll)
  mkdir -p "$root/out/windows/$arch"
  for target in "${targets[@]}"; do
    cmake --build "$build" -j2 --target "${target%.*}"
    cp "$build/$target" "$root/out/windows/$arch/"
    echo "wrote out/windows/$arch/$target"
  done
done
