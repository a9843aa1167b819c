#!/usr/bin/env bash
# Runs commands that need 32-bit Wine. Where the host kernel runs 32-bit code
# they run right here; where it cannot (a 64-bit kernel without IA-32
# emulation), they run in a full-system VM (qemu, software emulation) that
# boots Debian's own amd64 kernel with Wine inside and sees this repository
# at the same path, read-write.
#
#   winevm.sh image          build the VM image once (cached in build/winevm/image,
#                            rebuilt when its recipe changes)
#   winevm.sh run CMD...     run CMD (bash, as root, under an X server of its own,
#                            cwd and environment carried over), stream its output,
#                            exit with its code. Uses the VM that `start` left
#                            running, or boots one for this command alone.
#   winevm.sh start | stop   keep one VM up for many `run`s (no-ops on a host that
#                            runs 32-bit code)
#   winevm.sh batch FILE     one VM for the lines of FILE, each "name command...";
#                            writes build/winevm/results/<name>.log and .rc
#   winevm.sh native         exit 0 when the host runs 32-bit code itself
#   winevm.sh bench          print the VM's timings (boot, prefix, a 32-bit program)
#
# Settings: WINEVM_TIMEOUT (seconds a command may take, default 3600),
# WINEVM_BOOT_TIMEOUT (600), WINEVM_MEM (MiB, 4096), WINEVM_SMP (2),
# WINEVM_FORCE=1 (use the VM even where the host could run the command).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
here="$root/scripts/winevm"
work="$root/build/winevm"
image="$work/image"
server="$work/server"
job_timeout="${WINEVM_TIMEOUT:-3600}"
boot_timeout="${WINEVM_BOOT_TIMEOUT:-600}"

log() { echo "winevm: $*" >&2; }
die() { log "$*"; exit 1; }
now() { date +%s.%N; }
secs() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

# --- the one decision: here or in the VM -------------------------------------

probe_binary() {
  local bin="$work/probe32"
  if [ ! -x "$bin" ] || [ "$here/probe32.S" -nt "$bin" ]; then
    mkdir -p "$work"
    as --32 -o "$bin.o" "$here/probe32.S" && ld -m elf_i386 -static -o "$bin" "$bin.o" ||
      die "cannot build the 32-bit probe (binutils)"
    rm -f "$bin.o"
  fi
  echo "$bin"
}

# True when this kernel runs 32-bit programs itself (not through a user-mode
# emulator registered with binfmt_misc: Wine does not survive that).
host_runs_i386() {
  [ "${WINEVM_FORCE:-0}" = 1 ] && return 1
  local bin
  bin="$(probe_binary)"
  timeout 20 "$bin" 2>/dev/null
}

# --- the image ----------------------------------------------------------------
# Two layers: base.ext4, the system made on the host, and prepared.qcow2 on top
# of it, what the first boot adds (the pristine prefix). Each is remade when
# the files it comes from change; every run boots a throwaway layer on top.

hash_of() { cat "$@" | sha256sum | cut -d' ' -f1; }
base_hash() { hash_of "$here/build-root.sh" "$here/guest-init"; }
prepared_hash() {
  { base_hash; cat "$here/prepare.sh" "$here/probe32.S" "$root/scripts/wineprefix.sh"; } | sha256sum | cut -d' ' -f1
}
layer_ready() { [ -f "$image/$1.sha256" ] && [ "$(cat "$image/$1.sha256")" = "$2" ]; }

qemu_start() {  # qemu_start <state> <disk> <script>: boots in the background
  local state="$1" disk="$2" script="$3"
  case "$root$state" in *' '*) die "the paths may not hold spaces: $root, $state" ;; esac
  # qemu64: with `max`, TCG faults on the 32-bit iret that Wine returns with
  # from its syscalls (SMAP), and the wider features only cost more to emulate.
  qemu-system-x86_64 -nodefaults -no-user-config -display none -no-reboot \
    -accel tcg,thread=multi -cpu "${WINEVM_CPU:-qemu64}" -smp "${WINEVM_SMP:-2}" -m "${WINEVM_MEM:-4096}" \
    -kernel "$image/vmlinuz" -initrd "$image/initrd.img" \
    -append "root=/dev/vda rw console=ttyS0 panic=1 mitigations=off init=/sbin/winevm-init winevm.repo=$root winevm.state=$state winevm.script=$script" \
    -drive "file=$disk,if=virtio,format=qcow2,cache=unsafe" \
    -virtfs "local,path=$root,mount_tag=repo,security_model=none" \
    -serial "file:$state/console.log" \
    -daemonize -pidfile "$state/qemu.pid"
}

