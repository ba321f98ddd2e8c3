# Sourced by the benchmark scripts: sets root, build and a temporary work
# folder removed on exit, and builds an optimised lynsim into build.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${LYN_BENCH_BUILD:-$root/build-bench}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# -O2: GCC 12 reports false -Wrestrict warnings in std::string at -O3.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DLYN_TESTS=OFF >/dev/null
ninja -C "$build" -j2 lynsim >/dev/null
