# Sourced: copy_prefix <template> <new prefix>
# A test's own Wine prefix from the template, cheaply: a 64-bit prefix holds
# over 1 GB of DLLs, and a test run makes dozens of prefixes. The DLL folders
# are hard links (Wine and the tests only add files there, never rewrite one
# in place); everything else (registry, user folders) is a real copy.
copy_prefix() {
  local from="$1" to="$2"
  cp -a --link "$from" "$to"
  find "$to" -type f ! -path "$to/drive_c/windows/system32/*" ! -path "$to/drive_c/windows/syswow64/*" \
    ! -path "$to/drive_c/windows/winsxs/*" -print0 |
    while IFS= read -r -d '' f; do cp -p "$f" "$f.copy" && mv -f "$f.copy" "$f"; done
  # Debian's wineserver notes its socket folder in the prefix: each copy makes its own.
  rm -f "$to/wineserver"
}
