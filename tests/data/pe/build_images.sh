#!/usr/bin/env bash
# Builds the PE images the tests read into OUTDIR with mingw-w64: the
# catalogue engine (version resource, exports, a forwarder) as PE32 and PE32+,
# a library without version resource as PE32 and PE32+, and the product's
# library stand-in as PE32+ (the product ships it as PE32), for the 64-bit
# programs the differential tests run under Wine.
set -euo pipefail
out="${1:?usage: build_images.sh OUTDIR}"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$out"
flags=(-shared -nostdlib -s -e 0 -Wl,--no-insert-timestamp)
for arch in i686 x86_64; do
  "$arch-w64-mingw32-windres" "$here/catalog_engine.rc" -O coff -o "$out/catalog_engine_$arch.res.o"
  "$arch-w64-mingw32-gcc" "${flags[@]}" -o "$out/catalog_engine_$arch.dll" \
    "$here/catalog_engine.c" "$here/catalog_engine.def" "$out/catalog_engine_$arch.res.o" -lkernel32
  rm -f "$out/catalog_engine_$arch.res.o"
done
for arch in i686 x86_64; do
  "$arch-w64-mingw32-gcc" "${flags[@]}" -o "$out/plain_library_$arch.dll" "$here/plain_library.c"
done
x86_64-w64-mingw32-gcc "${flags[@]}" -o "$out/product_library_x86_64.dll" \
  "$here/../../../product/library.c"
