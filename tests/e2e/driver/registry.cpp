#include "registry.h"

#include "win.h"

namespace e2e {
namespace {

bool RegError(const std::string& what, LONG code, std::string* error) {
  *error = what + ": " + ErrorText(static_cast<DWORD>(code));
  return false;
}

}  // namespace

bool CreateKey(scenario::RegRoot root, const std::string& path, std::string* error) {
  Key key;
  LONG r = RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.out(), nullptr);
  return r == ERROR_SUCCESS || RegError("cannot create " + KeyName(root, path), r, error);
}

bool DeleteKeyTree(scenario::RegRoot root, const std::string& path, std::string* error) {
  LONG r = RegDeleteTreeA(RootKey(root), path.c_str());
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND || RegError("cannot delete " + KeyName(root, path), r, error);
}

bool KeyExists(scenario::RegRoot root, const std::string& path) {
  Key key;
  return RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

bool SetValue(const scenario::Fact& v, std::string* error) {
  Key key;
  LONG r = RegCreateKeyExA(RootKey(v.root), v.path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.out(), nullptr);
  if (r != ERROR_SUCCESS) return RegError("cannot create " + KeyName(v.root, v.path), r, error);
  r = RegSetValueExA(key.get(), v.name.c_str(), 0, static_cast<DWORD>(v.type),
                     reinterpret_cast<const BYTE*>(v.data.data()), static_cast<DWORD>(v.data.size()));
  return r == ERROR_SUCCESS || RegError("cannot set value " + v.name + " of " + KeyName(v.root, v.path), r, error);
}

bool DeleteValue(scenario::RegRoot root, const std::string& path, const std::string& name, std::string* error) {
  Key key;
  LONG r = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_SET_VALUE, key.out());
  if (r == ERROR_FILE_NOT_FOUND) return true;
  if (r == ERROR_SUCCESS) r = RegDeleteValueA(key.get(), name.c_str());
  return r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND ||
         RegError("cannot delete value " + name + " of " + KeyName(root, path), r, error);
}

LONG QueryValue(scenario::RegRoot root, const std::string& path, const std::string& name, DWORD* type,
                std::string* data) {
  Key key;
  LONG r = RegOpenKeyExA(RootKey(root), path.c_str(), 0, KEY_READ, key.out());
  if (r != ERROR_SUCCESS) return r;
  DWORD size = 0;
  r = RegQueryValueExA(key.get(), name.c_str(), nullptr, type, nullptr, &size);
  if (r != ERROR_SUCCESS) return r;
  data->assign(size, '\0');
  r = RegQueryValueExA(key.get(), name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(&(*data)[0]), &size);
  data->resize(size);
  return r;
}

}  // namespace e2e
