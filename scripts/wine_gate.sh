# Sourced by wine_setup.sh (and by run.sh to choose a build), WINEARCH set:
# win64 is the 64-bit build under wine64, which needs no 32-bit code.
# Exits 77 (CTest's skip, never a pass) where Wine cannot run the tests in
# reasonable time:
#  - the kernel runs no 32-bit code and nothing emulates it: Wine cannot start;
#  - 32-bit code runs only through qemu's user-mode emulation (binfmt_misc):
#    a prefix takes 10-25 minutes and one installation walk about 30, more than
#    a CI run has, so these runs are opt-in: E2E_EMULATED=1 (see `make e2e-emulated`).
# Exports QEMU_RESERVED_VA: Wine under qemu-i386 needs a 3 GB guest space
# (in qemu's default 4 GB one, a mapping can take the page Wine needs at
# 0x7ffe0000). Without emulation the variable is not read.
export QEMU_RESERVED_VA="${QEMU_RESERVED_VA:-0xc0000000}"

wine_gate_emulated() {
  local f
  for f in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$f" ] || continue
    grep -qx enabled "$f" 2>/dev/null || continue
    grep -q '^magic 7f454c460101010000000000000000000200' "$f" 2>/dev/null && return 0
  done
  return 1
}

E2E_IS_EMULATED=0
if [ "${WINEARCH:-win32}" = win64 ]; then
  if ! /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
    echo "SKIPPED: wine64 is not installed" >&2
    exit 77
  fi
elif ! wine --version >/dev/null 2>&1; then
  echo "SKIPPED: Wine cannot start: this kernel runs no 32-bit programs (run \`make e2e-emulated\` to run them under qemu)" >&2
  exit 77
elif wine_gate_emulated; then
  E2E_IS_EMULATED=1
  if [ "${E2E_EMULATED:-0}" != 1 ]; then
    echo "SKIPPED: 32-bit programs run here only through qemu's emulation, too slow for a routine run; E2E_EMULATED=1 runs them anyway" >&2
    exit 77
  fi
fi
export E2E_IS_EMULATED
