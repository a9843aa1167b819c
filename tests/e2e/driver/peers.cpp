#include "peers.h"

#include <windows.h>

#include "win.h"

namespace e2e {

struct Peers::Window {
  std::string title;
  Handle thread;
  DWORD threadId = 0;
  Handle ready;
  HWND hwnd = nullptr;
  CRITICAL_SECTION lock;
  std::vector<unsigned> received;
  Window() { InitializeCriticalSection(&lock); }
  ~Window() { DeleteCriticalSection(&lock); }
};

namespace {

const char kClass[] = "E2EPeerWindow";

LRESULT CALLBACK PeerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* w = reinterpret_cast<Peers::Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (w && msg >= WM_USER) {
    EnterCriticalSection(&w->lock);
    w->received.push_back(msg);
    LeaveCriticalSection(&w->lock);
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

DWORD WINAPI PeerThread(void* param) {
  auto* w = static_cast<Peers::Window*>(param);
  w->hwnd = CreateWindowA(kClass, w->title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 300, 120, nullptr, nullptr,
                          GetModuleHandleA(nullptr), nullptr);
  if (w->hwnd) SetWindowLongPtrA(w->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
  SetEvent(w->ready.get());
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
  if (w->hwnd) DestroyWindow(w->hwnd);
  return 0;
}

}  // namespace

Peers::Peers() {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PeerProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kClass;
  RegisterClassA(&wc);
}

Peers::~Peers() {
  for (auto& w : windows_) {
    PostThreadMessageA(w->threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(w->thread.get(), 5000);
  }
  for (void* m : mutexes_) {
    ReleaseMutex(m);
    CloseHandle(m);
  }
}

bool Peers::AddWindow(const std::string& title, std::string* error) {
  auto w = std::make_unique<Window>();
  w->title = title;
  w->ready = Handle(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  w->thread = Handle(CreateThread(nullptr, 0, PeerThread, w.get(), 0, &w->threadId));
  if (!w->thread) {
    *error = "cannot start a window thread: " + ErrorText(GetLastError());
    return false;
  }
  WaitForSingleObject(w->ready.get(), 10000);
  if (!w->hwnd) {
    *error = "cannot create the window \"" + title + "\"";
    windows_.push_back(std::move(w));
    return false;
  }
  windows_.push_back(std::move(w));
  return true;
}

bool Peers::AddMutex(const std::string& name, std::string* error) {
  HANDLE m = CreateMutexA(nullptr, TRUE, name.c_str());
  if (!m) {
    *error = "cannot create the mutex " + name + ": " + ErrorText(GetLastError());
    return false;
  }
  mutexes_.push_back(m);
  return true;
}

bool Peers::Received(const std::string& title, std::vector<unsigned>* messages) const {
  for (const auto& w : windows_) {
    if (w->title != title) continue;
    EnterCriticalSection(&w->lock);
    *messages = w->received;
    LeaveCriticalSection(&w->lock);
    return true;
  }
  return false;
}

}  // namespace e2e
