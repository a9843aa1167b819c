#!/usr/bin/env bash
# `make run`: runs build/win32/bin/setup.exe under Wine in a fresh prefix of
# its own (build/run/prefix, made anew each time).
#  - With a display ($DISPLAY set): interactive; returns when setup.exe ends.
#  - Without one: under Xvfb (1024x768x24), walks through the screens that
#    setup.exe shows, saves each as build/screens/<nn>-<name>.png and answers
#    it so that the installation goes on. The walk is the WALK list below,
#    played by the end-to-end driver (build/win32/bin/e2e_driver.exe).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
WIN="${WIN32_DIR:-$ROOT/build/win32}"  # the cross build
# Where the kernel runs no 32-bit code (or only under qemu's slow emulation),
# the 64-bit build of the same sources runs under wine64 instead; RUN_ARCH=32
# or 64 decides by hand.
export WINEARCH=win32
if [ "${RUN_ARCH:-}" = 64 ] || { [ -z "${RUN_ARCH:-}" ] && ! (E2E_EMULATED=0 source "$ROOT/scripts/wine_gate.sh") 2>/dev/null; }; then
  WIN="${WIN64_DIR:-$ROOT/build/win64}"
  export WINEARCH=win64
fi
SETUP="$WIN/bin/setup.exe"
DRIVER="$WIN/bin/e2e_driver.exe"
RUN="$ROOT/build/run"
SCREENS="$ROOT/build/screens"

# The walk, one screen a line: name|window caption|what the user does there.
# The caption is waited for, the screen is saved as <nn>-<name>, then the
# answer is played: driver steps (tests/scenario/FORMAT.md), ';' between two.
WALK=(
  'welcome|Testanza Installation|click 1002'
  'agreement|Testanza License Agreement|click 1002'
  'install|DU Dodoridu - Install Testanza 1.20|click 1010'
  'installed|INSTALLATION COMLETE|box "INSTALLATION COMLETE" "Testanza 1.20 has been successfully installed!\r\n\r\nTo run this application, select Testanza \r\nfrom the Start Menu, Programs, Testanza group." 0x40 ok'
)
# Wine may run under emulation here: patience with each screen (the whole
# installation comes between two of them).
TIMEOUT="${RUN_STEP_TIMEOUT:-900}"
# Where 32-bit programs run in qemu's user-mode emulation (kernels without
# 32-bit support), Wine in qemu's default 4 GB layout often fails at start
# ("failed to map the shared user data"); a 3 GB guest space avoids that.
# Nothing else reads this variable.
export QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0xc0000000}"

log() { echo "run: $*" >&2; }

fresh_prefix() {
  if [ -d "$RUN/prefix" ]; then
    WINEPREFIX="$RUN/prefix" wineserver -k 2>/dev/null || true
    rm -rf "$RUN/prefix"
  fi
  mkdir -p "$RUN"
  # RUN_TEMPLATE: an unused prefix to copy instead of booting a new one, for
  # machines where that takes minutes.
  if [ -n "${RUN_TEMPLATE:-}" ]; then
    log "copying the Wine prefix $RUN_TEMPLATE to build/run/prefix"
    cp -a "$RUN_TEMPLATE" "$RUN/prefix"
  else
    log "making a fresh Wine prefix in build/run/prefix"
  fi
  # shellcheck source=scripts/wineprefix.sh
  source "$ROOT/scripts/wineprefix.sh" "$RUN/prefix"
  [ -f "$WINEPREFIX/system.reg" ] || { log "Wine could not make the prefix"; return 1; }
  # Wine points the user's folders (Desktop, Start menu...) at the host's
  # home: the links that setup.exe makes must stay inside the prefix.
  find "$WINEPREFIX/drive_c/users" -mindepth 2 -maxdepth 2 -type l | while read -r link; do
    rm "$link" && mkdir -p "$link"
  done
}

