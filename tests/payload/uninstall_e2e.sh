#!/usr/bin/env bash
# Uninstall.exe under Wine, on an installation laid down by hand the way the
# installer leaves it: answers its boxes, then checks that exactly the
# product's files, links and keys are gone, that the samples and their folder
# stay, that a running Testanza was closed, and that nothing is left in TEMP.
# Round 1: Testanza runs and the vendor key holds another product (it stays).
# Round 2: nothing runs and the vendor key is left empty (it goes).
# Usage: uninstall_e2e.sh <win32 build> <work dir>
source "$(dirname "$0")/wine_lib.sh" "$@"

folder='C:\Program Files\Testanza Test Suite'
dir="$(unix_path "$folder")"
hklm='HKEY_LOCAL_MACHINE\SOFTWARE'
app_paths="$hklm\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Testanza.exe"
uninstall_key="$hklm\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Testanza"
vendor="$hklm\\DU Dodoridu"
programs="$(probe folder programs)"
desktop="$(probe folder desktop)"
group="$programs\\Testanza"
temp_dir() { unix_path "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')"; }

key_exists() { wine reg query "$1" >/dev/null 2>&1; }
key_absent() { ! key_exists "$1"; }
gone() { [ ! -e "$1" ]; }

install_by_hand() {
  mkdir -p "$dir" "$(unix_path "$group")"
  cp "$payload"/{Testanza.exe,Testanza.hlp,Testanza.txt,Uninstall.exe,US-Caps_FITB.TZ1,US-Caps_MULT.TZ1} "$dir/"
  probe mklink "$group\\Testanza.lnk" "$folder\\Testanza.exe" >/dev/null
  probe mklink "$group\\Testanza Help.lnk" "$folder\\Testanza.hlp" >/dev/null
  probe mklink "$group\\Uninstall Testanza.lnk" "$folder\\Uninstall.exe" >/dev/null
  probe mklink "$desktop\\Testanza.lnk" "$folder\\Testanza.exe" >/dev/null
  wine reg add "$vendor\\Testanza\\1.20" /ve /d "$(date +%s)" /f >/dev/null 2>&1
  wine reg add "$app_paths" /ve /d "$folder\\Testanza.exe" /f >/dev/null 2>&1
  wine reg add "$app_paths" /v Path /d "$folder" /f >/dev/null 2>&1
  wine reg add "$uninstall_key" /v DisplayName /d "Testanza 1.20" /f >/dev/null 2>&1
  wine reg add "$uninstall_key" /v UninstallString /d "\"$folder\\Uninstall.exe\"" /f >/dev/null 2>&1
  check "installation laid down" test -f "$(unix_path "$group")/Uninstall Testanza.lnk" -a -f "$(unix_path "$desktop")/Testanza.lnk"
}

# Runs the uninstaller by the command line recorded in the Uninstall key.
uninstall() {
  local cmd
  cmd="$(wine reg query "$uninstall_key" /v UninstallString 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')"
  check "UninstallString is quoted" contains "$cmd" "\"$folder\\Uninstall.exe\""
  eval "set -- $cmd"  # the recorded command line, quotes and all
  wine "$@" >/dev/null 2>&1 &
  local question result
  question="$(probe click "Uninstall Testanza" 6 120000 || true)"  # Yes
  check "asks before removing" contains "$question" "Do you want to remove Testanza?"
  result="$(probe click "Uninstall Testanza" 1 300000 || true)"  # OK
  check "says it is done" contains "$result" "Testanza has been removed from your computer."
  check "reports no leftovers" test "${result/could not be removed/}" = "$result"
  [ "${result/could not be removed/}" = "$result" ] || echo "$result"
  local t
  t="$(temp_dir)"
  check "found the TEMP folder" test -d "$t" -a "$t" != "$drive_c/"
  check "the temporary copy deletes itself" bash -c "for i in \$(seq 120); do ls '$t'/tzu* >/dev/null 2>&1 || exit 0; sleep 1; done; ls -l '$t'; exit 1"
}

check_removed() {
  check "product files removed, samples kept" test "$(cd "$dir" && ls | tr '\n' ' ')" = "US-Caps_FITB.TZ1 US-Caps_MULT.TZ1 "
  check "program group removed" gone "$(unix_path "$group")"
  check "desktop link removed" gone "$(unix_path "$desktop")/Testanza.lnk"
  check "App Paths key removed" key_absent "$app_paths"
  check "Uninstall key removed" key_absent "$uninstall_key"
  check "vendor product key removed" key_absent "$vendor\\Testanza"
}

# Round 1
install_by_hand
wine reg add "$vendor\\Other" /v Keep /d yes /f >/dev/null 2>&1
wine "$folder\\Testanza.exe" >/dev/null 2>&1 &
testanza=$!
check "Testanza runs" probe wait-window Testanza 120000
uninstall
check "running Testanza was closed" timeout 60 tail --pid=$testanza -f /dev/null
check "its mutex is gone" no_mutex
check_removed
check "vendor key with another product stays" key_exists "$vendor\\Other"

# Round 2
wine reg delete "$vendor\\Other" /f >/dev/null 2>&1
install_by_hand
uninstall
check_removed
check "empty vendor key removed" key_absent "$vendor"

finish
