// The simulated registry: HKEY_LOCAL_MACHINE as a tree of keys with classes,
// values and refused access. Handles carry the access they were opened with,
// and the calls check it as Windows does; subkeys enumerate in alphabetical
// order; only childless keys can be deleted; a deleted key's open handles
// answer ERROR_KEY_DELETED.
#include <cstring>

#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr uint32_t kQueryValue = 0x1, kSetValue = 0x2, kCreateSubKey = 0x4, kEnumerate = 0x8;
constexpr uint32_t kAllAccess = 0xF003F;

struct KeyRef {
  RegKeyPtr key;
  uint32_t access = 0;
  std::string path;
};

uint32_t FromHandle(os::HKEY handle, KeyRef* ref) {
  if (handle == os::HKEY_LOCAL_MACHINE) {
    *ref = {Sys().hklm, kAllAccess, ""};
  } else {
    const auto it = Proc().keys.find(reinterpret_cast<uintptr_t>(handle));
    if (it == Proc().keys.end()) return os::ERROR_INVALID_HANDLE;
    *ref = {it->second.key, it->second.access, it->second.path};
  }
  return ref->key->deleted ? kErrorKeyDeleted : 0;
}

// "A\\B\\" -> {A, B}; a leading or doubled backslash is a bad path.
uint32_t SplitKeyPath(const char* text, std::vector<std::string>* parts) {
  parts->clear();
  if (!text || !*text) return 0;
  std::string piece;
  const std::string path(text);
  for (size_t i = 0; i <= path.size(); ++i) {
    if (i < path.size() && path[i] != '\\') {
      piece += path[i];
      continue;
    }
    if (piece.empty() && i < path.size()) return kErrorBadPathname;
    if (!piece.empty()) parts->push_back(piece);
    piece.clear();
  }
  return 0;
}

std::string Join(const std::string& base, const std::string& name) { return base.empty() ? name : base + "\\" + name; }

// Follows parts from ref as far as keys exist; returns how many were found.
size_t Walk(KeyRef* ref, const std::vector<std::string>& parts) {
  size_t found = 0;
  for (const std::string& part : parts) {
    const auto it = ref->key->children.find(part);
    if (it == ref->key->children.end()) break;
    ref->key = it->second;
    ref->path = Join(ref->path, it->second->name);
    ++found;
  }
  return found;
}

os::HKEY NewHandle(const KeyRef& ref, uint32_t access) {
  const uintptr_t value = Proc().nextKey;
  Proc().nextKey += 4;
  Proc().keys[value] = {ref.key, access, ref.path};
  return reinterpret_cast<os::HKEY>(value);
}

RegKeyPtr AddChild(const RegKeyPtr& parent, const std::string& name, const std::string& className) {
  auto key = std::make_shared<RegKey>();
  key->name = name;
  key->className = className;
  key->parent = parent;
  key->written = Sys().Now();
  parent->children[name] = key;
  return key;
}

bool RegFault(const char* op, const char* arg, long fallback, long* code) {
  return SysFaulted(op, arg ? arg : "", fallback, code);
}

}  // namespace

// ---- the test's view ------------------------------------------------------------------

RegKeyPtr SystemState::Key(const std::string& path) const {
  std::vector<std::string> parts;
  if (SplitKeyPath(path.c_str(), &parts)) return nullptr;
  RegKeyPtr key = hklm;
  for (const std::string& part : parts) {
    const auto it = key->children.find(part);
    if (it == key->children.end()) return nullptr;
    key = it->second;
  }
  return key;
}

RegKey& SystemState::MakeKey(const std::string& path, const std::string& className) {
  std::vector<std::string> parts;
  SplitKeyPath(path.c_str(), &parts);
  RegKeyPtr key = hklm;
  for (const std::string& part : parts) {
    const auto it = key->children.find(part);
    key = it != key->children.end() ? it->second : AddChild(key, part, className);
  }
  return *key;
}

void SystemState::SetValue(const std::string& path, const std::string& name, uint32_t type,
                           const std::vector<uint8_t>& data) {
  MakeKey(path).values[name] = {type, data};
}

