# Sourced by the payload end-to-end tests:  source wine_lib.sh <win32 build> <work dir>
# Gives each test a fresh Wine prefix of its own (32-bit, or 64-bit for the
# 64-bit build; a copy of a template made once per build folder), an X server
# when there is none, and helpers.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
win32="$(realpath "$1")"
work="$(realpath -m "$2")"
payload="$win32/payload"
probe_exe="$win32/bin/tzprobe.exe"
for f in "$payload/Testanza.exe" "$payload/Uninstall.exe" "$payload/Testanza.hlp" "$probe_exe"; do
  [ -f "$f" ] || { echo "missing $f (is the cross build made?)" >&2; exit 1; }
done

wine_exe="$probe_exe"
wine_user_dirs=("$(dirname "$work")")
source "$root/scripts/wine_setup.sh" "$0" "$@"

rm -rf "$work"
mkdir -p "$work"
template="$(dirname "$work")/wine-template"
set +e
(
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template"
    # Where 32-bit code runs only emulated, Wine may start yet never make a prefix.
    ready="$(timeout 900 bash -c 'source "$1/scripts/wineprefix.sh" "$2" && wine cmd /c echo ready' \
      _ "$root" "$template" 2>/dev/null)"
    if [[ "$ready" != *ready* ]]; then
      WINEPREFIX="$template" wineserver -k >/dev/null 2>&1
      exit 77
    fi
    # Wine links the user's folders to the host's home; a test's links must stay in its prefix.
    find "$template/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r link; do
      rm "$link" && mkdir -p "$link"
    done
    touch "$template/.ready"
  fi
) 9>"$(dirname "$work")/wine-template.lock"
status=$?
set -e
if [ $status -eq 77 ]; then
  echo "SKIP: Wine could not make a prefix here"
  exit 77
fi
[ $status -eq 0 ] || exit $status
source "$root/scripts/copy_prefix.sh"
copy_prefix "$template" "$work/prefix"
source "$root/scripts/wineprefix.sh" "$work/prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

drive_c="$WINEPREFIX/drive_c"
pass=0
fail=0
check() {  # check <what> <command...>: runs the command, counts and reports the outcome
  local what="$1"; shift
  if "$@"; then echo "ok   $what"; pass=$((pass + 1)); else echo "FAIL $what"; fail=$((fail + 1)); fi
}
finish() {
  echo "$pass passed, $fail failed"
  [ "$fail" -eq 0 ] || return 1
  # A passing test's prefix goes (it is large); a failing one stays to be looked at.
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
}
probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
unix_path() { printf '%s/%s' "$drive_c" "$(printf '%s' "${1#C:\\}" | tr '\\' '/')"; }
contains() { grep -qF -- "$2" <<<"$1"; }
no_mutex() { ! probe mutex KV_TZ_Mutex; }
