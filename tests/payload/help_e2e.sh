#!/usr/bin/env bash
# Testanza.hlp in Wine's winhlp32: opens without an error box and shows its
# contents topic, both directly and from Testanza's Help > Contents. Leaves a
# screenshot of the help window in the work folder (help.png).
# Usage: help_e2e.sh <win32 build> <work dir>
source "$(dirname "$0")/wine_lib.sh" "$@"

folder='C:\Program Files\Testanza'
mkdir -p "$(unix_path "$folder")"
cp "$payload"/Testanza.exe "$payload"/Testanza.hlp "$(unix_path "$folder")/"
no_error_box() { ! probe windows | grep -q '^#32770|'; }

wine winhlp32.exe "$folder\\Testanza.hlp" >/dev/null 2>&1 &
viewer=$!
check "winhlp32 shows 'Testanza Help'" probe wait-prefix "Testanza Help" 120000
sleep 3
check "no error box" no_error_box
import -window root "$work/help.png" && echo "screenshot: $work/help.png"
kill $viewer 2>/dev/null || true
wineserver -k >/dev/null 2>&1 || true

wine "$folder\\Testanza.exe" >/dev/null 2>&1 &
check "Testanza runs" probe wait-window Testanza 120000
probe post Testanza 0x111 200 >/dev/null  # WM_COMMAND: Help > Contents
# Wine's viewer, when WinHelp starts it, keeps its own caption ("Wine Help")
# instead of the file's title: the window's class tells it is the viewer, and
# the screenshot below shows the file's contents topic.
viewer_up() {
  local i
  for i in $(seq 60); do
    probe windows | grep -Eq '^MS_WINHELP\|' && return 0
    sleep 2
  done
  return 1
}
check "Help > Contents opens the help viewer" viewer_up
sleep 2
check "no error box from the menu" no_error_box
import -window root "$work/help-from-menu.png" || true

finish
