// The process's last error, its kernel handles and named mutexes.
#include "platform/sim/gui_internal.h"

namespace sim {

void SetLastErrorCode(os::DWORD code) { Gui().process.lastError = code; }

bool Faulted(const char* op, const std::string& arg, os::DWORD fallback, long* code) {
  long c = 0;
  if (!M().Failing(op, arg, &c)) return false;
  SetLastErrorCode(c ? static_cast<os::DWORD>(c) : fallback);
  if (code) *code = c;
  return true;
}

os::HANDLE NewKernelHandle(const char* kind, std::function<void()> onClose) {
  os::HANDLE h = NewHandleValue();
  Gui().process.handles.push_back({h, kind, std::move(onClose)});
  return h;
}

const char* KernelHandleKind(os::HANDLE handle) {
  for (const auto& h : Gui().process.handles)
    if (h.handle == handle) return h.kind;
  return nullptr;
}

bool CloseKernelHandle(os::HANDLE handle) {
  auto& handles = Gui().process.handles;
  for (auto it = handles.begin(); it != handles.end(); ++it) {
    if (it->handle != handle) continue;
    std::function<void()> onClose = std::move(it->onClose);
    handles.erase(it);
    if (onClose) onClose();
    return true;
  }
  return false;
}

namespace {

constexpr const char* kMutex = "mutex";

// The mutex behind a handle of the process.
NamedMutex* MutexOf(os::HANDLE handle) {
  const auto& names = Gui().process.mutexNames;
  auto it = names.find(handle);
  return it == names.end() || !KernelHandleKind(handle) ? nullptr : &Gui().mutexes[it->second];
}

void CloseMutexHandle(const std::string& name) {
  NamedMutex& mx = Gui().mutexes[name];
  if (--mx.handles > 0) return;
  // The last handle takes ownership with it.
  if (mx.ownCount > 0) ++mx.closedWhileOwned;
  mx.ownCount = 0;
}

std::string UnnamedMutexKey() {
  static int count = 0;
  return "\x01unnamed mutex " + std::to_string(++count);
}

}  // namespace
}  // namespace sim

namespace os {

DWORD GetLastError() { return sim::Gui().process.lastError; }
void SetLastError(DWORD code) { sim::SetLastErrorCode(code); }

HANDLE CreateMutexA(void*, BOOL initialOwner, const char* name) {
  if (sim::Faulted("CreateMutexA", name ? name : "", ERROR_ACCESS_DENIED)) return nullptr;
  const std::string key = name ? name : sim::UnnamedMutexKey();
  sim::NamedMutex& mx = sim::Gui().mutexes[key];
  const bool existed = name && mx.Exists();
  ++mx.handles;
  ++mx.opened;
  // Opening an existing mutex never takes it over.
  if (!existed && initialOwner) ++mx.ownCount;
  HANDLE h = sim::NewKernelHandle(sim::kMutex, [key] { sim::CloseMutexHandle(key); });
  sim::Gui().process.mutexNames[h] = key;
  SetLastError(existed ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
  return h;
}

BOOL ReleaseMutex(HANDLE mutex) {
  sim::NamedMutex* mx = sim::MutexOf(mutex);
  if (!mx) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (sim::Faulted("ReleaseMutex", "", ERROR_ACCESS_DENIED)) return FALSE;
  if (mx->ownCount == 0) {
    SetLastError(sim::ERROR_NOT_OWNER);
    return FALSE;
  }
  --mx->ownCount;
  ++mx->releases;
  return TRUE;
}

BOOL CloseHandle(HANDLE handle) {
  const char* kind = sim::KernelHandleKind(handle);
  if (!kind) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (sim::Faulted("CloseHandle", kind, ERROR_INVALID_HANDLE)) return FALSE;
  sim::CloseKernelHandle(handle);
  return TRUE;
}

}  // namespace os
