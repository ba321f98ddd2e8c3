#!/usr/bin/env bash
# Benchmark (not a test): the emulated machine's folder listings and lookups
# against the host's own on the same folders, and the version survey on
# machines with crowded system folders, as one table (bench/machine_bench.cpp
# says what each figure is).
# usage: scripts/bench-machine.sh
set -euo pipefail
source "$(dirname "$0")/../bench/bench_build.sh"
"$build/machine_bench" "$build/lynsim" | tee "$work/results"
echo
"$root/bench/print_table.sh" <"$work/results"
