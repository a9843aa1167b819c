// Inside the system side of the sim: the running process's state and the
// path, sharing and text helpers that the os:: calls share.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/machine.h"
#include "platform/sim/system_state.h"

// A C run-time stream of the sim.
struct os::FILE {
  sim::NodePtr node;
  int openId = 0;
  std::string name;  // as given to fopen: what a fault on fwrite matches
  bool text = false;
  bool append = false;
  bool writable = false;
  size_t position = 0;
};

namespace sim {

// Win32 error codes the sim reports beyond those in os.h.
constexpr uint32_t kErrorNotReady = 21, kErrorNotSameDevice = 17, kErrorBadNetPath = 53,
                   kErrorInvalidName = 123, kErrorDirNotEmpty = 145, kErrorFilenameTooLong = 206,
                   kErrorDirectory = 267, kErrorInsufficientBuffer = 122, kErrorKeyDeleted = 1018,
                   kErrorBadPathname = 161, kErrorInvalidDrive = 15, kErrorFileExists = 80;
constexpr uint32_t kShareRead = 1, kShareWrite = 2, kShareDelete = 4;
constexpr uint32_t kAccessRead = 0x80000000u, kAccessWrite = 0x40000000u, kAccessDelete = 0x00010000u;
constexpr uint32_t kAttrArchive = 0x20;

struct ProcessState {
  char drive = 'C';
  std::map<char, std::vector<std::string>> folders;  // each drive's current folder, as typed

  struct Search {
    std::vector<os::FindData> entries;
    size_t next = 0;
  };
  std::map<intptr_t, Search> searches;
  intptr_t nextSearch = 0x2000;

  std::map<os::FILE*, std::unique_ptr<os::FILE>> streams;

  struct FileHandle {
    NodePtr node;
    int openId;
    uint32_t access;
  };
  // Shared with the close hooks given to the kernel handle table, which may
  // run after the process state is gone.
  std::shared_ptr<std::map<os::HANDLE, FileHandle>> files = std::make_shared<std::map<os::HANDLE, FileHandle>>();

  struct KeyHandle {
    RegKeyPtr key;
    uint32_t access;
    std::string path;
  };
  std::map<uintptr_t, KeyHandle> keys;
  uintptr_t nextKey = 0x1000;
  std::vector<std::string> keysLeftOpen;  // by the process that ended last

  std::map<std::string, int> modules;  // loaded library -> LoadLibraryA count
  bool comInitialized = false;
  int nextOpenId = 1;
};

// ---- shell and COM -------------------------------------------------------------
// What an ITEMIDLIST pointer of the sim points to.
struct ItemList {
  std::string path;
  bool fileSystem = true;  // false: a shell folder with no file-system path
};
struct ComObject {
  virtual ~ComObject() = default;
};
struct ComState {
  std::map<const void*, std::unique_ptr<ItemList>> lists;
  std::map<const ComObject*, std::unique_ptr<ComObject>> objects;  // live, by address
};

// ---- paths ---------------------------------------------------------------------
struct WinPath {
  char drive = 0;                  // 'A'..'Z'
  std::vector<std::string> parts;  // folders and name below the root
  bool trailingSeparator = false;
  std::string Text() const;        // "D:\\a\\b", or "D:\\" for the root
};
// Resolves a Win32 path against the process, as the system normalises it
// (either slash, ".", "..", repeated separators, trailing dots). 0 or an error.
uint32_t ResolvePath(const SystemState& s, const char* text, WinPath* out);
// The drive's root, or null with ERROR_PATH_NOT_FOUND or ERROR_NOT_READY.
NodePtr DriveRoot(const SystemState& s, char drive, uint32_t* error);
// The node at path, or null with ERROR_FILE_NOT_FOUND (the last part is
// missing) or ERROR_PATH_NOT_FOUND (a folder on the way is missing).
NodePtr LookupNode(const SystemState& s, const WinPath& path, uint32_t* error);
// The folder that would hold path's last part (path must have one).
NodePtr LookupParent(const SystemState& s, const WinPath& path, uint32_t* error);
bool ValidName(const std::string& name);
std::string Upper(std::string text);

// ---- sharing -----------------------------------------------------------------------
// Whether an open with this access and share mode may join the node's opens.
bool SharingAllows(const Node& node, uint32_t access, uint32_t share);
int AddOpen(SystemState& s, Node& node, uint32_t access, uint32_t share);

// ---- text --------------------------------------------------------------------------
// The ANSI code page of the machine (Windows-1252) and UTF-16.
std::u16string AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::u16string& text);

// The fault check of every system call: true when the call must fail, with
// the fault's code or fallback when the fault gives none.
bool SysFaulted(const char* op, const std::string& arg, long fallback, long* code);

inline SystemState& Sys() { return M().system; }
inline ProcessState& Proc() { return *M().system.process; }

}  // namespace sim
