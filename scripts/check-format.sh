#!/usr/bin/env bash
# Fails when a tracked C++ source or header differs from what .clang-format
# makes of it; run `clang-format -i` on the files it names.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.h' '*.cpp' | xargs -0 clang-format --dry-run -Werror
