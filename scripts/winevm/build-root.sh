#!/usr/bin/env bash
# Usage: build-root.sh <folder>
# Fills <folder> with a Debian bookworm amd64 system that runs 32-bit Wine:
# a stock kernel (whose initrd can reach a virtio disk and a 9p share), Wine
# with its i386 half, an X server and the tools the Wine tests call. Runs on
# the host as root; nothing here executes 32-bit code, so it works where the
# host kernel cannot.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(realpath -m "$1")"
mirror="${WINEVM_MIRROR:-http://deb.debian.org/debian}"
packages=(linux-image-amd64 kmod wine wine32:i386 xvfb xauth x11-utils imagemagick
          procps iproute2 tzdata file cmake)

stamp() { echo "== $(date +%T) $*"; }

stamp debootstrap
mkdir -p "$root"
debootstrap --variant=minbase bookworm "$root" "$mirror"
# A throwaway system: no fsync after every file.
echo force-unsafe-io >"$root/etc/dpkg/dpkg.cfg.d/winevm-unsafe-io"

mounted=()
cleanup() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" || true; done
}
trap cleanup EXIT
for fs in proc sys dev dev/pts; do
  mount --bind "/$fs" "$root/$fs"
  mounted+=("$root/$fs")
done

cat >"$root/etc/apt/sources.list" <<SRC
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
SRC
# No daemon may start inside the build folder.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
# The guest mounts its root from a virtio disk and the repository over 9p;
# an initrd of just those modules is quick to make. ext4 asks the crypto
# layer for crc32c by name, which no module dependency records.
mkdir -p "$root/etc/initramfs-tools/conf.d"
echo MODULES=list >"$root/etc/initramfs-tools/conf.d/winevm"
printf '%s\n' virtio_pci virtio_blk ext4 crc32c_generic 9p 9pnet_virtio >"$root/etc/initramfs-tools/modules"

stamp packages
chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
  bash -euo pipefail -c '
    dpkg --add-architecture i386
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "$@"
    apt-get clean
    rm -rf /var/lib/apt/lists/*
  ' _ "${packages[@]}"

rm -f "$root/usr/sbin/policy-rc.d" "$root/etc/dpkg/dpkg.cfg.d/winevm-unsafe-io"
echo winevm >"$root/etc/hostname"
# Wine looks up its own host name.
printf '127.0.0.1 localhost\n127.0.1.1 winevm\n::1 localhost\n' >"$root/etc/hosts"
install -m 755 "$here/guest-init" "$root/sbin/winevm-init"
stamp done