qemu_alive() { local pid; pid="$(cat "$1/qemu.pid" 2>/dev/null)" && kill -0 "$pid" 2>/dev/null; }

qemu_wait() {  # qemu_wait <state> <seconds>: false if it is still up then
  local n=0
  while qemu_alive "$1"; do
    [ $n -ge $(($2 * 2)) ] && return 1
    sleep 0.5
    n=$((n + 1))
  done
}

qemu_cpu() {  # CPU seconds the VM has had from the host so far
  local pid
  pid="$(cat "$1/qemu.pid" 2>/dev/null)" || { echo 0; return; }
  awk -v hz="$(getconf CLK_TCK)" '{ printf "%.1f", ($14 + $15) / hz }' "/proc/$pid/stat" 2>/dev/null || echo 0
}

qemu_kill() { local pid; pid="$(cat "$1/qemu.pid" 2>/dev/null)" && kill -KILL "$pid" 2>/dev/null || true; }

console_tail() { log "last lines of the VM console ($1/console.log):"; tail -n 30 "$1/console.log" >&2 || true; }

build_base() {
  local t0 t1 rootdir="$work/root" mb
  command -v qemu-system-x86_64 debootstrap mkfs.ext4 qemu-img >/dev/null ||
    die "missing tools: run scripts/deps.sh"
  [ "$(id -u)" -eq 0 ] || die "building the image needs root"
  rm -rf "$image"
  mkdir -p "$image"
  log "building the base image (debootstrap bookworm, Wine, kernel); log: $work/build-root.log"
  t0="$(now)"
  # In memory: dpkg and debootstrap sync every file they write, slow on disk.
  mountpoint -q "$rootdir" && umount -l "$rootdir"
  rm -rf "$rootdir"
  mkdir -p "$rootdir"
  mount -t tmpfs -o size=6G,mode=755 winevm-root "$rootdir"
  trap 'umount -l "$rootdir" 2>/dev/null' EXIT
  bash "$here/build-root.sh" "$rootdir" >"$work/build-root.log" 2>&1 ||
    { tail -n 40 "$work/build-root.log" >&2; die "building the root folder failed (log: $work/build-root.log)"; }
  grep '^== ' "$work/build-root.log" >&2
  cp "$rootdir"/boot/vmlinuz-* "$image/vmlinuz"
  cp "$rootdir"/boot/initrd.img-* "$image/initrd.img"
  mkdir -p "$rootdir/opt/winevm"
  mb=$(($(du -sm "$rootdir" | cut -f1) + 4096))
  mkfs.ext4 -q -F -L winevm -d "$rootdir" "$image/base.ext4" "${mb}M" || die "mkfs.ext4 failed"
  umount -l "$rootdir"
  trap - EXIT
  rmdir "$rootdir"
  t1="$(now)"
  echo "base image (debootstrap, packages, ext4): $(secs "$t0" "$t1") s" >"$image/base.txt"
  base_hash >"$image/base.sha256"
  log "base image: $(secs "$t0" "$t1") s"
}

build_prepared() {
  local t0 t1 state="$work/prepare"
  rm -f "$image/prepared.sha256" "$image/prepared.qcow2"
  probe_binary >/dev/null
  rm -rf "$state"
  mkdir -p "$state"
  qemu-img create -q -f qcow2 -F raw -b "$image/base.ext4" "$image/prepared.qcow2"
  log "preparing boot: the pristine Wine prefix (a few minutes of emulation)"
  t0="$(now)"
  qemu_start "$state" "$image/prepared.qcow2" scripts/winevm/prepare.sh
  if ! qemu_wait "$state" 1800; then
    qemu_kill "$state"; console_tail "$state"; die "the preparing boot did not end in 1800s"
  fi
  t1="$(now)"
  sed 's/^/  /' "$state/prepare.txt" >&2 2>/dev/null || true
  grep -qx ok "$state/prepare.txt" 2>/dev/null || { console_tail "$state"; die "preparing the image failed"; }
  {
    echo "preparing boot (boot, prefix, a program, power-off): $(secs "$t0" "$t1") s"
    sed 's/^/  /' "$state/prepare.txt"
  } >"$image/prepared.txt"
  rm -rf "$state"
  prepared_hash >"$image/prepared.sha256"
  log "prepared image: $(secs "$t0" "$t1") s"
}

