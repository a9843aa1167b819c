#!/usr/bin/env bash
# Usage: run.sh <folder of os_win32_check.exe and its planted mapi32.dll> <work folder>
# Runs the back end's checks under Wine in a fresh prefix of its own (64-bit
# for a 64-bit build), from a copy of the check's folder in the work folder:
# the planted library leaves its marker beside the program. Exit 77 (skipped)
# where Wine cannot run it; otherwise the number of failed checks.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
args=("$@")
[ $# -eq 2 ] || { sed -n '2,2p' "$0" >&2; exit 2; }
check="$(realpath -m "$1")" work="$(realpath -m "$2")"
[ -f "$check/os_win32_check.exe" ] || { echo "os_check: $check/os_win32_check.exe is not built" >&2; exit 1; }
wine_exe="$check/os_win32_check.exe"
wine_user_dirs=("$work")
source "$root/scripts/wine_setup.sh" "${BASH_SOURCE[0]}" "${args[@]}"

rm -rf "$work/prefix" "$work/bin"
mkdir -p "$work"
cp -a "$check" "$work/bin"
source "$root/scripts/wineprefix.sh" "$work/prefix"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Our planted library must be the one a plain load would take, were the
# search not restricted.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mapi32=n,b"
wine "$work/bin/os_win32_check.exe" >"$work/check.raw" 2>&1 && status=0 || status=$?
tr -d '\r' <"$work/check.raw" | tee "$work/check.log"
wineserver -k >/dev/null 2>&1 || true
[ $status -eq 0 ] && rm -rf "$work/prefix"
exit $status
