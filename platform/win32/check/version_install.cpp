// version.dll's VerInstallFileA through our run-time loading: expands an
// SZDD container, and reports an unreadable source with the system's code.
#include "platform/os.h"
// after os.h
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/win32/check/check.h"
#include "platform/win32/check/paths.h"

namespace {
// An SZDD container that stores every byte as a literal: a flag byte of
// ones before each group of eight.
std::string Szdd(const std::string& data) {
  std::string out = "SZDD\x88\xF0\x27\x33";
  out += 'A';
  out += 't';  // the name's missing last character
  for (int i = 0; i < 4; ++i) out += static_cast<char>((data.size() >> (8 * i)) & 0xFF);
  for (size_t i = 0; i < data.size(); i += 8) {
    out += '\xFF';
    out += data.substr(i, 8);
  }
  return out;
}

void Write(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  CHECK(f != nullptr);
  if (!f) return;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

std::string Read(const std::string& path) {
  std::string bytes;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  char buffer[512];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}
}  // namespace

void CheckVersionInstall() {
  const std::string source = ScratchFolder("verinst_src");
  const std::string dest = ScratchFolder("verinst_dst");
  const std::string text = "Testanza 1.20\r\nA payload line that is long enough to span groups.\r\n";
  Write(source + "\\TESTANZA.TX_", Szdd(text));

  char temp[MAX_PATH] = {0};
  os::UINT tempLength = MAX_PATH;
  const os::DWORD result = os::VerInstallFileA(VIFF_FORCEINSTALL, "TESTANZA.TX_", "Testanza.txt", source.c_str(),
                                               dest.c_str(), dest.c_str(), temp, &tempLength);
  CHECK(result == 0);
  CHECK(Read(dest + "\\Testanza.txt") == text);
  CHECK(Exists(source + "\\TESTANZA.TX_"));

  tempLength = MAX_PATH;
  const os::DWORD missing = os::VerInstallFileA(VIFF_FORCEINSTALL, "MISSING.TX_", "Missing.txt", source.c_str(),
                                                dest.c_str(), dest.c_str(), temp, &tempLength);
  CHECK((missing & VIF_CANNOTREADSRC) != 0);

  // The library came from the system folder and stays loaded.
  const HMODULE loaded = GetModuleHandleA("version.dll");
  CHECK(loaded != nullptr);
  const std::string system = SystemFolder() + "\\";
  CHECK(_strnicmp(ModulePath(loaded).c_str(), system.c_str(), system.size()) == 0);
}