ensure_image() {
  mkdir -p "$work"
  (
    flock 9
    layer_ready base "$(base_hash)" || build_base
    layer_ready prepared "$(prepared_hash)" || build_prepared
  ) 9>"$work/image.lock"
}

# --- VMs and jobs -------------------------------------------------------------

boot_vm() {  # boot_vm <state>: boots a VM on a throwaway overlay, waits until it serves
  local state="$1" t0 n=0
  mkdir -p "$state/queue"
  qemu-img create -q -f qcow2 -F qcow2 -b "$image/prepared.qcow2" "$state/disk.qcow2"
  t0="$(now)"
  qemu_start "$state" "$state/disk.qcow2" scripts/winevm/serve.sh
  until [ -e "$state/ready" ]; do
    if ! qemu_alive "$state" || [ $n -ge $((boot_timeout * 2)) ]; then
      qemu_kill "$state"; console_tail "$state"; die "the VM did not come up in ${boot_timeout}s"
    fi
    sleep 0.5
    n=$((n + 1))
  done
  log "VM up in $(secs "$t0" "$(now)") s ($(qemu_cpu "$state") CPU-s)"
}

shut_vm() {  # shut_vm <state>: lets its jobs end, powers it off
  local state="$1"
  touch "$state/stop"
  qemu_wait "$state" 60 || { log "the VM did not power off; killing it"; qemu_kill "$state"; }
  rm -rf "$state"
}

server_up() { [ -e "$server/ready" ] && [ ! -e "$server/stop" ] && qemu_alive "$server"; }

new_job() {  # new_job CMD...: writes a job folder, prints its path
  local job name cwd
  mkdir -p "$work/jobs"
  job="$(mktemp -d "$work/jobs/XXXXXX")"
  cwd="$(pwd -P)"
  case "$cwd/" in "$root"/*) ;; *) cwd="$root"; log "not inside $root: the command runs in $root" ;; esac
  {
    printf 'cd %q || exit 125\n' "$cwd"
    # The caller's environment, but for what belongs to this host's session.
    for name in $(compgen -e); do
      case "$name" in
        PATH|HOME|PWD|OLDPWD|SHLVL|_|DISPLAY|XAUTHORITY|TERM|TMPDIR|USER|LOGNAME|SHELL|MAIL|HOSTNAME) continue ;;
        SSH_*|XDG_*|DBUS_*|LS_COLORS|WINEVM_*) continue ;;
      esac
      printf 'export %s=%q\n' "$name" "${!name}"
    done
    printf 'exec'
    printf ' %q' "$@"
    printf '\n'
  } >"$job/cmd"
  : >"$job/out"
  echo "$job"
}

follow_job() {  # follow_job <job> <state>: streams the output, returns the exit code
  local job="$1" state="$2" off=0 size waited=0 rc
  while :; do
    size="$(stat -c %s "$job/out")"
    if [ "$size" -gt "$off" ]; then
      tail -c +$((off + 1)) "$job/out" | head -c $((size - off))
      off="$size"
    fi
    if [ -e "$job/rc" ]; then
      size="$(stat -c %s "$job/out")"
      [ "$size" -gt "$off" ] && tail -c +$((off + 1)) "$job/out"
      rc="$(cat "$job/rc")"
      return "${rc:-125}"
    fi
    if ! qemu_alive "$state"; then
      console_tail "$state"; log "the VM stopped before the command ended"; return 125
    fi
    if [ $waited -ge $((job_timeout * 2)) ]; then
      touch "$job/cancel"
      log "TIMEOUT: the command ran longer than ${job_timeout}s and was killed"
      return 124
    fi
    sleep 0.5
    waited=$((waited + 1))
  done
}

run_in_vm() {
  local job state rc=0 own=0 t0 cpu0
  ensure_image
  job="$(new_job "$@")"
  if server_up; then
    state="$server"
  else
    own=1
    mkdir -p "$work/vms"
    state="$(mktemp -d "$work/vms/XXXXXX")"
    mkdir -p "$state/queue"
  fi
  echo "$job" >"$state/queue/.${job##*/}" && mv "$state/queue/.${job##*/}" "$state/queue/${job##*/}"
  # Killed from outside (a test's timeout): the job must not go on in the VM.
  trap 'touch "$job/cancel"; [ $own = 1 ] && qemu_kill "$state"; exit 143' TERM INT
  [ $own = 1 ] && boot_vm "$state"
  t0="$(now)" cpu0="$(qemu_cpu "$state")"
  follow_job "$job" "$state" || rc=$?
  # Wall time depends on what else the host runs; the VM's CPU time does not.
  log "command: $(secs "$t0" "$(now)") s, the VM had $(secs "$cpu0" "$(qemu_cpu "$state")") CPU-s of the host"
  trap - TERM INT
  if [ $own = 1 ]; then
    if [ $rc -eq 124 ]; then qemu_kill "$state"; rm -rf "$state"; else shut_vm "$state"; fi
  fi
  rm -rf "$job"
  return $rc
}

