#!/usr/bin/env bash
# The whole fault walk: a whole install and a whole uninstall of the default
# emulated machine, run once for every host call of each with that call
# failing (ENOSPC, EIO) or the process killed there; prints how many fault
# points of each phase and kind were tried and passed. The suite walks only a
# seeded sample of them (tests/tools/lynsim/fault_walk_test.cpp).
# usage: scripts/fault-walk.sh [WALK]
#   WALK: all (the default) or PHASE[:KIND[@N[-M]]], e.g. install:kill@40-60
#   LYN_BUILD: the build folder (default build); LYN_FAULT_JOBS: points
#   walked at once (default: the number of processors)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LYN_BUILD:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$build" -j2 --target lyn_tests lynsim >/dev/null
LYN_FAULT_WALK="${1:-all}" LYN_FAULT_JOBS="${LYN_FAULT_JOBS:-$(nproc)}" \
  "$build/tests/lyn_tests" --gtest_filter='FaultWalk.*' --gtest_brief=1
