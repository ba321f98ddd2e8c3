#!/usr/bin/env bash
# Benchmark (not a test): a whole headless install of the demo product on a
# fresh emulated machine, and in the same run the I/O it cannot avoid: a
# plain cabextract of the same cabinet followed by cp of the files to the
# folders the install fills (system, Windows, program and Maps folders).
# Prints both times (the best of RUNS), their ratio and the peak memory of
# each; then the same with the product's pictures and data file padded to
# PADDED_MIB in all, to show how time and peak memory follow the payload.
# Each comparison ends with a line of figures for bench/print_table.sh.
# usage: scripts/bench-install.sh [RUNS] [PADDED_MIB]   (defaults 5 and 256)
set -euo pipefail
runs="${1:-5}"
padded_mib="${2:-256}"
source "$(dirname "$0")/../bench/bench_build.sh"
lynsim="$build/lynsim"

"$lynsim" new "$work/template" >/dev/null
cabinet="$("$lynsim" path "$work/template" LYN.CAB)"

# The padded cabinet: the same files, the pictures and the data file grown
# with zeros (trailing bytes that their readers ignore).
mkdir -p "$work/padded"
cabextract -q -d "$work/padded" "$cabinet"
padded_files=("$work/padded"/*.jpg "$work/padded/ssvd.dtb")
each_kib=$(( padded_mib * 1024 / ${#padded_files[@]} ))
for file in "${padded_files[@]}"; do truncate -s "+${each_kib}K" "$file"; done
(cd "$work/padded" && gcab -c -z "$work/PADDED.CAB" -- *)

# Runs a command under /usr/bin/time; prints "SECONDS PEAK_KIB", the time
# from the shell's clock (/usr/bin/time only counts hundredths).
measure() {
  local start="$EPOCHREALTIME"
  /usr/bin/time -f '%M' -o "$work/time" "$@" >/dev/null
  local end="$EPOCHREALTIME"
  awk -v s="$start" -v e="$end" -v kib="$(cat "$work/time")" 'BEGIN { printf "%.4f %s\n", e - s, kib }'
}

# A fresh machine holding the cabinet; both sides read it once beforehand.
install_once() {
  rm -rf "$work/machine"
  cp -a "$work/template" "$work/machine"
  cp "$1" "$("$lynsim" path "$work/machine" LYN.CAB)"
  cat "$1" >/dev/null
  measure "$lynsim" run "$work/machine" --headless --click lblAcceptYes --click cmdOK --click cmdExit
}

# The folders the install fills, and which files go where.
copy_once() {
  local plain="$work/plain"
  rm -rf "$plain"
  mkdir -p "$plain/temp" "$plain/system32" "$plain/Windows" "$plain/LYN/Maps"
  cat "$1" >/dev/null
  measure bash -c "cabextract -q -d '$plain/temp' '$1' &&
    cd '$plain/temp' &&
    cp -- *.jpg '$plain/LYN/Maps/' &&
    cp -- QY.chm ssvd.dtb LYN.exe '$plain/LYN/' &&
    cp -- UninstallLYN67.exe '$plain/Windows/' &&
    find . -maxdepth 1 -type f \\( -iname '*.dll' -o -iname '*.ocx' \\) -exec cp -t '$plain/system32/' {} + &&
    cd / && rm -rf '$plain/temp'"
}

best() { sort -n | head -1; }

compare() {
  local label="$1" cab="$2" install_times=() copy_times=()
  for _ in $(seq "$runs"); do
    install_times+=("$(install_once "$cab")")
    copy_times+=("$(copy_once "$cab")")
  done
  local install_s install_kib copy_s copy_kib
  read -r install_s install_kib <<<"$(printf '%s\n' "${install_times[@]}" | best)"
  read -r copy_s copy_kib <<<"$(printf '%s\n' "${copy_times[@]}" | best)"
  echo "$label: cabinet $(du -k "$cab" | cut -f1) KiB, files $(du -sk "$work/plain/LYN" | cut -f1) KiB in the program folder"
  echo "  whole install (lynsim run):   ${install_s} s, peak ${install_kib} KiB"
  echo "  cabextract + cp:              ${copy_s} s, peak ${copy_kib} KiB"
  awk -v a="$install_s" -v b="$copy_s" 'BEGIN {
    if (b > 0) printf "  ratio install / unavoidable I/O: %.2f (goal <= 1.2)\n", a / b
    else print "  ratio: the copy took less than the clock resolution"
  }'
  printf 'result\twhole install (lynsim run), %s\t%s\ts\tcabextract + cp\t%s\t1.2\n' \
    "$label" "$install_s" "$copy_s"
}

compare "demo product" "$cabinet"
compare "padded to ${padded_mib} MiB" "$work/PADDED.CAB"
