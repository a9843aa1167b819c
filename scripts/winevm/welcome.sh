#!/usr/bin/env bash
# Usage: scripts/winevm.sh run scripts/winevm/welcome.sh [setup.exe] [png]
# Shows that the real setup.exe runs under 32-bit Wine here: starts it in a
# fresh prefix, waits for its welcome window, saves the screen, ends Wine.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
setup="$(realpath "${1:-$root/build/win32/bin/setup.exe}")"
png="$(realpath -m "${2:-$root/build/screens/vm-welcome.png}")"
caption="Testanza Installation"
timeout="${WELCOME_TIMEOUT:-900}"
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$setup" "$png"

prefix="$(mktemp -d /tmp/welcome.XXXXXX)"
rmdir "$prefix"
source "$root/scripts/wineprefix.sh" "$prefix"
trap 'wineserver -k 2>/dev/null; rm -rf "$prefix"' EXIT

start=$SECONDS
wine "$setup" >"$prefix.log" 2>&1 &
until xwininfo -root -tree | grep -qF "\"$caption\""; do
  if [ $((SECONDS - start)) -ge "$timeout" ]; then
    echo "welcome: no \"$caption\" window after ${timeout}s"; cat "$prefix.log"; exit 1
  fi
  sleep 1
done
echo "welcome: \"$caption\" after $((SECONDS - start)) s"
sleep 3  # let it paint
mkdir -p "$(dirname "$png")"
import -window root "$png"
echo "welcome: saved $png"