cmd_run() {
  [ $# -gt 0 ] || die "usage: winevm.sh run CMD..."
  if host_runs_i386; then exec "$@"; fi
  run_in_vm "$@"
}

cmd_start() {
  host_runs_i386 && return 0
  ensure_image
  server_up && { log "a VM is already up"; return 0; }
  [ -d "$server" ] && { qemu_kill "$server"; rm -rf "$server"; }
  boot_vm "$server"
}

cmd_stop() {
  [ -d "$server" ] || return 0
  shut_vm "$server"
}

cmd_batch() {
  local list="$1" name cmd rc results="$work/results" started=0
  [ -f "$list" ] || die "no list $list"
  mkdir -p "$results"
  server_up || { cmd_start; started=1; }
  while read -r name cmd; do
    case "$name" in ''|'#'*) continue ;; esac
    rc=0
    bash "${BASH_SOURCE[0]}" run bash -c "$cmd" >"$results/$name.log" 2>&1 </dev/null || rc=$?
    echo "$rc" >"$results/$name.rc"
    log "$name: $([ $rc -eq 0 ] && echo passed || echo "failed ($rc)")"
  done <"$list"
  [ $started = 1 ] && cmd_stop
  return 0
}

cmd_bench() {  # each step a job of its own, so that the VM's CPU time is told apart
  local t0 t1 step
  WINEVM_FORCE=1
  t0="$(now)"; ensure_image; t1="$(now)"
  echo "image: $(secs "$t0" "$t1") s now (cached when near zero); when it was built:"
  cat "$image/base.txt" "$image/prepared.txt"
  server_up && die "stop the VM that is up first"
  t0="$(now)"
  cmd_start
  for step in \
    'echo "in the VM: $(nproc) CPUs, kernel $(uname -r), probe32: $(build/winevm/probe32 && echo native)"' \
    'source scripts/wineprefix.sh /tmp/bench && du -sh "$WINEPREFIX"' \
    'WINEPREFIX=/tmp/bench wine cmd /c echo the first program of a prefix, with the wineserver starting' \
    'WINEPREFIX=/tmp/bench wine cmd /c echo the next program, the wineserver up' \
    'WINEPREFIX=/tmp/bench wineserver -k; WINEPREFIX=/tmp/bench wine cmd /c echo a program, the wineserver starting again' \
    'WINEPREFIX=/tmp/bench wineserver -k; cp -a /tmp/bench build/winevm/bench-prefix && du -sh build/winevm/bench-prefix && rm -rf build/winevm/bench-prefix' \
    'WINEARCH=win32 WINEPREFIX=/tmp/fresh WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" /usr/bin/wineboot -i >/dev/null 2>&1; WINEPREFIX=/tmp/fresh wineserver -w; du -sh /tmp/fresh'; do
    echo "--- $step"
    run_in_vm bash -c "$step" 2>&1 | tr -d '\r'
  done
  cmd_stop
  t1="$(now)"
  echo "boot, the steps above, power-off: $(secs "$t0" "$t1") s"
  echo "host load now: $(cut -d' ' -f1-3 /proc/loadavg)"
}

case "${1:-}" in
  image) ensure_image; cat "$image/base.txt" "$image/prepared.txt" ;;
  run) shift; cmd_run "$@" ;;
  start) cmd_start ;;
  stop) cmd_stop ;;
  batch) shift; cmd_batch "$@" ;;
  native) host_runs_i386 ;;
  bench) cmd_bench ;;
  *) sed -n '2,25p' "$0" >&2; exit 2 ;;
esac
