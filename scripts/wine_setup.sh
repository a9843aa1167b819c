# Sourced by every script that runs a program under Wine, before it starts:
#   wine_exe=<a program it will run>; wine_user_dirs=(<folders it writes>)
#   source scripts/wine_setup.sh "$script" "${args[@]}"
# Picks the prefix kind from the program (64-bit: wine64), exits 77 where Wine
# cannot run it (wine_gate.sh), starts the script again as the test user when
# run as root (wine_user.sh) and under our own X server when there is no display.
export WINEARCH=win32
file -b "$wine_exe" | grep -q x86-64 && WINEARCH=win64
source "$(dirname "${BASH_SOURCE[0]}")/wine_gate.sh"
source "$(dirname "${BASH_SOURCE[0]}")/wine_user.sh" "$@"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" bash "$@"
fi