void SystemState::SetString(const std::string& path, const std::string& name, const std::string& text) {
  std::vector<uint8_t> data(text.begin(), text.end());
  data.push_back(0);
  SetValue(path, name, os::REG_SZ, data);
}

bool SystemState::GetString(const std::string& path, const std::string& name, std::string* text) const {
  const RegKeyPtr key = Key(path);
  if (!key) return false;
  const auto it = key->values.find(name);
  if (it == key->values.end()) return false;
  std::string value(it->second.data.begin(), it->second.data.end());
  if (!value.empty() && value.back() == '\0') value.pop_back();
  *text = value;
  return true;
}

void SystemState::RefuseAccess(const std::string& path, uint32_t mask) { MakeKey(path).refused = mask; }

std::vector<std::string> SystemState::OpenKeys() const {
  std::vector<std::string> paths = process->keysLeftOpen;
  for (const auto& key : process->keys) paths.push_back(key.second.path);
  return paths;
}

}  // namespace sim

using namespace sim;

os::LONG os::RegOpenKeyExA(os::HKEY key, const char* subKey, os::DWORD, os::DWORD access, os::HKEY* result) {
  if (!result) return os::ERROR_INVALID_PARAMETER;
  *result = nullptr;
  long code = 0;
  if (RegFault("RegOpenKeyExA", subKey, os::ERROR_ACCESS_DENIED, &code)) return code;
  KeyRef ref;
  std::vector<std::string> parts;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (const uint32_t error = SplitKeyPath(subKey, &parts)) return static_cast<os::LONG>(error);
  if (Walk(&ref, parts) < parts.size()) return os::ERROR_FILE_NOT_FOUND;
  if (access & ref.key->refused) return os::ERROR_ACCESS_DENIED;
  *result = NewHandle(ref, access);
  return os::ERROR_SUCCESS;
}

os::LONG os::RegCreateKeyExA(os::HKEY key, const char* subKey, os::DWORD, const char* className, os::DWORD,
                             os::DWORD access, void*, os::HKEY* result, os::DWORD* disposition) {
  if (!result || !subKey) return os::ERROR_INVALID_PARAMETER;
  *result = nullptr;
  long code = 0;
  if (RegFault("RegCreateKeyExA", subKey, os::ERROR_ACCESS_DENIED, &code)) return code;
  KeyRef ref;
  std::vector<std::string> parts;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (const uint32_t error = SplitKeyPath(subKey, &parts)) return static_cast<os::LONG>(error);
  const uint32_t handleAccess = ref.access;
  const size_t found = Walk(&ref, parts);
  if (found == parts.size()) {
    if (access & ref.key->refused) return os::ERROR_ACCESS_DENIED;
    if (disposition) *disposition = os::REG_OPENED_EXISTING_KEY;
  } else {
    const bool fromHandle = found == 0;
    if ((ref.key->refused & kCreateSubKey) || (fromHandle && !(handleAccess & kCreateSubKey))) {
      return os::ERROR_ACCESS_DENIED;
    }
    for (size_t i = found; i < parts.size(); ++i) {
      ref.key = AddChild(ref.key, parts[i], className ? className : "");
      ref.path = Join(ref.path, parts[i]);
    }
    if (disposition) *disposition = os::REG_CREATED_NEW_KEY;
  }
  *result = NewHandle(ref, access);
  return os::ERROR_SUCCESS;
}

os::LONG os::RegQueryValueExA(os::HKEY key, const char* valueName, os::DWORD* reserved, os::DWORD* type,
                              os::BYTE* data, os::DWORD* size) {
  KeyRef ref;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (!(ref.access & kQueryValue)) return os::ERROR_ACCESS_DENIED;
  if (reserved || (data && !size)) return os::ERROR_INVALID_PARAMETER;
  long code = 0;
  if (RegFault("RegQueryValueExA", valueName, os::ERROR_FILE_NOT_FOUND, &code)) return code;
  const auto it = ref.key->values.find(valueName ? valueName : "");
  if (it == ref.key->values.end()) return os::ERROR_FILE_NOT_FOUND;
  const RegValue& value = it->second;
  const os::DWORD needed = static_cast<os::DWORD>(value.data.size());
  if (type) *type = value.type;
  if (data && *size < needed) {
    *size = needed;
    return os::ERROR_MORE_DATA;
  }
  if (data && needed) std::memcpy(data, value.data.data(), needed);
  if (size) *size = needed;
  return os::ERROR_SUCCESS;
}

