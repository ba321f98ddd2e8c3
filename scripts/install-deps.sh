#!/usr/bin/env bash
# Installs every Debian package the project needs to build, test and run.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  googletest libgtest-dev libgmock-dev
  # fluid is never run, but FLTK's CMake package refuses to load without it.
  libmspack-dev libfltk1.3-dev fluid libpng-dev libsqlite3-dev
  gcab libgcab-dev cabextract file liblnk-utils
  # The benchmarks measure time and peak memory with /usr/bin/time.
  time
  libjpeg-turbo-progs python3 python3-pefile python3-jsonschema
  g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-tools
  gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine64 x11-apps imagemagick
  # Fonts with the Windows fonts' metrics, for the emulated window and the
  # Wine prefixes: Arial, Times New Roman and Courier New (Liberation), and
  # the default dialog font MS Sans Serif (fonts-wine).
  xvfb xauth fonts-liberation2 fonts-wine libfontconfig-dev
  clang-14 libclang-rt-14-dev
  clang-format
  libcli11-dev nlohmann-json3-dev
  # The compatibility matrix's page is checked in a real browser.
  chromium
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
