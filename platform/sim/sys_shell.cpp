// shell32 of the sim: special folders, item lists, the folder browser (asked
// of the scripted user) and ShellExecute (recorded, not run).
#include <cctype>
#include <cstring>

#include "platform/sim/sys_process.h"

namespace sim {
namespace {

constexpr os::HRESULT kInvalidArg = static_cast<os::HRESULT>(0x80070057u);

bool IsFileSystemPath(const std::string& path) {
  return path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
         path[2] == '\\';
}

os::ITEMIDLIST* NewItemList(const std::string& path, bool fileSystem) {
  auto list = std::make_unique<ItemList>();
  list->path = path;
  list->fileSystem = fileSystem;
  ItemList* raw = list.get();
  Sys().com->lists[raw] = std::move(list);
  return reinterpret_cast<os::ITEMIDLIST*>(raw);
}

const ItemList* FindItemList(const os::ITEMIDLIST* list) {
  const auto it = Sys().com->lists.find(list);
  return it == Sys().com->lists.end() ? nullptr : it->second.get();
}

void CopyOut(const std::string& text, char* buffer) {
  const size_t n = std::min<size_t>(text.size(), 259);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

// What the browser writes to pszDisplayName: the folder's own name.
std::string DisplayName(const std::string& path) {
  if (!IsFileSystemPath(path)) return path;
  std::string trimmed = path;
  while (trimmed.size() > 3 && trimmed.back() == '\\') trimmed.pop_back();
  if (trimmed.size() == 3) return "Local Disk (" + trimmed.substr(0, 2) + ")";
  return trimmed.substr(trimmed.find_last_of('\\') + 1);
}

bool LaunchTargetExists(const std::string& file, const char* directory) {
  const bool relative = !(file.size() >= 2 && file[1] == ':') && !(!file.empty() && file[0] == '\\');
  if (relative && directory && *directory) {
    std::string dir = directory;
    if (dir.back() != '\\') dir += '\\';
    if (Sys().IsFile(dir + file)) return true;
  }
  return Sys().IsFile(file);
}

}  // namespace

int SystemState::LiveItemLists() const { return static_cast<int>(com->lists.size()); }

}  // namespace sim

using namespace sim;

os::HRESULT os::SHGetSpecialFolderLocation(os::HWND, int folder, os::LPITEMIDLIST* list) {
  if (!list) return kInvalidArg;
  *list = nullptr;
  long code = 0;
  if (SysFaulted("SHGetSpecialFolderLocation", std::to_string(folder), os::E_FAIL, &code)) return code;
  const std::string* path = folder == os::CSIDL_PROGRAMS  ? &Sys().programsFolder
                            : folder == os::CSIDL_DESKTOP ? &Sys().desktopFolder
                                                          : nullptr;
  if (!path) return kInvalidArg;
  if (path->empty()) return os::E_FAIL;
  *list = NewItemList(*path, true);
  return os::S_OK;
}

os::BOOL os::SHGetPathFromIDListA(const os::ITEMIDLIST* list, char* path) {
  const ItemList* item = FindItemList(list);
  long code = 0;
  const bool failing = SysFaulted("SHGetPathFromIDListA", item ? item->path : "", 0, &code);
  if (!item || !item->fileSystem || failing || !path) {
    if (path) path[0] = '\0';
    return os::FALSE;
  }
  CopyOut(item->path, path);
  return os::TRUE;
}

void os::CoTaskMemFree(void* memory) {
  if (memory) Sys().com->lists.erase(memory);
}

os::LPITEMIDLIST os::SHBrowseForFolderA(os::BROWSEINFOA* info) {
  if (!info) return nullptr;
  const std::string title = info->lpszTitle ? info->lpszTitle : "";
  long code = 0;
  if (SysFaulted("SHBrowseForFolderA", title, 0, &code)) return nullptr;
  if (!M().user) FailTest("the folder browser opened with no user at the machine");
  std::string chosen;
  const bool picked = M().user->Browse(title, &chosen);
  Event event{};
  event.kind = Event::Browse;
  event.text = title;
  event.detail = picked ? chosen : "";
  event.result = picked ? 1 : 0;
  M().transcript.push_back(event);
  if (!picked) return nullptr;
  if (info->pszDisplayName) CopyOut(DisplayName(chosen), info->pszDisplayName);
  return NewItemList(chosen, IsFileSystemPath(chosen));
}

os::HINSTANCE os::ShellExecuteA(os::HWND, const char* verb, const char* file, const char*, const char* directory,
                                int) {
  const std::string target = file ? file : "";
  long code = 0;
  long result = LaunchTargetExists(target, directory) ? 42 : 2;  // 2: SE_ERR_FNF
  if (SysFaulted("ShellExecuteA", target, 2, &code)) result = code;
  Event event{};
  event.kind = Event::Launch;
  event.text = target;
  event.detail = std::string(verb ? verb : "") + "|" + (directory ? directory : "");
  event.result = result;
  M().transcript.push_back(event);
  return reinterpret_cast<os::HINSTANCE>(static_cast<intptr_t>(result));
}
