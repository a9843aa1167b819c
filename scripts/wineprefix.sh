#!/usr/bin/env bash
# Usage: source scripts/wineprefix.sh <prefix-dir>
# Makes (or reuses) a Wine prefix of our own and exports what wine needs:
# 32-bit, or 64-bit when WINEARCH=win64 is set (for the 64-bit build).
# Links made in tests must never reach the host's menus, hence the override.
export WINEARCH="${WINEARCH:-win32}"
if [ "$WINEARCH" = win64 ]; then
  wine64_bin="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64"
  case ":$PATH:" in *":$wine64_bin:"*) ;; *) export PATH="$wine64_bin:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
export WINEPREFIX="$(realpath -m "$1")"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
