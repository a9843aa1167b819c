#!/bin/bash
# Runs in the VM: takes the jobs that the host queues in <state>/queue, runs
# each under an X server of its own, writes its output and exit code into its
# job folder, and returns once <state>/stop exists and every job has ended.
# Usage: serve.sh <state folder on the share>
set -uo pipefail
state="$1"
repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
export PATH="$repo/scripts/winevm/bin:/usr/local/bin:/usr/bin:/bin:/usr/local/sbin:/usr/sbin:/sbin"
export LANG=C.UTF-8

run_job() {  # run_job <job folder> <display number>
  local job="$1" display="$2" xpid pid rc waited=0
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >"$job/xvfb.log" 2>&1 &
  xpid=$!
  until [ -S "/tmp/.X11-unix/X$display" ]; do
    if ! kill -0 "$xpid" 2>/dev/null || [ $waited -ge 600 ]; then
      echo "winevm: the X server did not start" >>"$job/out"
      echo 125 >"$job/rc"
      return
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  # A session of its own, so that a cancelled job goes with all it started.
  DISPLAY=":$display" setsid bash "$job/cmd" >>"$job/out" 2>&1 </dev/null &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    if [ -e "$job/cancel" ]; then
      kill -KILL -- "-$pid" 2>/dev/null
      break
    fi
    sleep 0.5
  done
  wait "$pid"
  rc=$?
  kill -KILL -- "-$pid" 2>/dev/null
  kill "$xpid" 2>/dev/null
  wait "$xpid" 2>/dev/null
  sync
  echo "$rc" >"$job/rc.part" && mv "$job/rc.part" "$job/rc"
}

# The pristine prefix links to these (prepare.sh): no test may change them.
builtins=/usr/lib/i386-linux-gnu/wine/i386-windows
mount --bind "$builtins" "$builtins" && mount -o remount,bind,ro "$builtins"

mkdir -p "$state/taken"
echo up >"$state/ready"
display=10
while :; do
  stopping=0
  [ -e "$state/stop" ] && stopping=1
  for entry in "$state"/queue/*; do
    [ -e "$entry" ] || continue
    taken="$state/taken/${entry##*/}"
    mv "$entry" "$taken" 2>/dev/null || continue
    run_job "$(cat "$taken")" "$display" &
    display=$((display + 1))
  done
  # The stop mark was seen before the last look at the queue: nothing is left.
  [ $stopping -eq 1 ] && break
  sleep 0.3
done
wait
