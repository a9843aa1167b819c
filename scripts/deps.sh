#!/usr/bin/env bash
# Installs every package the build and the tests need. Idempotent: does nothing
# when all are present, so it is cheap to run before every build.
set -euo pipefail
pkgs=(cmake make g++ clang mingw-w64 wine wine32:i386 xvfb xauth x11-utils imagemagick
      libgtest-dev libgmock-dev libmspack-dev mscompress liblnk-utils nsis
      qemu-system-x86 qemu-utils debootstrap e2fsprogs wine64)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "missing packages: ${missing[*]} (run as root to install them)" >&2
  exit 1
fi
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  rm -f /var/lib/apt/lists/lock.stamp
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
