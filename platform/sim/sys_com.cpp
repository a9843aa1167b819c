// ole32 of the sim and its one class, the shell link object: it takes the
// link's properties through IShellLinkA and, through IPersistFile, saves a
// real .lnk file into the simulated file system.
#include <cstring>

#include "platform/sim/lnk.h"
#include "platform/sim/sys_process.h"

namespace os {
const CLSID CLSID_ShellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IShellLinkA = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
const IID IID_IPersistFile = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
bool IsEqualGUID(const GUID& a, const GUID& b) {
  return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
         std::memcmp(a.Data4, b.Data4, sizeof a.Data4) == 0;
}
}  // namespace os

namespace sim {
namespace {

const os::IID kIidUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
constexpr os::HRESULT kPointer = static_cast<os::HRESULT>(0x80004003u),
                      kInvalidArg = static_cast<os::HRESULT>(0x80070057u),
                      kNotInitialized = static_cast<os::HRESULT>(0x800401F0u),
                      kNoAggregation = static_cast<os::HRESULT>(0x80040110u),
                      kPathNotFound = static_cast<os::HRESULT>(0x80030003u),
                      kShareViolation = static_cast<os::HRESULT>(0x80030020u);
constexpr os::HRESULT kSFalse = 1;

LinkTarget TargetInfo(const std::string& path) {
  LinkTarget target;
  const NodePtr node = path.empty() ? nullptr : Sys().Find(path);
  if (node) {
    target.exists = true;
    target.attributes = node->attributes | (node->folder ? os::FILE_ATTRIBUTE_DIRECTORY : 0);
    target.created = node->created;
    target.accessed = node->accessed;
    target.written = node->written;
    target.size = static_cast<uint32_t>(node->data.size());
  }
  return target;
}

// Writes the link file as the shell does: created or emptied and rewritten.
os::HRESULT SaveLinkFile(const std::string& name, const LinkProperties& link) {
  WinPath path;
  uint32_t error = ResolvePath(Sys(), name.c_str(), &path);
  NodePtr parent = error || path.parts.empty() ? nullptr : LookupParent(Sys(), path, &error);
  if (!parent || !ValidName(path.parts.back())) return kPathNotFound;
  NodePtr node;
  const auto it = parent->children.find(path.parts.back());
  if (it != parent->children.end()) {
    node = it->second;
    if (node->folder || (node->attributes & os::FILE_ATTRIBUTE_READONLY)) return os::STG_E_ACCESSDENIED;
    if (!SharingAllows(*node, kAccessWrite, kShareRead)) return kShareViolation;
  } else {
    node = std::make_shared<Node>();
    node->name = path.parts.back();
    node->attributes = kAttrArchive;
    node->created = Sys().Now();
    parent->children[node->name] = node;
  }
  WinPath folder = path;
  folder.parts.pop_back();
  node->data = WriteLinkFile(link, TargetInfo(link.target), folder.Text());
  node->written = node->accessed = Sys().Now();
  return os::S_OK;
}

class ShellLink final : public ComObject, public os::IShellLinkA, public os::IPersistFile {
 public:
  explicit ShellLink(ComState* owner) : owner_(owner) {}

  os::HRESULT QueryInterface(const os::IID& iid, void** out) override {
    if (!out) return kPointer;
    *out = nullptr;
    if (os::IsEqualGUID(iid, kIidUnknown) || os::IsEqualGUID(iid, os::IID_IShellLinkA)) {
      *out = static_cast<os::IShellLinkA*>(this);
    } else if (os::IsEqualGUID(iid, os::IID_IPersistFile)) {
      long code = 0;
      if (SysFaulted("IShellLinkA::QueryInterface", "IPersistFile", os::E_NOINTERFACE, &code)) return code;
      *out = static_cast<os::IPersistFile*>(this);
    } else {
      return os::E_NOINTERFACE;
    }
    ++refs_;
    return os::S_OK;
  }
  os::ULONG AddRef() override { return ++refs_; }
  os::ULONG Release() override {
    const os::ULONG left = --refs_;
    if (left == 0) owner_->objects.erase(this);  // deletes this
    return left;
  }

  os::HRESULT SetDescription(const char* text) override { return Store(text, &link_.description); }
  os::HRESULT SetIconLocation(const char* path, int index) override {
    link_.iconIndex = index;
    return Store(path, &link_.iconLocation);
  }
  os::HRESULT SetPath(const char* path) override { return Store(path, &link_.target); }
  os::HRESULT SetWorkingDirectory(const char* dir) override { return Store(dir, &link_.workingDir); }
  os::HRESULT SetShowCmd(int showCmd) override {
    link_.showCmd = showCmd;
    return os::S_OK;
  }

  os::HRESULT Save(const os::WCHAR* fileName, os::BOOL) override {
    if (!fileName) return kInvalidArg;
    std::u16string wide;
    for (const os::WCHAR* p = fileName; *p; ++p) wide += *p;
    const std::string name = WideToAnsi(wide);
    long code = 0;
    if (SysFaulted("IPersistFile::Save", name, os::STG_E_ACCESSDENIED, &code)) return code;
    return SaveLinkFile(name, link_);
  }

 private:
  static os::HRESULT Store(const char* text, std::string* field) {
    if (!text) return kInvalidArg;
    *field = text;
    return os::S_OK;
  }

  ComState* owner_;
  os::ULONG refs_ = 1;
  LinkProperties link_;
};

}  // namespace

int SystemState::LiveComObjects() const { return static_cast<int>(com->objects.size()); }

}  // namespace sim

using namespace sim;

os::HRESULT os::CoInitialize(void*) {
  long code = 0;
  if (SysFaulted("CoInitialize", "", os::E_FAIL, &code)) return code;
  if (Proc().comInitialized) return kSFalse;
  const os::HRESULT result = Sys().coInitializeResult;
  if (result == os::S_OK || result == kSFalse) Proc().comInitialized = true;
  return result;
}

os::HRESULT os::CoCreateInstance(const os::CLSID& clsid, os::IUnknown* outer, os::DWORD context, const os::IID& iid,
                                 void** object) {
  if (!object) return kPointer;
  *object = nullptr;
  if (!Proc().comInitialized) return kNotInitialized;
  long code = 0;
  if (SysFaulted("CoCreateInstance", "", os::REGDB_E_CLASSNOTREG, &code)) return code;
  if (!os::IsEqualGUID(clsid, os::CLSID_ShellLink) || !(context & os::CLSCTX_INPROC_SERVER)) {
    return os::REGDB_E_CLASSNOTREG;
  }
  if (outer) return kNoAggregation;
  ComState* owner = Sys().com.get();
  auto link = std::make_unique<ShellLink>(owner);
  ShellLink* raw = link.get();
  owner->objects[raw] = std::move(link);
  const os::HRESULT result = raw->QueryInterface(iid, object);
  raw->Release();
  return result;
}
