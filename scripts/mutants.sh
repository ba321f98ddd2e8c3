#!/usr/bin/env bash
# Applies each single-line fault of scripts/mutants.txt to the sources, one at
# a time; builds; runs the tests expected to catch it, then, when none
# fails, the rest of the suite but the Wine tests; and prints which tests
# caught it. A fault no test catches is marked NOT CAUGHT: it needs a test.
# Not part of CI.
#
#   bash scripts/mutants.sh [BUILD_DIR] [FIRST_LINE_NUMBER_PATTERN]
#
# BUILD_DIR (default build) must be a configured build of this tree. The
# sources are restored after each fault, and on interruption.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-build}
only=${2:-}
list="$root/scripts/mutants.txt"
cd "$root"

current=""
restore() { [ -n "$current" ] && git -C "$root" checkout -q -- "$current"; current=""; }
trap 'restore; exit 130' INT TERM

# Replaces the one occurrence of FROM in FILE by TO (both JSON strings).
apply() {
  python3 - "$@" <<'PY'
import json, sys
path, old, new = sys.argv[1], json.loads(sys.argv[2]), json.loads(sys.argv[3])
text = open(path, encoding="utf-8").read()
count = text.count(old)
if count != 1:
    sys.exit(f"{path}: the text occurs {count} times: {old!r}")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

# The names of the tests that failed in a ctest run's output.
failed() {
  sed -n '/tests FAILED:/,$s/^[[:space:]]*[0-9]* - \(.*\) ([A-Za-z ]*)$/\1/p' | sed 's/  #.*//' |
    tr '\n' ' '
}

n=0
caught=0
total=0
while IFS=$'\t' read -r file from to tests what; do
  case "$file" in ''|'#'*) continue ;; esac
  n=$((n + 1))
  [ -n "$only" ] && [ "$n" != "$only" ] && continue
  total=$((total + 1))
  git diff --quiet -- "$file" || { echo "$n: $file has changes of its own; left alone"; continue; }
  current=$file
  if ! apply "$file" "$from" "$to"; then restore; continue; fi
  if ! cmake --build "$build" -j2 >/dev/null 2>&1; then
    echo "$n | $what | does not build"
    restore
    continue
  fi
  by=$(ctest --test-dir "$build" -j2 -R "$tests" -E '^windows\.' 2>&1 | failed)
  [ -z "$by" ] && by=$(ctest --test-dir "$build" -j2 -E "^windows\.|$tests" 2>&1 | failed)
  restore
  if [ -n "$by" ]; then
    caught=$((caught + 1))
    echo "$n | $what | $by"
  else
    echo "$n | $what | NOT CAUGHT"
  fi
done < "$list"
cmake --build "$build" -j2 >/dev/null 2>&1
echo "caught $caught of $total"
