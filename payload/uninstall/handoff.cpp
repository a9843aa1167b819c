#include "handoff.h"

#include <cstdio>

#include "../common/win_handle.h"

namespace tz {
namespace {

const DWORD kFirstStageWaitMs = 30000;

std::string TempFolder() {
  char path[MAX_PATH] = "";
  DWORD n = GetTempPathA(MAX_PATH, path);
  return n > 0 && n < MAX_PATH ? std::string(path) : std::string();
}

// A fresh name in the temporary folder ending in .exe.
std::string TempCopyName() {
  std::string folder = TempFolder();
  char unique[MAX_PATH] = "";
  if (folder.empty() || !GetTempFileNameA(folder.c_str(), "tzu", 0, unique)) return std::string();
  DeleteFileA(unique);  // only the name was wanted
  std::string name(unique);
  size_t dot = name.find_last_of('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + ".exe";
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  Handle f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                       FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  return f && WriteFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
         written == text.size();
}

// Started in the temporary folder: a process whose current folder is the
// installation folder would keep that folder from being removed.
bool Launch(const std::string& exe, std::string commandLine, bool inherit, DWORD flags) {
  std::string folder = TempFolder();
  STARTUPINFOA si = {};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, inherit, flags, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &si, &pi))
    return false;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return true;
}

}  // namespace

std::string OwnPath() {
  char path[MAX_PATH] = "";
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::string(path) : std::string();
}

bool StartSecondStage(const std::string& original) {
  std::string copy = TempCopyName();
  if (original.empty() || copy.empty() || !CopyFileA(original.c_str(), copy.c_str(), FALSE))
    return false;
  HANDLE self = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                       SYNCHRONIZE, TRUE, 0)) {
    DeleteFileA(copy.c_str());
    return false;
  }
  Handle own(self);
  char handle[32];
  std::snprintf(handle, sizeof handle, "%lu",
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(self)));
  std::string cmd = "\"" + copy + "\" /stage2 " + handle + " \"" + original + "\"";
  if (Launch(copy, cmd, true, 0)) return true;
  DeleteFileA(copy.c_str());
  return false;
}

void WaitForFirstStage(HANDLE first) {
  if (first) WaitForSingleObject(first, kFirstStageWaitMs);
}

void DeleteSelfAfterExit() {
  std::string self = OwnPath();
  if (self.empty()) return;
  std::string script = self.substr(0, self.size() - 4) + ".cmd";
  // Tries for a while, as this process may still be ending when cmd starts.
  std::string text =
      "@echo off\r\n"
      "set n=0\r\n"
      ":retry\r\n"
      "del \"" + self + "\" >nul 2>nul\r\n"
      "if not exist \"" + self + "\" goto done\r\n"
      "set /a n=n+1\r\n"
      "if %n% lss 2000 goto retry\r\n"
      ":done\r\n"
      "del \"%~f0\" >nul 2>nul\r\n";
  if (!WriteTextFile(script, text)) return;
  char system[MAX_PATH] = "";
  UINT n = GetSystemDirectoryA(system, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return;
  std::string cmd = std::string(system) + "\\cmd.exe";
  if (!Launch(cmd, "cmd.exe /c \"" + script + "\"", false, CREATE_NO_WINDOW))
    DeleteFileA(script.c_str());
}

}  // namespace tz
