// shell32 and ole32: special folders, the folder browser, launching, and the
// shell link object behind our own IShellLinkA / IPersistFile shapes.
#include "platform/os.h"
// after os.h: the Windows macros would rewrite its names
#include <windows.h>
#include <shlobj.h>

#include <new>

#include "platform/win32/convert.h"

using win32::As;
using win32::FromWin;
using win32::ToWin;

static_assert(sizeof(os::BROWSEINFOA) == sizeof(::BROWSEINFOA), "BROWSEINFOA differs from the Windows layout");
static_assert(offsetof(os::BROWSEINFOA, lpfn) == offsetof(::BROWSEINFOA, lpfn), "BROWSEINFOA");
static_assert(offsetof(os::BROWSEINFOA, iImage) == offsetof(::BROWSEINFOA, iImage), "BROWSEINFOA");

namespace {

const ::IID& ToWin(const os::IID& iid) { return *As<::IID>(&iid); }

os::HRESULT Wrap(const os::IID& iid, ::IUnknown* real, void** out);

// One object of ours per interface pointer of the real object. Our count and
// the real one move together; the last Release of ours lets go of both.
template <class Ours, class Theirs>
class Forwarder : public Ours {
 public:
  explicit Forwarder(Theirs* real) : m_pReal(real) {}
  Forwarder(const Forwarder&) = delete;
  Forwarder& operator=(const Forwarder&) = delete;

  os::HRESULT QueryInterface(const os::IID& iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    ::IUnknown* other = nullptr;
    const HRESULT hr = m_pReal->QueryInterface(ToWin(iid), reinterpret_cast<void**>(&other));
    if (FAILED(hr)) return hr;
    return Wrap(iid, other, out);
  }
  os::ULONG AddRef() override {
    m_pReal->AddRef();
    return ++m_nRefs;
  }
  os::ULONG Release() override {
    m_pReal->Release();
    const os::ULONG left = --m_nRefs;
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~Forwarder() = default;
  Theirs* m_pReal;

 private:
  os::ULONG m_nRefs = 1;
};

class ShellLink final : public Forwarder<os::IShellLinkA, ::IShellLinkA> {
 public:
  using Forwarder::Forwarder;
  os::HRESULT SetDescription(const char* text) override { return m_pReal->SetDescription(text); }
  os::HRESULT SetIconLocation(const char* path, int index) override {
    return m_pReal->SetIconLocation(path, index);
  }
  os::HRESULT SetPath(const char* path) override { return m_pReal->SetPath(path); }
  os::HRESULT SetWorkingDirectory(const char* dir) override { return m_pReal->SetWorkingDirectory(dir); }
  os::HRESULT SetShowCmd(int showCmd) override { return m_pReal->SetShowCmd(showCmd); }
};

class PersistFile final : public Forwarder<os::IPersistFile, ::IPersistFile> {
 public:
  using Forwarder::Forwarder;
  os::HRESULT Save(const os::WCHAR* fileName, os::BOOL remember) override {
    return m_pReal->Save(As<wchar_t>(fileName), remember);
  }
};

// Takes over `real`, a reference to the interface `iid` of some object, and
// hands out our object for it. Only the interfaces the program uses exist.
os::HRESULT Wrap(const os::IID& iid, ::IUnknown* real, void** out) {
  os::IUnknown* ours = nullptr;
  if (os::IsEqualGUID(iid, os::IID_IShellLinkA)) {
    ours = new (std::nothrow) ShellLink(static_cast<::IShellLinkA*>(static_cast<void*>(real)));
  } else if (os::IsEqualGUID(iid, os::IID_IPersistFile)) {
    ours = new (std::nothrow) PersistFile(static_cast<::IPersistFile*>(static_cast<void*>(real)));
  } else {
    real->Release();
    return E_NOINTERFACE;
  }
  if (!ours) {
    real->Release();
    return E_OUTOFMEMORY;
  }
  *out = ours;
  return S_OK;
}

}  // namespace

namespace os {

HRESULT SHGetSpecialFolderLocation(HWND owner, int folder, LPITEMIDLIST* list) {
  return ::SHGetSpecialFolderLocation(ToWin(owner), folder, As<::LPITEMIDLIST>(list));
}
BOOL SHGetPathFromIDListA(const ITEMIDLIST* list, char* path) {
  return ::SHGetPathFromIDListA(As<::ITEMIDLIST>(list), path);
}
LPITEMIDLIST SHBrowseForFolderA(BROWSEINFOA* info) {
  return reinterpret_cast<LPITEMIDLIST>(::SHBrowseForFolderA(As<::BROWSEINFOA>(info)));
}
void CoTaskMemFree(void* memory) { ::CoTaskMemFree(memory); }
HINSTANCE ShellExecuteA(HWND owner, const char* verb, const char* file, const char* parameters,
                        const char* directory, int showCommand) {
  return FromWin(::ShellExecuteA(ToWin(owner), verb, file, parameters, directory, showCommand));
}
HRESULT CoInitialize(void* reserved) { return ::CoInitialize(reserved); }

HRESULT CoCreateInstance(const CLSID& clsid, IUnknown* outer, DWORD context, const IID& iid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  // Our objects are not COM objects: none can be the controlling outer one.
  if (outer) return CLASS_E_NOAGGREGATION;
  ::IUnknown* real = nullptr;
  const ::HRESULT hr = ::CoCreateInstance(ToWin(clsid), nullptr, context, ToWin(iid), reinterpret_cast<void**>(&real));
  if (FAILED(hr)) return hr;
  return Wrap(iid, real, object);
}

}  // namespace os
