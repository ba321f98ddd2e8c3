#!/usr/bin/env bash
# Builds the Release configuration and runs the emulated machine's benchmark:
# folder listings and lookups against the host's own listing, and the version
# survey on machines with crowded system folders.
# usage: scripts/bench-machine.sh
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-release -j2 --target machine_bench lynsim
build-release/machine_bench
