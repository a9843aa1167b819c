#include "registry.h"

#include <windows.h>

namespace tz {
namespace {

class Key {
 public:
  Key(HKEY parent, const char* path, REGSAM access) {
    rc_ = RegOpenKeyExA(parent, path, 0, access, &k_);
    if (rc_ != ERROR_SUCCESS) k_ = nullptr;
  }
  ~Key() {
    if (k_) RegCloseKey(k_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return k_; }
  long status() const { return rc_; }

 private:
  HKEY k_ = nullptr;
  long rc_;
};

// Children first: RegDeleteKey only removes a key that has no subkeys.
long DeleteTree(HKEY parent, const char* name) {
  {
    Key key(parent, name, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE | DELETE);
    if (!key.get()) return key.status();
    for (;;) {
      char child[256];
      DWORD len = sizeof child;
      long rc = RegEnumKeyExA(key.get(), 0, child, &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_NO_MORE_ITEMS) break;
      if (rc != ERROR_SUCCESS) return rc;
      rc = DeleteTree(key.get(), child);
      if (rc != ERROR_SUCCESS) return rc;
    }
  }
  return RegDeleteKeyA(parent, name);
}

}  // namespace

std::string RecordedInstallFolder() {
  Key key(HKEY_LOCAL_MACHINE, kAppPathsKey, KEY_QUERY_VALUE);
  if (!key.get()) return std::string();
  char data[MAX_PATH + 1] = "";
  DWORD type = 0, size = MAX_PATH;
  if (RegQueryValueExA(key.get(), "Path", nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::string();
  data[size < MAX_PATH ? size : MAX_PATH] = '\0';
  std::string folder(data);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

long DeleteKeyTree(const char* path) { return DeleteTree(HKEY_LOCAL_MACHINE, path); }

long DeleteKeyIfEmpty(const char* path) {
  DWORD subkeys = 0, values = 0;
  {
    Key key(HKEY_LOCAL_MACHINE, path, KEY_QUERY_VALUE);
    if (!key.get()) return key.status();
    long rc = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                               &values, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return rc;
  }
  if (subkeys != 0 || values != 0) return ERROR_SUCCESS;  // someone else's data: leave it
  return RegDeleteKeyA(HKEY_LOCAL_MACHINE, path);
}

}  // namespace tz
