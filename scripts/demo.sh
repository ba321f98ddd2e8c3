#!/usr/bin/env bash
# Installs what is needed, builds, makes a fresh default emulated machine and
# starts the setup program on it (headless when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYN_TESTS=OFF
cmake --build build -j2 --target lynsim
rm -rf out/demo-machine
mkdir -p out
build/lynsim new out/demo-machine
exec build/lynsim run out/demo-machine "$@"
