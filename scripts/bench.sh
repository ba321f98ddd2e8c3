#!/usr/bin/env bash
# Runs every benchmark (not tests) and prints one table of their figures:
# each beside its peer's figure measured in the same run (the host's own
# file calls, cabextract, cp), their ratio and the goal for it. Each step's
# whole output is kept in build-bench/bench-<step>.log; a step that fails
# says why, and the others still run.
# usage: scripts/bench.sh   (after the README's set-up, which installs
#                            everything the benchmarks need)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
logs="${LYN_BENCH_BUILD:-$root/build-bench}"
mkdir -p "$logs"
results="$(mktemp)"
trap 'rm -f "$results"' EXIT
failed=()

# Runs one benchmark script, its output kept in the step's log and its
# result lines added to the table.
step() {
  local name="$1"
  shift
  echo "bench: $name ..." >&2
  if "$@" >"$logs/bench-$name.log" 2>&1; then
    grep $'^result\t' "$logs/bench-$name.log" >>"$results" || true
  else
    echo "bench: $name failed; the end of $logs/bench-$name.log:" >&2
    tail -n 20 "$logs/bench-$name.log" >&2
    failed+=("$name")
  fi
}

step machine bash "$root/scripts/bench-machine.sh"
step cabinet bash "$root/scripts/bench-cab.sh" 256 3
step install bash "$root/scripts/bench-install.sh" 5 128
step matrix bash "$root/scripts/bench-matrix.sh"

echo
"$root/bench/print_table.sh" <"$results" || echo "bench: no benchmark printed a figure" >&2
if [ "${#failed[@]}" -gt 0 ]; then
  echo "bench: failed: ${failed[*]}" >&2
  exit 1
fi
