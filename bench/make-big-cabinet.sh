#!/usr/bin/env bash
# Writes a large MSZIP cabinet with gcab for the extraction benchmark: files
# of MEGABYTES MiB each, under numbered folders and named after product
# files, so that an extraction with every manifest row marked writes them all.
# usage: bench/make-big-cabinet.sh OUTPUT.CAB TOTAL_MIB [FILE_MIB]
set -euo pipefail
output="$1"
total="$2"
each="${3:-16}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
names=(msjint40.dll msjet40.dll MSCOMCTL.OCX ssvd.dtb QY.chm LYN.exe dao360.dll hh.exe)
count=$(( (total + each - 1) / each ))
# Half random (incompressible) and half repeated text, like program files.
head -c $(( each * 1024 * 512 )) /dev/urandom >"$work/random"
# (yes through a process substitution: it ends by SIGPIPE, which pipefail
# would count as a failure.)
head -c $(( each * 1024 * 512 )) \
  < <(yes 'Lynwood Catalog Suite record 0123456789 abcdefghijklmnopqrstuvwxyz') >"$work/text"
files=()
for (( i = 0; i < count; i++ )); do
  folder=$(printf 'd%03d' "$i")
  mkdir -p "$work/src/$folder"
  cat "$work/random" "$work/text" >"$work/src/$folder/${names[i % ${#names[@]}]}"
  files+=("$folder/${names[i % ${#names[@]}]}")
done
(cd "$work/src" && gcab -c -z "$(realpath -m "$output")" "${files[@]}")
