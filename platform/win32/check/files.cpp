// The C library's file and folder calls, and the kernel's file attributes.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <cstring>
#include <set>
#include <string>

#include "platform/win32/check/check.h"
#include "platform/win32/check/paths.h"

namespace {
void WriteFile(const char* name, const char* text) {
  os::FILE* f = os::fopen(name, "wb");
  CHECK(f != nullptr);
  if (!f) return;
  CHECK(os::fwrite(text, 1, std::strlen(text), f) == std::strlen(text));
  CHECK(os::fclose(f) == 0);
}

// Every entry that matches, as "name:size:d" ("d" for a folder, "r" read-only).
std::set<std::string> List(const char* pattern) {
  std::set<std::string> names;
  os::FindData data;
  const intptr_t handle = os::_findfirst(pattern, &data);
  if (handle == -1) return names;
  do {
    std::string entry = std::string(data.name) + ":" + std::to_string(data.size) + ":";
    if (data.attrib & os::_A_SUBDIR) entry += "d";
    if (data.attrib & os::_A_RDONLY) entry += "r";
    names.insert(entry);
  } while (os::_findnext(handle, &data) == 0);
  CHECK(os::_findclose(handle) == 0);
  return names;
}
}  // namespace

void CheckFilesAndFolders() {
  const std::string root = ScratchFolder("files");
  CHECK(os::_chdrive(root[0] - 'A' + 1) == 0);
  CHECK(os::_chdir(root.c_str()) == 0);
  char cwd[MAX_PATH] = {0};
  CHECK(os::_getcwd(cwd, sizeof cwd) == cwd);
  CHECK(_stricmp(cwd, root.c_str()) == 0);

  CHECK(os::_mkdir("Sub") == 0);
  CHECK(os::_mkdir("Sub") == -1);
  WriteFile("one.txt", "12345");
  WriteFile("Sub\\two.txt", "");
  CHECK(os::SetFileAttributesA("one.txt", FILE_ATTRIBUTE_READONLY));
  CHECK((List("*") == std::set<std::string>{".:0:d", "..:0:d", "Sub:0:d", "one.txt:5:r"}));
  CHECK(os::_findfirst("nothing-*", nullptr) == -1);

  // A read-only file cannot be removed until its attribute is cleared.
  CHECK(os::remove("one.txt") == -1);
  CHECK(os::SetFileAttributesA("one.txt", FILE_ATTRIBUTE_NORMAL));
  CHECK(os::rename("one.txt", "three.txt") == 0);
  CHECK(os::_unlink("three.txt") == 0);
  CHECK(os::_unlink("three.txt") == -1);
  CHECK(os::_rmdir("Sub") == -1);  // not empty
  CHECK(os::remove("Sub\\two.txt") == 0);
  CHECK(os::_rmdir("Sub") == 0);
  CHECK((List("*") == std::set<std::string>{".:0:d", "..:0:d"}));

  char windows[MAX_PATH] = {0};
  const os::UINT length = os::GetWindowsDirectoryA(windows, sizeof windows);
  CHECK(length > 3 && length == std::strlen(windows));
  os::DWORD perCluster = 0, perSector = 0, freeClusters = 0, clusters = 0;
  CHECK(os::GetDiskFreeSpaceA("C:\\", &perCluster, &perSector, &freeClusters, &clusters));
  CHECK(perCluster > 0 && perSector > 0 && clusters >= freeClusters);

  char text[16];
  CHECK(os::lstrcpyA(text, "Test") == text);
  CHECK(os::lstrcatA(text, "anza") == text);
  CHECK(os::lstrlenA(text) == 8 && std::strcmp(text, "Testanza") == 0);
  os::WCHAR wide[16] = {0};
  CHECK(os::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 16) == 9);
  CHECK(wide[0] == u'T' && wide[7] == u'a' && wide[8] == 0);
  CHECK(os::_chdir(windows) == 0);
}
