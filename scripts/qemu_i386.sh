#!/usr/bin/env bash
# Lets a kernel without 32-bit support run 32-bit programs (Wine) through
# qemu's user-mode emulation: installs Debian's qemu-user-static and registers
# qemu-i386 with binfmt_misc (nothing registers it where systemd does not run).
# Idempotent. Needs root.
set -euo pipefail
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi
qemu=/usr/bin/qemu-i386-static
if [ ! -x "$qemu" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq --no-install-recommends qemu-user-static
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -w "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
[ -e "$binfmt/qemu-i386" ] && echo -1 >"$binfmt/qemu-i386"
# F: the interpreter is opened now, so it works inside chroots and namespaces too.
printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' \
  >"$binfmt/register"
QEMU_RESERVED_VA=0xc0000000 /usr/lib/wine/wine --version
