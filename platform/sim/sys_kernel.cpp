// kernel32 of the sim, system side: libraries, free space, the Windows
// folder, file handles and attributes, and the ANSI text calls.
#include <cctype>
#include <cstring>

#include "platform/sim/process.h"
#include "platform/sim/sys_process.h"

namespace sim {
namespace {

const os::HMODULE kKernel32 = reinterpret_cast<os::HMODULE>(static_cast<uintptr_t>(0x7C800000u));
const os::HMODULE kVersion = reinterpret_cast<os::HMODULE>(static_cast<uintptr_t>(0x77C00000u));

os::BOOL FailWith(uint32_t error) {
  SetLastErrorCode(error);
  return os::FALSE;
}

bool FaultedCall(const char* op, const char* arg, uint32_t fallback) {
  long code = 0;
  if (!SysFaulted(op, arg ? arg : "", fallback, &code)) return false;
  SetLastErrorCode(static_cast<uint32_t>(code));
  return true;
}

// "C:\\Windows\\System32\\KERNEL32" -> "kernel32.dll"
std::string ModuleName(const char* path) {
  std::string name(path);
  const size_t cut = name.find_last_of("\\/");
  if (cut != std::string::npos) name = name.substr(cut + 1);
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (name.find('.') == std::string::npos) name += ".dll";
  return name;
}

// The drive behind a free-space query's directory (null: the current drive).
const Drive* QueriedDrive(const char* root) {
  WinPath path;
  uint32_t error = ResolvePath(Sys(), root ? root : "\\", &path);
  NodePtr node = error ? nullptr : LookupNode(Sys(), path, &error);
  if (node && !node->folder) error = kErrorDirectory;
  if (!node || error) return SetLastErrorCode(error), nullptr;
  return Sys().FindDrive(path.drive);
}

os::BOOL OS_WINAPI FreeSpaceEx(const char* root, os::ULARGE_INTEGER* available, os::ULARGE_INTEGER* total,
                               os::ULARGE_INTEGER* totalFree) {
  if (FaultedCall("GetDiskFreeSpaceExA", root, os::ERROR_ACCESS_DENIED)) return os::FALSE;
  const Drive* drive = QueriedDrive(root);
  if (!drive) return os::FALSE;
  if (available) available->QuadPart = drive->availableToCaller;
  if (total) total->QuadPart = drive->totalBytes;
  if (totalFree) totalFree->QuadPart = drive->totalFree;
  return os::TRUE;
}

// An entry point as GetProcAddress hands it out; the caller casts it back.
template <typename F>
os::FARPROC AsFarProc(F* f) {
  return reinterpret_cast<os::FARPROC>(reinterpret_cast<void (*)()>(f));
}

bool Writes(uint32_t access) { return access & (kAccessWrite | 0x10000000u | 0x100u); }

}  // namespace

// ---- ANSI code page 1252 ------------------------------------------------------------

namespace {

const char16_t k1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t Widen(unsigned char c) { return c >= 0x80 && c < 0xA0 ? k1252High[c - 0x80] : c; }

char Narrow(char16_t w) {
  if (w < 0x80 || (w >= 0xA0 && w < 0x100)) return static_cast<char>(w);
  for (int i = 0; i < 32; ++i) {
    if (k1252High[i] == w) return static_cast<char>(0x80 + i);
  }
  return '?';
}

}  // namespace

std::u16string AnsiToWide(const std::string& text) {
  std::u16string wide;
  for (char c : text) wide += Widen(static_cast<unsigned char>(c));
  return wide;
}

std::string WideToAnsi(const std::u16string& text) {
  std::string narrow;
  for (char16_t w : text) narrow += Narrow(w);
  return narrow;
}

}  // namespace sim

using namespace sim;

// ---- libraries ---------------------------------------------------------------------

os::HMODULE os::LoadLibraryA(const char* name) {
  if (!name || !*name) return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), nullptr;
  if (FaultedCall("LoadLibraryA", name, os::ERROR_MOD_NOT_FOUND)) return nullptr;
  const std::string module = ModuleName(name);
  os::HMODULE handle = nullptr;
  if (module == "kernel32.dll") handle = kKernel32;
  else if (module == "version.dll" && Sys().versionDllPresent) handle = kVersion;
  if (!handle) return SetLastErrorCode(os::ERROR_MOD_NOT_FOUND), nullptr;
  ++Proc().modules[module];
  return handle;
}

os::BOOL os::FreeLibrary(os::HMODULE module) {
  const char* name = module == kKernel32 ? "kernel32.dll" : module == kVersion ? "version.dll" : nullptr;
  if (!name) return FailWith(os::ERROR_INVALID_HANDLE);
  if (FaultedCall("FreeLibrary", name, os::ERROR_INVALID_HANDLE)) return os::FALSE;
  int& count = Proc().modules[name];
  if (count == 0) return FailWith(os::ERROR_INVALID_HANDLE);
  --count;
  return os::TRUE;
}

