#!/usr/bin/env bash
# Benchmark (not a test): extracts one large cabinet with `lynsim cab extract`
# on an emulated machine and with cabextract, in the same run, and prints
# both times, their ratio and the peak memory of each. The cabinet is made
# in a temporary folder with gcab and removed afterwards. The last line is
# the figures for bench/print_table.sh.
# usage: scripts/bench-cab.sh [TOTAL_MIB] [RUNS]   (defaults 512 and 5)
set -euo pipefail
total="${1:-512}"
runs="${2:-5}"
source "$(dirname "$0")/../bench/bench_build.sh"

"$root/bench/make-big-cabinet.sh" "$work/BIG.CAB" "$total"
"$build/lynsim" new "$work/machine" >/dev/null
cabinet_on_machine="$("$build/lynsim" path "$work/machine" 'C:\Distribution\BIG.CAB')"
mv "$work/BIG.CAB" "$cabinet_on_machine"

# Runs a command under /usr/bin/time; prints "SECONDS PEAK_KIB".
measure() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null
  cat "$work/time"
}

# The median of the numbers on standard input.
median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Both read the cabinet once beforehand, so both start from a warm cache.
# Each tool runs $runs times, the two alternating, each time into an empty
# folder; the median time and the largest peak are reported.
cat "$cabinet_on_machine" >/dev/null
out_on_machine="$("$build/lynsim" path "$work/machine" 'C:\Out')"
: >"$work/lyn"
: >"$work/cx"
for (( run = 0; run < runs; run++ )); do
  rm -rf "$out_on_machine" "$work/cabextract"
  measure "$build/lynsim" cab "$work/machine" extract BIG.CAB --output-path 'C:\Out' >>"$work/lyn"
  mkdir -p "$work/cabextract"
  measure cabextract -q -d "$work/cabextract" "$cabinet_on_machine" >>"$work/cx"
done
lyn_seconds="$(cut -d' ' -f1 "$work/lyn" | median)"
cx_seconds="$(cut -d' ' -f1 "$work/cx" | median)"
lyn_kib="$(cut -d' ' -f2 "$work/lyn" | sort -n | tail -n 1)"
cx_kib="$(cut -d' ' -f2 "$work/cx" | sort -n | tail -n 1)"

written="$(du -sm "$out_on_machine" | cut -f1)"
echo "cabinet: $(du -m "$cabinet_on_machine" | cut -f1) MiB compressed, ${written} MiB extracted"
echo "median of ${runs} runs each"
echo "lynsim cab extract: ${lyn_seconds} s, peak ${lyn_kib} KiB"
echo "cabextract:         ${cx_seconds} s, peak ${cx_kib} KiB"
awk -v a="$lyn_seconds" -v b="$cx_seconds" 'BEGIN { printf "ratio lynsim/cabextract: %.3f\n", a / b }'
printf 'result\tlynsim cab extract, %s MiB extracted\t%s\ts\tcabextract\t%s\t1.05\n' \
  "$written" "$lyn_seconds" "$cx_seconds"
