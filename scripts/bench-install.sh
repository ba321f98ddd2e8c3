#!/usr/bin/env bash
# Benchmark (not a test): a whole headless install of the demo product on a
# fresh emulated machine, and in the same run the I/O it cannot avoid: a
# plain cabextract of the same cabinet followed by cp of the files to a
# program folder and its Maps folder. Prints both times (the best of RUNS),
# their ratio and the peak memory of each.
# usage: scripts/bench-install.sh [RUNS]   (default 5)
set -euo pipefail
runs="${1:-5}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${LYN_BENCH_BUILD:-$root/build-bench}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# -O2: GCC 12 reports false -Wrestrict warnings in std::string at -O3.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DLYN_TESTS=OFF >/dev/null
ninja -C "$build" -j2 lynsim >/dev/null
lynsim="$build/lynsim"

"$lynsim" new "$work/template" >/dev/null
cabinet="$("$lynsim" path "$work/template" LYN.CAB)"

# Runs a command under /usr/bin/time; prints "SECONDS PEAK_KIB".
measure() {
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null
  cat "$work/time"
}

install_once() {
  rm -rf "$work/machine"
  cp -a "$work/template" "$work/machine"
  measure "$lynsim" run "$work/machine" --headless --click lblAcceptYes --click cmdOK --click cmdExit
}

copy_once() {
  rm -rf "$work/plain"
  mkdir -p "$work/plain/temp" "$work/plain/LYN/Maps"
  measure bash -c "cabextract -q -d '$work/plain/temp' '$cabinet' &&
    cp '$work/plain/temp'/*.jpg '$work/plain/LYN/Maps/' &&
    find '$work/plain/temp' -maxdepth 1 -type f ! -name '*.jpg' -exec cp {} '$work/plain/LYN/' \\; &&
    rm -rf '$work/plain/temp'"
}

best() { sort -n | head -1; }
install_times=() copy_times=()
for _ in $(seq "$runs"); do
  install_times+=("$(install_once)")
  copy_times+=("$(copy_once)")
done
install_best="$(printf '%s\n' "${install_times[@]}" | best)"
copy_best="$(printf '%s\n' "${copy_times[@]}" | best)"
read -r install_s install_kib <<<"$install_best"
read -r copy_s copy_kib <<<"$copy_best"
echo "whole install (lynsim run):   ${install_s} s, peak ${install_kib} KiB"
echo "cabextract + cp:              ${copy_s} s, peak ${copy_kib} KiB"
awk -v a="$install_s" -v b="$copy_s" 'BEGIN {
  if (b > 0) printf "ratio install / unavoidable I/O: %.2f (goal <= 1.2)\n", a / b
  else print "ratio: the copy took less than the clock resolution"
}'