os::LONG os::RegSetValueExA(os::HKEY key, const char* valueName, os::DWORD, os::DWORD type, const os::BYTE* data,
                            os::DWORD size) {
  KeyRef ref;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (!(ref.access & kSetValue)) return os::ERROR_ACCESS_DENIED;
  long code = 0;
  if (RegFault("RegSetValueExA", valueName, os::ERROR_ACCESS_DENIED, &code)) return code;
  if (!data && size) return 998;  // ERROR_NOACCESS
  RegValue& value = ref.key->values[valueName ? valueName : ""];
  value.type = type;
  value.data.assign(data, data + size);
  ref.key->written = Sys().Now();
  return os::ERROR_SUCCESS;
}

os::LONG os::RegEnumKeyExA(os::HKEY key, os::DWORD index, char* name, os::DWORD* nameSize, os::DWORD* reserved,
                           char* className, os::DWORD* classSize, os::FILETIME* lastWriteTime) {
  KeyRef ref;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (!(ref.access & kEnumerate)) return os::ERROR_ACCESS_DENIED;
  if (!name || !nameSize || reserved || (className && !classSize)) return os::ERROR_INVALID_PARAMETER;
  long code = 0;
  if (RegFault("RegEnumKeyExA", ref.path.c_str(), os::ERROR_ACCESS_DENIED, &code)) return code;
  if (index >= ref.key->children.size()) return os::ERROR_NO_MORE_ITEMS;
  auto it = ref.key->children.begin();
  std::advance(it, index);
  const RegKey& child = *it->second;
  if (child.name.size() + 1 > *nameSize) return os::ERROR_MORE_DATA;
  if (className && child.className.size() + 1 > *classSize) return os::ERROR_MORE_DATA;
  std::memcpy(name, child.name.c_str(), child.name.size() + 1);
  *nameSize = static_cast<os::DWORD>(child.name.size());
  if (className) {
    std::memcpy(className, child.className.c_str(), child.className.size() + 1);
    *classSize = static_cast<os::DWORD>(child.className.size());
  }
  if (lastWriteTime) {
    lastWriteTime->dwLowDateTime = static_cast<os::DWORD>(child.written);
    lastWriteTime->dwHighDateTime = static_cast<os::DWORD>(child.written >> 32);
  }
  return os::ERROR_SUCCESS;
}

os::LONG os::RegDeleteKeyA(os::HKEY key, const char* subKey) {
  if (!subKey) return os::ERROR_INVALID_PARAMETER;
  long code = 0;
  if (RegFault("RegDeleteKeyA", subKey, os::ERROR_ACCESS_DENIED, &code)) return code;
  KeyRef ref;
  std::vector<std::string> parts;
  if (const uint32_t error = FromHandle(key, &ref)) return static_cast<os::LONG>(error);
  if (const uint32_t error = SplitKeyPath(subKey, &parts)) return static_cast<os::LONG>(error);
  if (Walk(&ref, parts) < parts.size()) return os::ERROR_FILE_NOT_FOUND;
  const RegKeyPtr parent = ref.key->parent.lock();
  // NT refuses to delete a key that still has subkeys.
  if (!parent || (ref.key->refused & os::DELETE) || !ref.key->children.empty()) return os::ERROR_ACCESS_DENIED;
  parent->children.erase(ref.key->name);
  ref.key->deleted = true;
  return os::ERROR_SUCCESS;
}

os::LONG os::RegCloseKey(os::HKEY key) {
  if (key == os::HKEY_LOCAL_MACHINE) return os::ERROR_SUCCESS;
  long code = 0;
  if (RegFault("RegCloseKey", "", os::ERROR_INVALID_HANDLE, &code)) return code;
  return Proc().keys.erase(reinterpret_cast<uintptr_t>(key)) ? os::ERROR_SUCCESS : os::ERROR_INVALID_HANDLE;
}