os::FARPROC os::GetProcAddress(os::HMODULE module, const char* name) {
  if (module != kKernel32 && !(module == kVersion && Proc().modules["version.dll"] > 0)) {
    return SetLastErrorCode(os::ERROR_MOD_NOT_FOUND), nullptr;
  }
  if (!name || os::IS_INTRESOURCE(name)) return SetLastErrorCode(os::ERROR_PROC_NOT_FOUND), nullptr;
  if (FaultedCall("GetProcAddress", name, os::ERROR_PROC_NOT_FOUND)) return nullptr;
  if (module == kKernel32 && std::strcmp(name, "GetDiskFreeSpaceExA") == 0 && Sys().freeSpaceExAvailable) {
    return AsFarProc(&FreeSpaceEx);
  }
  if (module == kVersion && std::strcmp(name, "VerInstallFileA") == 0) {
    return AsFarProc(&os::VerInstallFileA);
  }
  return SetLastErrorCode(os::ERROR_PROC_NOT_FOUND), nullptr;
}

int SystemState::LoadedLibraries() const {
  int count = 0;
  for (const auto& module : process->modules) count += module.second;
  return count;
}

// ---- disks and folders -----------------------------------------------------------------

os::BOOL os::GetDiskFreeSpaceA(const char* root, os::DWORD* sectorsPerCluster, os::DWORD* bytesPerSector,
                               os::DWORD* freeClusters, os::DWORD* totalClusters) {
  if (FaultedCall("GetDiskFreeSpaceA", root, os::ERROR_ACCESS_DENIED)) return os::FALSE;
  const Drive* drive = QueriedDrive(root);
  if (!drive) return os::FALSE;
  if (sectorsPerCluster) *sectorsPerCluster = drive->sectorsPerCluster;
  if (bytesPerSector) *bytesPerSector = drive->bytesPerSector;
  if (freeClusters) *freeClusters = drive->freeClusters;
  if (totalClusters) *totalClusters = drive->totalClusters;
  return os::TRUE;
}

os::UINT os::GetWindowsDirectoryA(char* buffer, os::UINT size) {
  if (Sys().windowsDirFails) return SetLastErrorCode(os::ERROR_ACCESS_DENIED), 0;
  if (FaultedCall("GetWindowsDirectoryA", "", os::ERROR_ACCESS_DENIED)) return 0;
  const std::string& dir = Sys().windowsDir;
  if (!buffer || size <= dir.size()) return static_cast<os::UINT>(dir.size() + 1);
  std::memcpy(buffer, dir.c_str(), dir.size() + 1);
  return static_cast<os::UINT>(dir.size());
}

// ---- file handles and attributes -----------------------------------------------------------

namespace {

constexpr os::DWORD kCreateNew = 1, kCreateAlways = 2, kOpenAlways = 4, kTruncateExisting = 5;
constexpr os::DWORD kBackupSemantics = 0x02000000;

// Checks an existing node for CreateFileA; 0 or the error.
uint32_t CheckExisting(const Node& node, os::DWORD access, os::DWORD share, os::DWORD disposition, os::DWORD flags) {
  if (disposition == kCreateNew) return kErrorFileExists;
  if (node.folder && !(flags & kBackupSemantics)) return os::ERROR_ACCESS_DENIED;
  const bool truncates = disposition == kCreateAlways || disposition == kTruncateExisting;
  if ((node.attributes & os::FILE_ATTRIBUTE_READONLY) && (Writes(access) || truncates)) return os::ERROR_ACCESS_DENIED;
  if (!SharingAllows(node, access, share)) return os::ERROR_SHARING_VIOLATION;
  return 0;
}

NodePtr CreateNode(const WinPath& path, uint32_t* error) {
  NodePtr parent = LookupParent(Sys(), path, error);
  if (!parent) return nullptr;
  if (!ValidName(path.parts.back())) return *error = kErrorInvalidName, nullptr;
  auto node = std::make_shared<Node>();
  node->name = path.parts.back();
  node->attributes = kAttrArchive;
  node->created = node->accessed = node->written = Sys().Now();
  parent->children[node->name] = node;
  return node;
}

os::HANDLE NewFileHandle(const NodePtr& node, os::DWORD access, os::DWORD share) {
  const int id = AddOpen(Sys(), *node, access, share);
  std::weak_ptr<std::map<os::HANDLE, ProcessState::FileHandle>> files = Proc().files;
  // The handle table may close it after the process state is gone.
  const os::HANDLE handle = NewKernelHandle("file", [node, id, files] {
    node->opens.erase(id);
    if (auto table = files.lock()) {
      for (auto it = table->begin(); it != table->end(); ++it) {
        if (it->second.openId == id) {
          table->erase(it);
          break;
        }
      }
    }
  });
  (*Proc().files)[handle] = {node, id, access};
  return handle;
}

}  // namespace

