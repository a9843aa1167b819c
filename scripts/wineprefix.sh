#!/usr/bin/env bash
# Usage: source scripts/wineprefix.sh <prefix-dir>
# Makes (or reuses) a 32-bit Wine prefix of our own and exports what wine needs.
# Links made in tests must never reach the host's menus, hence the override.
export WINEARCH=win32
export WINEPREFIX="$(realpath -m "$1")"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
