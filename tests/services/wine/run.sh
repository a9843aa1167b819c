#!/usr/bin/env bash
# Usage: run.sh <services_check.exe> <payload folder> <work folder>
# Runs the services' check program under Wine, once in each of two time
# zones, each time in a fresh prefix of its own (64-bit for a 64-bit build), under our own X
# server when there is no display. Exit 77 (skipped) when the cross build
# has not made the program.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)"
args=("$@")
[ $# -eq 3 ] || { sed -n '2,2p' "$0" >&2; exit 2; }
program="$(realpath -m "$1")" payload="$(realpath -m "$2")" work="$(realpath -m "$3")"
if [ ! -f "$program" ]; then
  echo "services_wine: $program is not built (the cross build must add tests/services)" >&2
  exit 77
fi
wine_exe="$program"
wine_user_dirs=("$work")
source "$root/scripts/wine_setup.sh" "${BASH_SOURCE[0]}" "${args[@]}"

mkdir -p "$work"
template="$work/template"
if [ ! -f "$template/.ready" ]; then
  rm -rf "$template"
  ( source "$root/scripts/wineprefix.sh" "$template" )
  if [ ! -d "$template/drive_c/users" ]; then
    echo "services_wine: wineboot did not make a prefix in $template" >&2
    exit 1
  fi
  # Wine points the user's folders at the host's home; the links made here
  # must stay inside the prefix.
  find "$template/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r link; do
    rm "$link" && mkdir -p "$link"
  done
  touch "$template/.ready"
fi

source "$root/scripts/copy_prefix.sh"
winpath() { local p; p="$(realpath -m "$1")"; printf 'Z:%s' "${p//\//\\}"; }

# The release time is local time: the same reading in both zones, from two
# different UTC values on disk.
failed=0
for zone in Europe/Berlin America/New_York; do
  dir="$work/${zone//\//_}"
  rm -rf "$dir"
  copy_prefix "$template" "$dir"
  (
    export TZ="$zone"
    source "$root/scripts/wineprefix.sh" "$dir"
    trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
    echo "services_wine: TZ=$zone"
    wine "$program" "$(winpath "$payload")" >"$dir.raw" 2>&1 && status=0 || status=$?
    tr -d '\r' <"$dir.raw" >"$dir.log"
    cat "$dir.log"
    exit $status
  ) && rm -rf "$dir" || failed=1  # a failing run's prefix stays to be looked at
done
stamps="$(grep -h '^stamp utc' "$work"/*_*.log | sort -u | wc -l)"
if [ "$stamps" -ne 2 ]; then
  echo "services_wine: the stored UTC stamp does not follow the time zone" >&2
  failed=1
fi
exit $failed