os::HANDLE os::CreateFileA(const char* name, os::DWORD access, os::DWORD shareMode, void*, os::DWORD disposition,
                           os::DWORD flags, os::HANDLE) {
  if (disposition < kCreateNew || disposition > kTruncateExisting) {
    return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), os::INVALID_HANDLE_VALUE;
  }
  if (FaultedCall("CreateFileA", name, os::ERROR_ACCESS_DENIED)) return os::INVALID_HANDLE_VALUE;
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name, &path);
  NodePtr node = error ? nullptr : LookupNode(Sys(), path, &error);
  if (node) {
    error = CheckExisting(*node, access, shareMode, disposition, flags);
    if (!error && !node->folder && path.trailingSeparator) error = kErrorInvalidName;
  } else if (error == os::ERROR_FILE_NOT_FOUND && disposition != os::OPEN_EXISTING &&
             disposition != kTruncateExisting) {
    node = CreateNode(path, &error);
    if (node) error = 0, disposition = kCreateNew;
  }
  if (error) return SetLastErrorCode(error), os::INVALID_HANDLE_VALUE;
  if (disposition == kCreateAlways || disposition == kTruncateExisting) {
    node->data.clear();
    node->written = Sys().Now();
  }
  const os::HANDLE handle = NewFileHandle(node, access, shareMode);
  // Opening what already exists succeeds with this note for the two "always" kinds.
  const bool existed = disposition == kCreateAlways || disposition == kOpenAlways;
  SetLastErrorCode(existed ? os::ERROR_ALREADY_EXISTS : 0);
  return handle;
}

os::BOOL os::SetFileTime(os::HANDLE file, const os::FILETIME* creation, const os::FILETIME* lastAccess,
                         const os::FILETIME* lastWrite) {
  if (FaultedCall("SetFileTime", "", os::ERROR_ACCESS_DENIED)) return os::FALSE;
  const auto it = Proc().files->find(file);
  if (it == Proc().files->end()) return FailWith(os::ERROR_INVALID_HANDLE);
  if (!Writes(it->second.access)) return FailWith(os::ERROR_ACCESS_DENIED);
  Node& node = *it->second.node;
  auto value = [](const os::FILETIME* t) { return static_cast<FileTime>(t->dwHighDateTime) << 32 | t->dwLowDateTime; };
  if (creation) node.created = value(creation);
  if (lastAccess) node.accessed = value(lastAccess);
  if (lastWrite) node.written = value(lastWrite);
  return os::TRUE;
}

os::BOOL os::SetFileAttributesA(const char* name, os::DWORD attributes) {
  if (FaultedCall("SetFileAttributesA", name, os::ERROR_ACCESS_DENIED)) return os::FALSE;
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name, &path);
  NodePtr node = error ? nullptr : LookupNode(Sys(), path, &error);
  if (!node) return FailWith(error);
  // Read-only, hidden, system, archive, temporary, offline, not indexed; the
  // "normal" bit alone clears them all.
  const uint32_t settable = 0x1 | 0x2 | 0x4 | 0x20 | 0x100 | 0x1000 | 0x2000;
  node->attributes = attributes & settable;
  return os::TRUE;
}

// ---- text --------------------------------------------------------------------------------

int os::MultiByteToWideChar(os::UINT codePage, os::DWORD, const char* text, int length, os::WCHAR* wide,
                            int wideSize) {
  if (!text || length == 0 || length < -1 || wideSize < 0 || (wideSize > 0 && !wide) ||
      (codePage != os::CP_ACP && codePage != 1252 && codePage != 3)) {
    return SetLastErrorCode(os::ERROR_INVALID_PARAMETER), 0;
  }
  if (FaultedCall("MultiByteToWideChar", text, os::ERROR_INVALID_PARAMETER)) return 0;
  const size_t count = length == -1 ? std::strlen(text) + 1 : static_cast<size_t>(length);
  if (wideSize == 0) return static_cast<int>(count);
  if (count > static_cast<size_t>(wideSize)) return SetLastErrorCode(kErrorInsufficientBuffer), 0;
  for (size_t i = 0; i < count; ++i) wide[i] = Widen(static_cast<unsigned char>(text[i]));
  return static_cast<int>(count);
}

char* os::lstrcpyA(char* dest, const char* src) {
  if (!dest || !src) return nullptr;
  return std::strcpy(dest, src);
}

char* os::lstrcatA(char* dest, const char* src) {
  if (!dest || !src) return nullptr;
  return std::strcat(dest, src);
}

int os::lstrlenA(const char* text) { return text ? static_cast<int>(std::strlen(text)) : 0; }
