# Sourced by wine_setup.sh:
#   wine_user_dirs=(<folders the script writes>); source scripts/wine_user.sh "$script" "$@"
# Root writes files whatever their permission bits, so under Wine a read-only
# file would not stop root as it stops any Windows user. Run as root, the
# script starts again as an ordinary user of our own, e2e, owning those folders.
if [ "$(id -u)" -eq 0 ]; then
  (
    flock 9
    id e2e >/dev/null 2>&1 || useradd --system --create-home --home-dir /var/lib/e2e --shell /bin/bash e2e
    for d in "${wine_user_dirs[@]}"; do
      mkdir -p "$d"
      [ "$(stat -c %U "$d")" = e2e ] || chown -R e2e: "$d"
    done
    # The user must reach the sources and builds: open the folders above them
    # for passing through (o+x) where a private checkout closes them.
    d="$(dirname "$(realpath "$1")")"
    while [ "$d" != / ]; do
      [ -n "$(find "$d" -maxdepth 0 -perm -o+x)" ] || { echo "wine_user: letting e2e pass through $d" >&2; chmod o+x "$d"; }
      d="$(dirname "$d")"
    done
  ) 9>/tmp/e2e-user.lock
  exec runuser -u e2e -m -- env HOME=/var/lib/e2e USER=e2e LOGNAME=e2e bash "$@"
fi
