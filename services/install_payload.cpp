// Payload installation: one packed product file from the program's resources
// becomes a file of the current folder, expanded by the system's
// version-install service and stamped with the product's release time.
#include "product/product.h"
#include "services/handles.h"
#include "ui/install_dlg.h"

namespace {

// The release time of the product, as local time on the installing machine.
void StampReleaseTime(os::HANDLE file) {
  os::SYSTEMTIME when;
  os::GetLocalTime(&when);
  when.wYear = 2002;
  when.wMonth = 7;
  when.wDay = 28;
  when.wHour = 1;
  when.wMinute = 20;
  when.wSecond = 0;
  when.wMilliseconds = 0;
  os::FILETIME local{}, utc{};
  os::SystemTimeToFileTime(&when, &local);
  os::LocalFileTimeToFileTime(&local, &utc);
  os::SetFileTime(file, &utc, &utc, &utc);
}

}  // namespace

bool CInstallDlg::InstallPayloadFile(unsigned resourceId, const char* fileName) {
  char folder[product::kPathBuffer];
  if (!os::_getcwd(folder, sizeof folder)) {
    ShowError(false, "Can't retrieve current directory");
    return false;
  }

  const os::HMODULE module = AfxGetResourceHandle();
  const os::HRSRC resource = os::FindResourceA(module, os::MAKEINTRESOURCEA(resourceId), product::kPayloadType);
  const os::HGLOBAL loaded = resource ? os::LoadResource(module, resource) : nullptr;
  if (!loaded) {
    ShowError(false, "Setup file appears to be corrupted!");
    return false;
  }
  const os::DWORD size = os::SizeofResource(module, resource);
  const void* bytes = os::LockResource(loaded);
  if (!bytes || size == 0) {
    ShowError(false, "Setup file is corrupted!");
    return false;
  }

  services::FileStream packed(os::fopen(product::kTempPacked, "wb"));
  if (!packed) {
    ShowError(false, CString("Can't overwrite temporary file \"") + product::kTempPacked + "\"");
    return false;
  }
  const size_t written = os::fwrite(bytes, 1, size, packed.get());
  packed.Close();
  if (written < size) {
    ShowError(false, "Insufficient space, or disk error");
    return false;
  }

  // A leftover of an earlier failed attempt must never pass for this file
  // when the expansion below fails, so it goes first.
  os::SetFileAttributesA(product::kTempExpanded, os::FILE_ATTRIBUTE_NORMAL);
  os::remove(product::kTempExpanded);

  char tempName[product::kPathBuffer] = {};
  os::UINT tempNameLength = sizeof tempName;
  if (os::VerInstallFileA(os::VIFF_FORCEINSTALL, product::kTempPacked, product::kTempExpanded, folder, folder,
                          folder, tempName, &tempNameLength) != 0) {
    // Not the end: the rename below tells whether anything usable came out.
    ShowError(false, CString("Can't expand installation file ") + fileName);
  }

  os::remove(product::kTempPacked);
  os::SetFileAttributesA(fileName, os::FILE_ATTRIBUTE_NORMAL);
  os::remove(fileName);
  if (os::rename(product::kTempExpanded, fileName) != 0) {
    ShowError(false, CString("Can't rename installation file ") + fileName);
    return false;
  }

  services::KernelHandle file(os::CreateFileA(fileName, os::GENERIC_READ | os::GENERIC_WRITE, 0, nullptr,
                                              os::OPEN_EXISTING, os::FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    ShowError(false, CString("Can't timestamp install file ") + fileName);
    return false;
  }
  StampReleaseTime(file.get());
  return true;
}
