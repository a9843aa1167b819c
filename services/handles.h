// Owners of the system handles the services open: each closes or releases
// its handle once, when it goes out of scope, on every path out of a service.
#pragma once

#include "platform/os.h"

namespace services {

// A registry key from RegOpenKeyExA or RegCreateKeyExA.
class RegKey {
 public:
  RegKey() = default;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  ~RegKey() { Close(); }
  os::HKEY get() const { return m_hKey; }
  // For the out-argument of an open or create call; drops any key held.
  os::HKEY* out() {
    Close();
    return &m_hKey;
  }
  void Close() {
    if (m_hKey) os::RegCloseKey(m_hKey);
    m_hKey = nullptr;
  }

 private:
  os::HKEY m_hKey = nullptr;
};

// A C run-time stream; Close lets the caller close it early and see when.
class FileStream {
 public:
  explicit FileStream(os::FILE* stream) : m_pStream(stream) {}
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  ~FileStream() { Close(); }
  os::FILE* get() const { return m_pStream; }
  explicit operator bool() const { return m_pStream != nullptr; }
  void Close() {
    if (m_pStream) os::fclose(m_pStream);
    m_pStream = nullptr;
  }

 private:
  os::FILE* m_pStream;
};

// A kernel handle such as the one CreateFileA returns.
class KernelHandle {
 public:
  explicit KernelHandle(os::HANDLE handle) : m_hHandle(handle) {}
  KernelHandle(const KernelHandle&) = delete;
  KernelHandle& operator=(const KernelHandle&) = delete;
  ~KernelHandle() {
    if (valid()) os::CloseHandle(m_hHandle);
  }
  os::HANDLE get() const { return m_hHandle; }
  bool valid() const { return m_hHandle != nullptr && m_hHandle != os::INVALID_HANDLE_VALUE; }

 private:
  os::HANDLE m_hHandle;
};

// A library from LoadLibraryA.
class Library {
 public:
  explicit Library(os::HMODULE module) : m_hModule(module) {}
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library() {
    if (m_hModule) os::FreeLibrary(m_hModule);
  }
  os::HMODULE get() const { return m_hModule; }
  explicit operator bool() const { return m_hModule != nullptr; }

 private:
  os::HMODULE m_hModule;
};

// A shell item list, freed with the task allocator that made it.
class ItemList {
 public:
  ItemList() = default;
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  ~ItemList() {
    if (m_pList) os::CoTaskMemFree(m_pList);
  }
  os::LPITEMIDLIST get() const { return m_pList; }
  os::LPITEMIDLIST* out() { return &m_pList; }

 private:
  os::LPITEMIDLIST m_pList = nullptr;
};

// One COM interface pointer, released once.
template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() {
    if (m_p) m_p->Release();
  }
  T* operator->() const { return m_p; }
  T* get() const { return m_p; }
  explicit operator bool() const { return m_p != nullptr; }
  // For the void** out-argument of CoCreateInstance and QueryInterface.
  void** out() { return reinterpret_cast<void**>(&m_p); }

 private:
  T* m_p = nullptr;
};

}  // namespace services
