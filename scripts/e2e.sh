#!/usr/bin/env bash
# Usage: scripts/e2e.sh [options] <scenario-file> <name>
#   --win32 DIR            the cross build (default: $WIN32_DIR or build/win32)
#   --program EXE          the program to drive (default: DIR/bin/setup.exe)
#   --payload DIR          the payload folder of payload= files (default: DIR/payload)
#   --expect-failure FILE  the driver must fail, printing every line of FILE
#
# Runs one scenario under Wine: a fresh 32-bit prefix of its own under
# build/e2e/<name>/prefix (copied from a template made once), our own X server
# when there is no display, the driver, and the screenshots converted to
# build/screens/<name>-<shot>.png. Exits with the driver's result.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
args=("$@")

win32="${WIN32_DIR:-$root/build/win32}"
program="" payload="" expect=""
while [ $# -gt 0 ]; do
  case "$1" in
    --win32) win32="$2"; shift 2 ;;
    --program) program="$2"; shift 2 ;;
    --payload) payload="$2"; shift 2 ;;
    --expect-failure) expect="$(realpath "$2")"; shift 2 ;;
    --*) echo "e2e: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ $# -eq 2 ] || { sed -n '2,6p' "$0" >&2; exit 2; }
scenario="$(realpath "$1")"
name="$2"
program="${program:-$win32/bin/setup.exe}"
payload="${payload:-$win32/payload}"
driver="$win32/bin/e2e_driver.exe"
for f in "$scenario" "$driver" "$program"; do
  [ -f "$f" ] || { echo "e2e: missing $f (is the cross build made? make win32)" >&2; exit 1; }
done

wine_exe="$driver"
wine_user_dirs=("$root/build/e2e" "$root/build/e2e64" "$root/build/screens")
source "$root/scripts/wine_setup.sh" "${BASH_SOURCE[0]}" "${args[@]}"

# Seconds the driver waits for a window; emulated, a program takes minutes to start.
timeout=120
[ "$E2E_IS_EMULATED" = 1 ] && timeout=900
export E2E_TIMEOUT="${E2E_TIMEOUT:-$timeout}"

work="$root/build/e2e"
[ "$WINEARCH" = win64 ] && work="$root/build/e2e64"
mkdir -p "$work"

# The template prefix, made once; the lock keeps parallel tests from racing.
(
  flock 9
  template="$work/template"
  if [ ! -f "$template/.e2e-ready" ]; then
    rm -rf "$template"
    ( source "$root/scripts/wineprefix.sh" "$template" )
    # Wine points the user's folders at the host's home; a test's links and
    # files must stay inside its prefix.
    find "$template/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r link; do
      rm "$link" && mkdir -p "$link"
    done
    # Every Wine process costs minutes where Wine runs emulated: no event log
    # or plug and play service at boot, and no debugger started on a crash.
    perl -0pi -e 's/(\[System\\\\CurrentControlSet\\\\Services\\\\(?:Eventlog|PlugPlay)\][^\[]*?"Start"=dword:)00000002/${1}00000004/g;
                  s/(\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\AeDebug\][^\[]*?)"Debugger"="[^"\n]*"\n/$1/' \
      "$template/system.reg"
    # A virtual desktop of the screen's size: Wine draws the windows' frames
    # and captions itself (Xvfb has no window manager to draw them), and the
    # screenshots show the program's screen alone.
    printf '\n[Software\\\\Wine\\\\Explorer] 0\n"Desktop"="Default"\n\n[Software\\\\Wine\\\\Explorer\\\\Desktops] 0\n"Default"="1024x768"\n' \
      >>"$template/user.reg"
    rm -f "$template/wineserver"
    touch "$template/.e2e-ready"
  fi
) 9>"$work/template.lock"

dir="$work/$name"
rm -rf "$dir"
mkdir -p "$dir/shots"
source "$root/scripts/copy_prefix.sh"
copy_prefix "$work/template" "$dir/prefix"
source "$root/scripts/wineprefix.sh" "$dir/prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# Wine's Z: drive is the host's root.
winpath() { local p; p="$(realpath -m "$1")"; printf 'Z:%s' "${p//\//\\}"; }

echo "e2e: $name: $scenario (display $DISPLAY, prefix $dir/prefix)"
set +e
# Into a file, not a pipe: the product the driver launched inherits the
# driver's output and would hold a pipe open until it ends.
wine "$driver" "$(winpath "$scenario")" "$(winpath "$payload")" "$(winpath "$dir/shots")" "$(winpath "$program")" \
  >"$dir/driver.raw" 2>&1
rc=$?
set -e
wineserver -k >/dev/null 2>&1 || true
sed 's/\r$//' "$dir/driver.raw" >"$dir/driver.log"
cat "$dir/driver.log"

screens="$root/build/screens"
mkdir -p "$screens"
rm -f "$screens/$name"-*.png
for bmp in "$dir"/shots/*.bmp; do
  [ -e "$bmp" ] || continue
  png="$screens/$name-$(basename "${bmp%.bmp}").png"
  convert "$bmp" "$png" && echo "e2e: screenshot $png"
done

# A passing run's prefix goes (it is large); a failing one stays to be looked at.
if [ -z "$expect" ]; then
  [ "$rc" -eq 0 ] && rm -rf "$dir/prefix"
  exit "$rc"
fi
# A run that must fail, and fail for each of the reasons listed.
status=0
if [ "$rc" -eq 0 ]; then echo "e2e: the driver passed a run that must fail"; status=1; fi
while IFS= read -r line; do
  case "$line" in ''|'#'*) continue ;; esac
  if ! grep -qF -- "$line" "$dir/driver.log"; then echo "e2e: not reported: $line"; status=1; fi
done < "$expect"
[ $status -eq 0 ] && echo "e2e: every expected mismatch was reported" && rm -rf "$dir/prefix"
exit $status