# With no window manager (Xvfb), nobody would draw the windows' frames and
# captions: Wine draws them itself when its windows are not managed. Written
# straight into the prefix's user registry while no wineserver runs.
draw_own_frames() {
  wineserver -w
  printf '\n[Software\\\\Wine\\\\X11 Driver] %s\n"Decorated"="N"\n"Managed"="N"\n' "$(date +%s)" \
    >>"$WINEPREFIX/user.reg"
}

# Wine's Z: drive is the host's root.
winpath() { local p; p="$(realpath -m "$1")"; printf 'Z:%s' "${p//\//\\}"; }

# The walk as a driver scenario.
scenario() {
  local n=0 name caption answer shot
  echo 'title "make run: an installation, screen by screen"'
  echo 'steps:'
  for screen in "${WALK[@]}"; do
    IFS='|' read -r name caption answer <<<"$screen"
    n=$((n + 1))
    shot="$(printf '%02d' "$n")-$name"
    echo "  wait \"$caption\" timeout=$TIMEOUT"
    echo "  shot $shot"
    tr ';' '\n' <<<"$answer" | sed 's/^ */  /'
  done
  echo 'after:'
  echo '  exit any'
}

walk_with_driver() {
  scenario >"$RUN/walk.scn"
  rm -rf "$RUN/shots"
  mkdir -p "$RUN/shots"
  local rc
  set +e
  # Into a file, not a pipe: the product that setup.exe launches inherits it.
  wine "$DRIVER" "$(winpath "$RUN/walk.scn")" "$(winpath "$WIN/payload")" "$(winpath "$RUN/shots")" \
    "$(winpath "$SETUP")" >"$RUN/driver.raw" 2>&1
  rc=$?
  set -e
  tr -d '\r' <"$RUN/driver.raw" | tee "$RUN/driver.log"
  for bmp in "$RUN"/shots/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "$SCREENS/$(basename "${bmp%.bmp}").png" && log "saved build/screens/$(basename "${bmp%.bmp}").png"
  done
  return "$rc"
}

# Without the driver nothing can be answered: show the first screen only.
first_screen_only() {
  local name caption waited=0
  IFS='|' read -r name caption _ <<<"${WALK[0]}"
  log "no $DRIVER: saving the first screen only"
  wine "$SETUP" >"$RUN/wine.log" 2>&1 &
  local pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption\""; do
    kill -0 "$pid" 2>/dev/null || { log "setup.exe ended before \"$caption\" came"; return 1; }
    [ "$waited" -lt "$TIMEOUT" ] || { log "no \"$caption\" after ${TIMEOUT}s"; return 1; }
    sleep 1
    waited=$((waited + 1))
  done
  sleep 2  # let it finish painting
  import -window root "$SCREENS/01-$name.png" && log "saved build/screens/01-$name.png"
}

walk() {
  mkdir -p "$SCREENS"
  rm -f "$SCREENS"/[0-9][0-9]-*.png
  log "setup.exe of $WIN ($WINEARCH)"
  fresh_prefix
  draw_own_frames
  local rc=0
  if [ -f "$DRIVER" ]; then walk_with_driver || rc=$?; else first_screen_only || rc=$?; fi
  wineserver -k 2>/dev/null || true
  [ "$rc" -eq 0 ] && log "walk done: screenshots in build/screens/" || log "walk failed ($rc); see build/run/"
  return "$rc"
}

interactive() {
  fresh_prefix
  log "running setup.exe on $DISPLAY"
  local rc=0
  wine "$SETUP" || rc=$?
  wineserver -w
  return "$rc"
}

[ -f "$SETUP" ] || { log "no $SETUP: build it with 'make win32'"; exit 1; }

case "${1:-}" in
  --walk) walk ;;
  --scenario) scenario ;;  # prints the walk as the driver gets it
  *)
    if [ -n "${DISPLAY:-}" ]; then
      interactive
    else
      exec xvfb-run -a -s "-screen 0 1024x768x24" bash "${BASH_SOURCE[0]}" --walk
    fi ;;
esac
