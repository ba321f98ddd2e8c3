#!/usr/bin/env bash
# Installs what is needed, builds, makes a fresh default emulated machine and
# runs a whole install on it headless: the licence accepted, Continue, then
# Finish. Prints the transcript and an account of what the run left on the
# machine. With arguments, they are passed to `lynsim run` instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLYN_TESTS=OFF
cmake --build build -j2 --target lynsim
lynsim=build/lynsim
machine=out/demo-machine
rm -rf "$machine"
mkdir -p out
"$lynsim" new "$machine"
if [ $# -gt 0 ]; then
  exec "$lynsim" run "$machine" "$@"
fi

"$lynsim" run "$machine" --headless --click lblAcceptYes --click cmdOK --click cmdExit

field() { sed -n "s/^$1 = //p" "$machine/profile.ini"; }
programs="$(field ProgramFiles)\\LYN"
windows="$(field WindowsDirectory)"
echo
echo "== What the run left on the machine"
echo "-- The program folder and its maps"
"$lynsim" ls "$machine" "$programs"
"$lynsim" ls "$machine" "$programs\\Maps"
echo "-- The uninstall log, $windows\\UnInstallLYN.log"
"$lynsim" cat "$machine" "$windows\\UnInstallLYN.log"
echo "-- The uninstall entry"
"$lynsim" reg "$machine" export 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LYN67' --regedit4 |
  tr -d '\r'
echo "-- The shortcuts"
"$lynsim" ls "$machine" "$(field CommonPrograms)\\LYN"
"$lynsim" ls "$machine" "$(field Desktop)\\LYN.lnk"
