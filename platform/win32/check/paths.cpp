#include "platform/win32/check/paths.h"

#include <windows.h>

std::string ExeFolder() {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (slash) slash[1] = 0;
  return path;
}

std::string SystemFolder() {
  char path[MAX_PATH] = {0};
  GetSystemDirectoryA(path, MAX_PATH);
  return path;
}

std::string ModulePath(void* module) {
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(static_cast<HMODULE>(module), path, MAX_PATH);
  return path;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}
}  // namespace

std::string ScratchFolder(const char* name) {
  char temp[MAX_PATH] = {0};
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + "os_check_" + name;
  RemoveTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
