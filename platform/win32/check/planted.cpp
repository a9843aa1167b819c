// A stand-in for a system library that an attacker put beside the program:
// when loaded it leaves "planted.ran" in its own folder.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH] = {0};
  GetModuleFileNameA(self, path, MAX_PATH);
  char* slash = strrchr(path, '\\');
  if (!slash || slash - path + sizeof "\\planted.ran" > MAX_PATH) return TRUE;
  strcpy(slash, "\\planted.ran");
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return TRUE;
}

