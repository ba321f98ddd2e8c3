#!/usr/bin/env bash
# Benchmark (not a test): the whole default compatibility matrix (every
# preset with every built-in variant, no pictures) with --jobs 1 and with
# --jobs set to the number of cores, and the cost of one combination against
# one headless install and uninstall run alone on a fresh machine (each the
# best of RUNS). Prints each figure, the figure it is held against, their ratio
# and the goal: the whole matrix in under a minute on all cores, the
# parallel run at least 1.8 times as fast as the single-job one. The most
# memory one combination took in the whole matrix against that in a matrix
# of one combination shows whether memory stays flat per job.
# usage: scripts/bench-matrix.sh [RUNS]   (default 3)
set -euo pipefail
runs="${1:-3}"
source "$(dirname "$0")/../bench/bench_build.sh"
lynsim="$build/lynsim"
cores="$(nproc)"

# Seconds a command takes, from the shell's clock; its output goes to $work/said.
seconds() {
  local start="$EPOCHREALTIME"
  "$@" >"$work/said"
  awk -v s="$start" -v e="$EPOCHREALTIME" 'BEGIN { printf "%.3f\n", e - s }'
}

# The most memory one combination took, as the matrix's last line says.
combination_mib() {
  sed -n 's/.*at most \([0-9]*\) MiB in one combination.*/\1/p' "$work/said"
}

whole_matrix() {
  rm -rf "$work/matrix"
  seconds "$lynsim" matrix "$work/matrix" --jobs "$1"
}

# The smallest of the figures given.
best() { printf '%s\n' "$@" | sort -n | head -1; }

alone_once() {
  rm -rf "$work/alone"
  "$lynsim" new "$work/alone" >/dev/null
  seconds bash -c "'$lynsim' run '$work/alone' --headless --quiet --click lblAcceptYes \
    --click cmdOK --click cmdExit && '$lynsim' uninstall '$work/alone' --yes"
}

# The single-job and parallel runs take turns, so that a change in the
# machine's speed meanwhile weighs on both alike.
singles=()
parallels=()
for _ in $(seq "$runs"); do
  singles+=("$(whole_matrix 1)")
  whole_mib="$(combination_mib)"
  parallels+=("$(whole_matrix "$cores")")
done
single="$(best "${singles[@]}")"
parallel="$(best "${parallels[@]}")"
seconds "$lynsim" matrix "$work/one" --presets win7-ultimate-sp1 --variants default >/dev/null
one_mib="$(combination_mib)"
ran="$(python3 -c "import json, sys
d = json.load(open(sys.argv[1]))
print(sum(c['outcome'] not in ('not applicable', 'not run') for c in d['combinations']))" \
  "$work/matrix/matrix.json")"
alone="$(for _ in $(seq "$runs"); do alone_once; done | sort -n | head -1)"

echo "default matrix: $ran combinations run, every preset with every built-in variant"
awk -v one="$single" -v all="$parallel" -v cores="$cores" 'BEGIN {
  printf "  --jobs %d: %.1f s (goal: under 60 s)\n", cores, all
  printf "  --jobs 1: %.1f s\n", one
  printf "  ratio --jobs 1 / --jobs %d: %.2f (goal >= 1.8)\n", cores, one / all
}'
awk -v one="$single" -v ran="$ran" -v alone="$alone" 'BEGIN {
  each = one / ran
  printf "  one combination (--jobs 1): %.3f s; one headless install + uninstall alone: %.3f s\n", each, alone
  printf "  ratio combination / install + uninstall: %.2f\n", each / alone
}'
echo "  most memory of one combination: whole matrix ${whole_mib} MiB, a matrix of one ${one_mib} MiB (goal: equal)"

# The same figures as result lines for the table of scripts/bench.sh
# (bench/print_table.sh): the parallel run against the single-job one (at
# least 1.8 times as fast is a ratio of at most 0.56), one combination
# against an install and uninstall alone, and one combination's memory in
# the whole matrix against a matrix of one.
awk -v one="$single" -v all="$parallel" -v cores="$cores" -v ran="$ran" -v alone="$alone" \
  -v whole_mib="$whole_mib" -v one_mib="$one_mib" 'BEGIN {
  printf "result\twhole matrix, --jobs %d\t%.1f\ts\t60 s\t60\t1\n", cores, all
  printf "result\twhole matrix, --jobs %d\t%.1f\ts\t--jobs 1\t%.1f\t0.56\n", cores, all, one
  printf "result\tone combination\t%.3f\ts\tinstall + uninstall alone\t%.3f\t-\n", one / ran, alone
  printf "result\tmemory of one combination\t%d\tMiB\ta matrix of one\t%d\t1\n", whole_mib, one_mib
}'
