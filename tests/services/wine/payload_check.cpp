// Folder preparation and the six payload files: the real version.dll
// expands each resource to the original bytes, and every installed file
// shows the release time, 28 July 2002 01:20:00, as local time.
#include "platform/os.h"
#include "product/product.h"
#include "ui/install_dlg.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>

#include <fstream>
#include <iterator>

#include "check.h"

namespace wine_check {
namespace {

const char kTarget[] = "C:\\services check\\Target";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Text(const SYSTEMTIME& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour,
                t.wMinute, t.wSecond, t.wMilliseconds);
  return text;
}

std::string LocalTime(const FILETIME& utc) {
  FILETIME local;
  SYSTEMTIME t;
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &t)) return "no time";
  return Text(t);
}

std::string UtcTime(const FILETIME& utc) {
  SYSTEMTIME t;
  return FileTimeToSystemTime(&utc, &t) ? Text(t) : "no time";
}

void CheckInstalledFile(const product::PayloadFile& file) {
  const std::string path = std::string(kTarget) + "\\" + file.fileName;
  // The times before the content: reading the file may move its access time.
  const HANDLE handle = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  FILETIME created, accessed, written;
  CHECK(handle != INVALID_HANDLE_VALUE && GetFileTime(handle, &created, &accessed, &written));
  CloseHandle(handle);
  CHECK_EQ(LocalTime(written), "2002-07-28 01:20:00.000");
  CHECK_EQ(LocalTime(accessed), "2002-07-28 01:20:00.000");
  // For the run script, which compares it between time zones.
  if (file.resourceId == product::kPayload[0].resourceId) std::printf("stamp utc %s\n", UtcTime(written).c_str());
  // Where the file system keeps a creation time, it is the release time too.
  if (LocalTime(created) != "2002-07-28 01:20:00.000")
    std::printf("note: %s: creation time %s (not kept by this file system)\n", file.fileName,
                LocalTime(created).c_str());

  const std::string original = ReadFile(payloadDir + "\\" + file.fileName);
  CHECK(!original.empty());
  CHECK(ReadFile(path) == original);
}

}  // namespace

void CheckPayload() {
  CInstallDlg dlg;
  CHECK(dlg.PrepareDirectory(kTarget));
  char current[MAX_PATH] = {0};
  GetCurrentDirectoryA(sizeof current, current);
  CHECK_EQ(current, kTarget);

  for (const product::PayloadFile& file : product::kPayload) {
    CHECK(dlg.InstallPayloadFile(file.resourceId, file.fileName));
    CheckInstalledFile(file);
  }
  CHECK(GetFileAttributesA("TZ.MSZ") == INVALID_FILE_ATTRIBUTES);
  CHECK(GetFileAttributesA("TZ.XXX") == INVALID_FILE_ATTRIBUTES);
  CHECK(TakeBoxes().empty());

  // A resource that is not there: the error box, and nothing written.
  CHECK(!dlg.InstallPayloadFile(139, "Missing.txt"));
  const std::vector<ShownBox> boxes = TakeBoxes();
  CHECK(boxes.size() == 1);
  if (boxes.size() == 1) {
    CHECK_EQ(boxes[0].caption, "ERROR");
    CHECK_EQ(boxes[0].text, "Setup file appears to be corrupted!");
  }
  CHECK(GetFileAttributesA("Missing.txt") == INVALID_FILE_ATTRIBUTES);
}

}  // namespace wine_check
