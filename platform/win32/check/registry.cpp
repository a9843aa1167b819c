// The registry under a key of our own.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <cstring>

#include "platform/win32/check/check.h"

namespace {
const os::HKEY kMachine = reinterpret_cast<os::HKEY>(HKEY_LOCAL_MACHINE);
const char kRoot[] = "Software\\OsBackendCheck";
}  // namespace

void CheckRegistry() {
  os::HKEY root = nullptr;
  os::DWORD disposition = 0;
  CHECK(os::RegCreateKeyExA(kMachine, kRoot, 0, "", REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, &root,
                            &disposition) == ERROR_SUCCESS);
  os::HKEY child = nullptr;
  CHECK(os::RegCreateKeyExA(root, "Child", 0, nullptr, 0, KEY_WRITE, nullptr, &child, &disposition) == ERROR_SUCCESS);
  CHECK(disposition == REG_CREATED_NEW_KEY);
  CHECK(os::RegCloseKey(child) == ERROR_SUCCESS);
  CHECK(os::RegCreateKeyExA(root, "Child", 0, nullptr, 0, KEY_WRITE, nullptr, &child, &disposition) == ERROR_SUCCESS);
  CHECK(disposition == REG_OPENED_EXISTING_KEY);
  CHECK(os::RegCloseKey(child) == ERROR_SUCCESS);

  const char text[] = "C:\\Program Files\\Testanza";
  CHECK(os::RegSetValueExA(root, "Path", 0, REG_SZ, reinterpret_cast<const os::BYTE*>(text), sizeof text) ==
        ERROR_SUCCESS);
  char buffer[64] = {0};
  os::DWORD type = 0, size = sizeof buffer;
  CHECK(os::RegQueryValueExA(root, "Path", nullptr, &type, reinterpret_cast<os::BYTE*>(buffer), &size) ==
        ERROR_SUCCESS);
  CHECK(type == REG_SZ && size == sizeof text && std::strcmp(buffer, text) == 0);
  size = 4;
  CHECK(os::RegQueryValueExA(root, "Path", nullptr, &type, reinterpret_cast<os::BYTE*>(buffer), &size) ==
        ERROR_MORE_DATA);
  CHECK(size == sizeof text);
  CHECK(os::RegQueryValueExA(root, "Missing", nullptr, &type, nullptr, &size) == ERROR_FILE_NOT_FOUND);

  char name[64];
  os::DWORD nameSize = sizeof name;
  os::FILETIME written;
  CHECK(os::RegEnumKeyExA(root, 0, name, &nameSize, nullptr, nullptr, nullptr, &written) == ERROR_SUCCESS);
  CHECK(std::strcmp(name, "Child") == 0 && nameSize == 5);
  nameSize = sizeof name;
  CHECK(os::RegEnumKeyExA(root, 1, name, &nameSize, nullptr, nullptr, nullptr, nullptr) == ERROR_NO_MORE_ITEMS);

  os::HKEY opened = nullptr;
  CHECK(os::RegOpenKeyExA(kMachine, "Software\\OsBackendCheck\\Child", 0, KEY_READ, &opened) == ERROR_SUCCESS);
  CHECK(os::RegCloseKey(opened) == ERROR_SUCCESS);
  CHECK(os::RegDeleteKeyA(root, "Child") == ERROR_SUCCESS);
  CHECK(os::RegOpenKeyExA(root, "Child", 0, KEY_READ, &opened) == ERROR_FILE_NOT_FOUND);
  CHECK(os::RegCloseKey(root) == ERROR_SUCCESS);
  CHECK(os::RegDeleteKeyA(kMachine, kRoot) == ERROR_SUCCESS);
}
