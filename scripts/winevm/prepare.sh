#!/bin/bash
# Runs once in the VM while the image is built (the disk is written for
# good): makes the pristine 32-bit prefix that every later prefix is copied
# from, and records how long the first steps of Wine take here.
# Usage: prepare.sh <state folder on the share>
set -uo pipefail
state="$1"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
now() { date +%s.%N; }
secs() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
out="$state/prepare.txt"
: >"$out"

if "$repo/build/winevm/probe32"; then
  echo "probe32 native" >>"$out"
else
  echo "probe32 failed: this kernel does not run 32-bit code" >>"$out"
  exit 1
fi

t0="$(now)"
(
  source "$repo/scripts/wineprefix.sh" /opt/winevm/prefix
  printf '%s\n' "$WINEDLLOVERRIDES" >/opt/winevm/prefix.overrides
)
t1="$(now)"
[ -f /opt/winevm/prefix/system.reg ] && [ -f /opt/winevm/prefix/drive_c/windows/system32/kernel32.dll ] ||
  { echo "wineboot made no prefix" >>"$out"; exit 1; }
echo "wineboot $(secs "$t0" "$t1") s" >>"$out"
echo "prefix as made: $(du -sm /opt/winevm/prefix | cut -f1) MB" >>"$out"

# Nine tenths of a prefix are copies of Wine's own PE files. Emulated, every
# copy of them costs minutes, over the 9p share more still: in the pristine
# prefix each one becomes a link to the file it copies, so that its copies
# are small. serve.sh keeps the linked files read-only.
builtins=/usr/lib/i386-linux-gnu/wine/i386-windows
find /opt/winevm/prefix/drive_c -type f -size +4k | while read -r f; do
  b="$builtins/${f##*/}"
  if [ -f "$b" ] && cmp -s "$f" "$b"; then ln -sf "$b" "$f"; fi
done
echo "prefix with links: $(du -sm /opt/winevm/prefix | cut -f1) MB" >>"$out"

# A trivial 32-bit program, in a copy of the prefix as the tests will use it.
cp -a /opt/winevm/prefix /tmp/check
t0="$(now)"
said="$(WINEPREFIX=/tmp/check WINEARCH=win32 WINEDEBUG=-all wine cmd /c echo ready 2>/dev/null | tr -d '\r')"
t1="$(now)"
WINEPREFIX=/tmp/check wineserver -k 2>/dev/null
[ "$said" = ready ] || { echo "cmd.exe under Wine said: $said" >>"$out"; exit 1; }
echo "cmd /c echo (first Wine program of a prefix) $(secs "$t0" "$t1") s" >>"$out"
echo "ok" >>"$out"
