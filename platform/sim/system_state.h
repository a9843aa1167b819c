// The system side of the simulated machine: drives and files, the registry,
// the shell's folders, COM, version.dll, the clock and time zone, and the
// state of the running process that goes with them (current drive and folder,
// open files, searches, registry handles). Tests fill it before a run and read
// it afterwards; the os:: calls of platform/sim act on it.
//
// Paths given to the methods below are Windows paths ("D:\\Apps\\Tests");
// relative ones resolve against the process's current folder, as the os::
// calls do. Names are compared without regard to case, as Windows does.
//
// Faults (Machine::Fail): op is the os:: function's name and match the text
// below; a fault with code 0 fails the call with its usual error.
//   file and CRT calls, LoadLibraryA, GetProcAddress,
//   the free-space queries, SetFileAttributesA,
//   MultiByteToWideChar                           the path, name or text as passed
//   fwrite, fclose                                the name given to fopen; fwrite: code = items written
//   _chdrive                                      "D:" for drive 4
//   FreeLibrary                                   "kernel32.dll" or "version.dll"
//   _getcwd, _findnext, _findclose, SetFileTime,
//   SystemTimeToFileTime, LocalFileTimeToFileTime,
//   time                                          ""
//   RegOpenKeyExA, RegCreateKeyExA, RegDeleteKeyA the subkey path as passed
//   RegQueryValueExA, RegSetValueExA              the value name
//   RegEnumKeyExA                                 the enumerated key's full path
//   SHGetSpecialFolderLocation                    the CSIDL in decimal ("2", "0")
//   SHGetPathFromIDListA                          the list's path
//   SHBrowseForFolderA                            the title (the user is not asked)
//   ShellExecuteA, VerInstallFileA                the file (source file) name
//   CoInitialize, CoCreateInstance                ""
//   IShellLinkA::QueryInterface                   "IPersistFile"
//   IPersistFile::Save                            the link path
//
// Not simulated: 8.3 short names, daylight saving time (the offset is
// fixed), and disks filling up (free-space figures are only what the two
// queries report; a short write is made with a fault).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sim {

// A point in time as Windows files and the registry keep it: 100-ns
// intervals since 1601-01-01 00:00:00 UTC.
typedef uint64_t FileTime;
FileTime FileTimeFromUnix(int64_t seconds);
// Calendar fields to a FileTime (no time zone applied); 0 for an invalid date.
FileTime MakeFileTime(int year, int month, int day, int hour, int minute, int second, int millis = 0);

struct CiLess {
  bool operator()(const std::string& a, const std::string& b) const;
};
bool CiEqual(const std::string& a, const std::string& b);

// One file or folder.
struct Node {
  std::string name;  // as created; case is kept, not compared
  bool folder = false;
  uint32_t attributes = 0;  // FILE_ATTRIBUTE_* bits other than the directory bit
  std::vector<uint8_t> data;
  FileTime created = 0, accessed = 0, written = 0;
  bool heldOpen = false;  // another program has it open and shares nothing
  std::map<std::string, std::shared_ptr<Node>, CiLess> children;
  // Opens of the running process: id -> desired access and share mode.
  struct Open {
    uint32_t access, share;
  };
  std::map<int, Open> opens;
};
typedef std::shared_ptr<Node> NodePtr;

struct Drive {
  bool usable = true;  // false: the drive exists but is not ready (no medium)
  // What GetDiskFreeSpaceExA reports.
  uint64_t availableToCaller = 0, totalBytes = 0, totalFree = 0;
  // What GetDiskFreeSpaceA reports; set them directly to make the product wrap.
  uint32_t sectorsPerCluster = 8, bytesPerSector = 512, freeClusters = 0, totalClusters = 0;
  NodePtr root;
};

struct RegValue {
  uint32_t type = 0;
  std::vector<uint8_t> data;
};

struct RegKey {
  std::string name;
  std::string className;
  std::map<std::string, RegValue, CiLess> values;  // "" is the default value
  std::map<std::string, std::shared_ptr<RegKey>, CiLess> children;
  std::weak_ptr<RegKey> parent;
  uint32_t refused = 0;  // an open asking for any of these access bits is denied
  bool deleted = false;
  FileTime written = 0;
};
typedef std::shared_ptr<RegKey> RegKeyPtr;

// The five properties of a shell link, as the link object takes them and as
// a .lnk file carries them.
struct LinkProperties {
  std::string description;
  std::string target;  // the link's target path
  std::string workingDir;
  std::string iconLocation;
  int iconIndex = 0;
  int showCmd = 1;
  std::string relativePath;  // the target relative to the link's folder, when one was written
};

