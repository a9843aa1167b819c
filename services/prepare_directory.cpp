// Folder preparation: a local drive-letter path becomes an existing folder in
// which the process stands, after a check that the drive has room.
#include <cstdint>

#include "product/product.h"
#include "services/handles.h"
#include "ui/install_dlg.h"

namespace {

const char kInvalidPath[] = "Please specify a valid disk drive and path";

enum class FreeSpace { Enough, TooLittle, Unknown };

// Only the ASCII letters name drives; any other byte, negative ones included,
// keeps its value and so gives a drive number the drive change refuses.
int DriveNumber(char first) {
  int c = static_cast<signed char>(first);
  if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
  return c - 64;
}

// The 64-bit query is missing from the oldest systems, hence the look-up.
FreeSpace QueryFreeSpace(const char* root) {
  services::Library kernel(os::LoadLibraryA("Kernel32.dll"));
  if (!kernel) return FreeSpace::Unknown;
  // By way of void (*)(), the compiler's generic function pointer type.
  auto query = reinterpret_cast<os::PFN_GetDiskFreeSpaceExA>(
      reinterpret_cast<void (*)()>(os::GetProcAddress(kernel.get(), "GetDiskFreeSpaceExA")));
  uint64_t available = 0;
  if (query) {
    os::ULARGE_INTEGER toCaller{}, total{}, totalFree{};
    if (!query(root, &toCaller, &total, &totalFree)) return FreeSpace::Unknown;
    available = toCaller.QuadPart;
  } else {
    os::DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0;
    if (!os::GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, nullptr))
      return FreeSpace::Unknown;
    // In 64 bits: the 32-bit product wraps at 4 GiB and can call a large,
    // mostly free drive too small.
    available = uint64_t{sectorsPerCluster} * bytesPerSector * freeClusters;
  }
  return available >= product::kMinFreeBytes ? FreeSpace::Enough : FreeSpace::TooLittle;
}

}  // namespace

bool CInstallDlg::PrepareDirectory(CString path) {
  if (path.GetLength() < 2 || path[1] != ':') {
    ShowError(false, kInvalidPath);
    return false;
  }
  const CString root = path.Left(2);
  if (os::_chdrive(DriveNumber(path[0])) != 0) {
    ShowError(false, "Can't access drive " + root);
    return false;
  }
  if (path.GetLength() < 3 || path[2] != '\\') {
    ShowError(false, kInvalidPath);
    return false;
  }
  os::_chdir("\\");

  switch (QueryFreeSpace(root)) {
    case FreeSpace::Enough:
      break;
    case FreeSpace::TooLittle:
      ShowError(false, "Insufficient disk space on drive " + root);
      return false;
    case FreeSpace::Unknown: {
      const CString question = "Cannot determine the amount of free space on drive " + root +
                               "\r\nDo you want to procede with the installation anyway?";
      if (os::MessageBoxA(m_hWnd, question, "WARNING", os::MB_YESNO | os::MB_ICONQUESTION) == os::IDNO)
        return false;
      break;
    }
  }

  // Each folder is made and entered in turn from the root; an empty name
  // (doubled or trailing backslash) cannot be entered and ends the chain.
  CString rest = path.Mid(2) + "\\";
  for (;;) {
    if (rest.GetLength() > 0 && rest[0] == '\\') rest = rest.Mid(1);
    const int slash = rest.Find('\\');
    if (slash < 0) return true;
    const CString component = rest.Left(slash);
    os::_mkdir(component);
    if (os::_chdir(component) != 0) {
      ShowError(false, "Error creating directory " + path);
      return false;
    }
    rest = rest.Mid(slash);
  }
}
