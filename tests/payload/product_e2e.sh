#!/usr/bin/env bash
# Testanza.exe under Wine: holds KV_TZ_Mutex and shows the window "Testanza"
# (or the title given with /title), shows an opened sample test, and ends
# when its window gets the close request 0x501.
# Usage: product_e2e.sh <win32 build> <work dir>
source "$(dirname "$0")/wine_lib.sh" "$@"

folder='C:\Program Files\Testanza'
mkdir -p "$(unix_path "$folder")"
cp "$payload"/Testanza.exe "$payload"/US-Caps_*.TZ1 "$(unix_path "$folder")/"

# run_copy <title> <sample> <expected lines...>: one copy from start to close request.
run_copy() {
  local title="$1" sample="$2"; shift 2
  local args=()
  [ "$title" = Testanza ] || args=(/title "$title")
  check "no mutex before $title starts" no_mutex
  wine "$folder\\Testanza.exe" "${args[@]}" "$folder\\$sample" >/dev/null 2>&1 &
  local pid=$!
  check "window '$title' appears" probe wait-window "$title" 120000
  check "$title holds the mutex" probe mutex KV_TZ_Mutex
  local view
  view="$(probe view-text "$title" || true)"
  for line in "$@"; do check "$title shows: $line" contains "$view" "$line"; done
  check "close request 0x501 to $title" probe post "$title" 0x501
  check "window '$title' goes" probe wait-gone "$title" 60000
  check "the $title process ends" timeout 60 tail --pid=$pid -f /dev/null
  wait $pid || true
  check "mutex gone after $title" no_mutex
}

run_copy Testanza US-Caps_FITB.TZ1 \
  "US State Capitals - Fill in the Blank" "Kind: Fill in the blank" "Questions: 50" \
  "1. The capital of Alabama is ____." "Answer: Montgomery" "50. The capital of Wyoming is ____."

run_copy "Testanza BETA 3" US-Caps_MULT.TZ1 \
  "US State Capitals - Multiple Choice" "Kind: Multiple choice" "Questions: 50" \
  "2. What is the capital of Alaska?" "c) Juneau   <= correct"

# Two copies at once share the mutex; it outlives the first to close.
wine "$folder\\Testanza.exe" >/dev/null 2>&1 &
first=$!
wine "$folder\\Testanza.exe" /title "Testanza BETA 9" >/dev/null 2>&1 &
second=$!
check "both copies show their windows" probe wait-window "Testanza BETA 9" 120000
check "first copy's window" probe wait-window Testanza 60000
probe post Testanza 0x501 >/dev/null
timeout 60 tail --pid=$first -f /dev/null || true
check "mutex held while one copy still runs" probe mutex KV_TZ_Mutex
probe post "Testanza BETA 9" 0x501 >/dev/null
timeout 60 tail --pid=$second -f /dev/null || true
check "mutex gone when both have closed" no_mutex

finish