struct ProcessState;  // per process: current folders, open files, searches, keys
struct ComState;      // objects and item lists given out by the shell and COM

struct SystemState {
  SystemState();
  ~SystemState();
  SystemState(const SystemState&) = delete;
  SystemState& operator=(const SystemState&) = delete;

  // ---- drives and files ---------------------------------------------------------
  // A fresh machine has drive C: (10 GiB free) with C:\Windows, C:\Program Files
  // and the user's Programs and Desktop folders below.
  std::map<char, Drive> drives;  // 'A'..'Z'
  bool freeSpaceExAvailable = true;  // kernel32 exports GetDiskFreeSpaceExA
  std::string startFolder = "C:\\";  // the current folder when a process starts
  std::string windowsDir = "C:\\Windows";
  bool windowsDirFails = false;

  Drive& AddDrive(char letter, uint64_t freeBytes = 10ull << 30);
  // Sets all three 64-bit figures to bytes (total: at least that) and the
  // cluster counts from them, 4096 bytes to a cluster, capped at 2^32 - 1.
  void SetFreeSpace(char letter, uint64_t bytes);
  Drive* FindDrive(char letter);

  bool MakeFolders(const std::string& path);  // every missing folder on the path
  bool PutFile(const std::string& path, const std::string& bytes);  // folders too
  bool PutFile(const std::string& path, const std::vector<uint8_t>& bytes);
  NodePtr Find(const std::string& path) const;
  bool IsFile(const std::string& path) const;
  bool IsFolder(const std::string& path) const;
  std::string Contents(const std::string& path) const;  // "" when there is no such file
  bool SetReadOnly(const std::string& path, bool on);
  bool HoldOpen(const std::string& path, bool on);  // as another program would
  bool Remove(const std::string& path);             // a file, or a folder with all below it
  std::vector<std::string> List(const std::string& folder) const;  // names, sorted
  std::string CurrentFolder() const;  // of the running (or last) process, "C:\\..."

  // ---- clock and time zone ---------------------------------------------------------
  int64_t clock = 1709294400;  // UTC seconds since 1970 (2024-03-01 12:00:00)
  int utcOffsetMinutes = 0;    // local time = UTC + offset (Berlin in winter: +60)
  FileTime Now() const { return FileTimeFromUnix(clock); }

  // ---- registry (HKEY_LOCAL_MACHINE) ----------------------------------------------------
  // A fresh machine has SOFTWARE\Microsoft\Windows\CurrentVersion with
  // "ProgramFilesDir" = "C:\Program Files", and its "App Paths" and
  // "Uninstall" subkeys.
  RegKeyPtr Key(const std::string& path) const;  // null when missing
  RegKey& MakeKey(const std::string& path, const std::string& className = "");
  void SetValue(const std::string& path, const std::string& name, uint32_t type, const std::vector<uint8_t>& data);
  void SetString(const std::string& path, const std::string& name, const std::string& text);  // REG_SZ with its zero
  // The value's bytes as text, without one trailing zero; false when missing.
  bool GetString(const std::string& path, const std::string& name, std::string* text) const;
  void RefuseAccess(const std::string& path, uint32_t mask);
  // Registry handles still open: the running process's, or those the last
  // process left open when it ended. Each entry is the key's path.
  std::vector<std::string> OpenKeys() const;
  RegKeyPtr hklm;

  // ---- shell, COM, version.dll ------------------------------------------------------------
  // An empty folder makes SHGetSpecialFolderLocation fail for it.
  std::string programsFolder = "C:\\Documents and Settings\\User\\Start Menu\\Programs";
  std::string desktopFolder = "C:\\Documents and Settings\\User\\Desktop";
  long coInitializeResult = 0;  // S_OK; S_FALSE is 1; anything else is a failure
  bool versionDllPresent = true;
  int LiveComObjects() const;     // link objects not yet released
  int LiveItemLists() const;      // item lists not yet freed with CoTaskMemFree
  int LoadedLibraries() const;    // LoadLibraryA calls of the process not matched by FreeLibrary

  // ---- for the os:: calls of platform/sim ------------------------------------------------
  std::unique_ptr<ProcessState> process;
  std::unique_ptr<ComState> com;
  void StartProcess();  // fresh process state (RunProcess calls it through a hook)
  void EndProcess();    // closes what the process left open, keeps the registry handles for OpenKeys
};

}  // namespace sim
