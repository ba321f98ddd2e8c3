# Sourced by the benchmark scripts: sets root, build and a temporary work
# folder removed on exit, checks that the tools the benchmarks use are there,
# and builds an optimised lynsim and machine_bench into build. A step that
# fails says why and stops the script.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LYN_BENCH_BUILD:-$root/build-bench}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

for tool in cmake ninja g++ cabextract gcab /usr/bin/time awk; do
  if ! command -v "$tool" >/dev/null; then
    echo "bench: $tool is missing; install what the project needs with" \
      "'bash scripts/install-deps.sh' (as root)" >&2
    exit 1
  fi
done

# ccache only speeds up rebuilds; the benchmarks do not need it.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# -O2: GCC 12 reports false -Wrestrict warnings in std::string at -O3.
if ! cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" "${launcher[@]}" -DLYN_TESTS=OFF >"$work/build.log" 2>&1 ||
  ! cmake --build "$build" -j2 --target lynsim machine_bench >>"$work/build.log" 2>&1; then
  tail -n 40 "$work/build.log" >&2
  echo "bench: building the Release configuration in $build failed (its output is above)" >&2
  exit 1
fi
