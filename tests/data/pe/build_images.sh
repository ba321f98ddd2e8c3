#!/usr/bin/env bash
# Builds the PE images the tests read into OUTDIR with mingw-w64: the
# catalogue engine (version resource, exports, a forwarder) as PE32 and PE32+,
# and a 32-bit library without version resource.
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
i686-w64-mingw32-gcc "${flags[@]}" -o "$out/plain_library_i686.dll" "$here/plain_library.c"
