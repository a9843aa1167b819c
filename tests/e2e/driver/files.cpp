#include "files.h"

#include "win.h"

namespace e2e {
namespace {

bool SystemError(const std::string& what, std::string* error) {
  *error = what + ": " + ErrorText(GetLastError());
  return false;
}

scenario::LocalTime ToLocal(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME st = {};
  FileTimeToLocalFileTime(&utc, &local);
  FileTimeToSystemTime(&local, &st);
  scenario::LocalTime t;
  t.year = st.wYear;
  t.month = st.wMonth;
  t.day = st.wDay;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

FILETIME ToUtc(const scenario::LocalTime& t) {
  SYSTEMTIME st = {};
  st.wYear = static_cast<WORD>(t.year);
  st.wMonth = static_cast<WORD>(t.month);
  st.wDay = static_cast<WORD>(t.day);
  st.wHour = static_cast<WORD>(t.hour);
  st.wMinute = static_cast<WORD>(t.minute);
  st.wSecond = static_cast<WORD>(t.second);
  FILETIME local, utc;
  SystemTimeToFileTime(&st, &local);
  LocalFileTimeToFileTime(&local, &utc);
  return utc;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

bool IsFolder(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolders(const std::string& path, std::string* error) {
  for (size_t i = path.find('\\', 3); ; i = path.find('\\', i + 1)) {
    const std::string part = path.substr(0, i);
    if (!IsFolder(part) && !CreateDirectoryA(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return SystemError("cannot create folder " + part, error);
    if (i == std::string::npos) return true;
  }
}

bool DeleteTree(const std::string& path, std::string* error) {
  if (!IsFolder(path)) {
    if (Attributes(path) == INVALID_FILE_ATTRIBUTES) return true;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) || SystemError("cannot delete " + path, error);
  }
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &fd);
  if (find != INVALID_HANDLE_VALUE) {
    bool ok = true;
    do {
      const std::string name = fd.cFileName;
      if (name != "." && name != "..") ok = DeleteTree(path + "\\" + name, error) && ok;
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    if (!ok) return false;
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_DIRECTORY);
  return RemoveDirectoryA(path.c_str()) || SystemError("cannot remove folder " + path, error);
}

bool ReadBytes(const std::string& path, std::string* bytes, std::string* error) {
  Handle h(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                       nullptr));
  if (!h) return SystemError("cannot open " + path, error);
  bytes->clear();
  char buf[65536];
  DWORD got = 0;
  while (ReadFile(h.get(), buf, sizeof buf, &got, nullptr) && got > 0) bytes->append(buf, got);
  return true;
}

bool WriteBytes(const std::string& path, const std::string& bytes, std::string* error) {
  Handle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h) return SystemError("cannot create " + path, error);
  DWORD put = 0;
  if (!bytes.empty() && (!WriteFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr) ||
                         put != bytes.size()))
    return SystemError("cannot write " + path, error);
  return true;
}

bool SetLocalTimes(const std::string& path, const scenario::Times& times, std::string* error) {
  Handle h(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h) return SystemError("cannot open " + path + " to set its times", error);
  FILETIME c, a, w;
  if (times.created) c = ToUtc(*times.created);
  if (times.accessed) a = ToUtc(*times.accessed);
  if (times.written) w = ToUtc(*times.written);
  if (!SetFileTime(h.get(), times.created ? &c : nullptr, times.accessed ? &a : nullptr,
                   times.written ? &w : nullptr))
    return SystemError("cannot set the times of " + path, error);
  return true;
}

bool GetLocalTimes(const std::string& path, FileTimes* out, std::string* error) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
    return SystemError("cannot read the times of " + path, error);
  out->created = ToLocal(data.ftCreationTime);
  out->accessed = ToLocal(data.ftLastAccessTime);
  out->written = ToLocal(data.ftLastWriteTime);
  return true;
}

}  // namespace e2e
