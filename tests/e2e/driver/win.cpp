#include "win.h"

#include <cctype>
#include <cstdio>

namespace e2e {

std::string ErrorText(DWORD code) {
  char buf[512] = "";
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf,
                           sizeof buf, nullptr);
  while (n > 0 && (buf[n - 1] == '\r' || buf[n - 1] == '\n' || buf[n - 1] == ' ')) buf[--n] = '\0';
  char num[32];
  std::snprintf(num, sizeof num, "(%lu)", static_cast<unsigned long>(code));
  return n ? std::string(buf) + " " + num : std::string("error ") + num;
}

HKEY RootKey(scenario::RegRoot root) {
  return root == scenario::RegRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::string KeyName(scenario::RegRoot root, const std::string& path) {
  return std::string(root == scenario::RegRoot::LocalMachine ? "HKLM\\" : "HKCU\\") + path;
}

bool SameNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::wstring Wide(const std::string& text) {
  int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  std::wstring out(n > 0 ? n : 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], n);
  out.resize(n > 0 ? n - 1 : 0);
  return out;
}

}  // namespace e2e
