#!/usr/bin/env bash
# Prints setup.exe's size beside an NSIS installer of the same payload, both
# with the compressors each ships with (SZDD for us; zlib and LZMA for NSIS).
# Run after `make win32`: bash bench/installer_size.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
win="$root/build/win32"
out="$root/build/bench"
mkdir -p "$out"
payload_bytes=$(cat "$win"/payload/{Testanza.exe,Testanza.hlp,Uninstall.exe,Testanza.txt,US-Caps_FITB.TZ1,US-Caps_MULT.TZ1} | wc -c)
packed_bytes=$(cat "$win"/payload/*.msz | wc -c)
printf '%-34s %10s\n' "what" "bytes"
printf '%-34s %10d\n' "payload, six files" "$payload_bytes"
printf '%-34s %10d\n' "payload, packed as SZDD" "$packed_bytes"
printf '%-34s %10d\n' "setup.exe" "$(stat -c %s "$win/bin/setup.exe")"
for comp in zlib lzma; do
  nsi="$out/testanza-$comp.nsi"
  sed "s/SetCompressor \/SOLID lzma/SetCompressor \/SOLID $comp/" "$root/bench/nsis/testanza.nsi" > "$nsi"
  makensis -V1 -DOUT="$out/nsis-$comp.exe" -DPAYLOAD="$win/payload" \
    -DLICENSE="$root/resources/license.txt" "$nsi"
  printf '%-34s %10d\n' "NSIS installer ($comp, solid)" "$(stat -c %s "$out/nsis-$comp.exe")"
done
