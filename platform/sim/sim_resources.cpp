// The program's module: its file name and the resources read from its .res.
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/sim/byte_reader.h"
#include "platform/sim/gui_internal.h"

namespace sim {

bool ResourceModule::LoadFile(const std::string& path, std::string* error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    if (error) *error = "cannot open " + path;
    return false;
  }
  const std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return LoadBytes(image, error);
}

bool ResourceModule::LoadBytes(const std::vector<uint8_t>& image, std::string* error) {
  std::vector<Resource> parsed;
  if (!ParseResFile(image.data(), image.size(), &parsed, error)) return false;
  items_.clear();
  for (Resource& r : parsed) items_.push_back(std::make_unique<Resource>(std::move(r)));
  return true;
}

const Resource* ResourceModule::Find(const ResId& type, const ResId& name) const {
  for (const auto& r : items_)
    if (r->type == type && r->name == name) return r.get();
  return nullptr;
}

bool ResourceModule::Remove(const ResId& type, const ResId& name) {
  for (auto it = items_.begin(); it != items_.end(); ++it) {
    if ((*it)->type == type && (*it)->name == name) {
      items_.erase(it);
      return true;
    }
  }
  return false;
}

void ResourceModule::Put(const ResId& type, const ResId& name, std::vector<uint8_t> bytes) {
  // A fresh object, so that handles to the old bytes go stale instead of
  // pointing at the new ones.
  auto res = std::make_unique<Resource>();
  res->type = type;
  res->name = name;
  res->bytes = std::move(bytes);
  for (auto& r : items_) {
    if (r->type == type && r->name == name) {
      r = std::move(res);
      return;
    }
  }
  items_.push_back(std::move(res));
}

const Resource* ResourceModule::FromHandle(const void* handle) const {
  for (const auto& r : items_)
    if (r.get() == handle) return r.get();
  return nullptr;
}

const Resource* ResourceModule::FromData(const void* data) const {
  for (const auto& r : items_)
    if (DataOf(*r) == data) return r.get();
  return nullptr;
}

const void* ResourceModule::DataOf(const Resource& res) const {
  // An empty resource still has an address, distinct from every other one.
  return res.bytes.empty() ? static_cast<const void*>(&res.type) : res.bytes.data();
}

namespace {

bool IsProgramModule(os::HMODULE module) { return module == nullptr || module == ProgramModule(); }

std::string ArgText(const char* arg) { return ResId::FromArg(arg).ToString(); }

// An icon group whose every image is there.
bool WholeIconGroup(const Resource& group) {
  ByteReader in(group.bytes.data(), group.bytes.size());
  uint16_t reserved = 1, type = 0, count = 0;
  if (!in.U16(&reserved) || !in.U16(&type) || !in.U16(&count) || reserved != 0 || type != 1 || count == 0) return false;
  for (uint16_t i = 0; i < count; ++i) {
    uint16_t id = 0;
    if (!in.Skip(12) || !in.U16(&id) || !Gui().resources.Find(RT_ICON, id)) return false;
  }
  return true;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SameModuleName(const std::string& asked, const std::string& file) {
  std::string a = BaseName(asked), f = BaseName(file);
  if (a.find('.') == std::string::npos) a += ".dll";
  if (a.size() != f.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(f[i]))) return false;
  return true;
}

}  // namespace
}  // namespace sim

namespace os {

HMODULE GetModuleHandleA(const char* name) {
  if (sim::Faulted("GetModuleHandleA", name ? name : "", ERROR_MOD_NOT_FOUND)) return nullptr;
  if (!name || sim::SameModuleName(name, sim::Gui().moduleFileName)) return sim::ProgramModule();
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD GetModuleFileNameA(HMODULE module, char* buffer, DWORD size) {
  if (sim::Faulted("GetModuleFileNameA", "", ERROR_MOD_NOT_FOUND)) return 0;
  if (!sim::IsProgramModule(module)) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  const std::string& path = sim::Gui().moduleFileName;
  if (size == 0) {
    SetLastError(sim::ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // A buffer too small gets the path cut short, still terminated.
  const DWORD length = static_cast<DWORD>(path.size());
  const DWORD copied = length < size ? length : size - 1;
  std::memcpy(buffer, path.data(), copied);
  buffer[copied] = 0;
  if (copied < length) {
    SetLastError(sim::ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return length;
}

HRSRC FindResourceA(HMODULE module, const char* name, const char* type) {
  if (sim::Faulted("FindResourceA", sim::ArgText(name), sim::ERROR_RESOURCE_NAME_NOT_FOUND)) return nullptr;
  if (!sim::IsProgramModule(module)) {
    SetLastError(sim::ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const sim::ResId typeId = sim::ResId::FromArg(type);
  const sim::Resource* res = sim::Gui().resources.Find(typeId, sim::ResId::FromArg(name));
  if (res) return reinterpret_cast<HRSRC>(const_cast<sim::Resource*>(res));
  bool typeKnown = false;
  for (const auto& r : sim::Gui().resources.All()) typeKnown = typeKnown || r->type == typeId;
  SetLastError(typeKnown ? sim::ERROR_RESOURCE_NAME_NOT_FOUND : sim::ERROR_RESOURCE_TYPE_NOT_FOUND);
  return nullptr;
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
  const sim::Resource* res = sim::Gui().resources.FromHandle(resource);
  if (!sim::IsProgramModule(module) || !res) {
    SetLastError(ERROR_INVALID_HANDLE);
    return nullptr;
  }
  if (sim::Faulted("LoadResource", res->name.ToString(), ERROR_NOT_ENOUGH_MEMORY)) return nullptr;
  return const_cast<void*>(sim::Gui().resources.DataOf(*res));
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
  const sim::Resource* res = sim::Gui().resources.FromHandle(resource);
  if (!sim::IsProgramModule(module) || !res) {
    SetLastError(ERROR_INVALID_HANDLE);
    return 0;
  }
  if (sim::Faulted("SizeofResource", res->name.ToString(), ERROR_INVALID_HANDLE)) return 0;
  return static_cast<DWORD>(res->bytes.size());
}

void* LockResource(HGLOBAL data) {
  const sim::Resource* res = sim::Gui().resources.FromData(data);
  if (!res) return nullptr;
  if (sim::Faulted("LockResource", res->name.ToString(), ERROR_INVALID_HANDLE)) return nullptr;
  return data;
}

HICON LoadIconA(HINSTANCE instance, const char* name) {
  const sim::ResId id = sim::ResId::FromArg(name);
  if (sim::Faulted("LoadIconA", id.ToString(), sim::ERROR_RESOURCE_NAME_NOT_FOUND)) return nullptr;
  int group = 0;
  if (instance == nullptr && id.isNumber && id.number >= 32512 && id.number <= 32518) {
    group = id.number;  // one of the system's own icons
  } else {
    const sim::Resource* res =
        instance == sim::ProgramModule() ? sim::Gui().resources.Find(sim::RT_GROUP_ICON, id) : nullptr;
    if (!res || !id.isNumber || !sim::WholeIconGroup(*res)) {
      SetLastError(sim::ERROR_RESOURCE_NAME_NOT_FOUND);
      return nullptr;
    }
    group = id.number;
  }
  // Icons from resources are shared: the same one comes back every time.
  for (const auto& icon : sim::Gui().process.icons)
    if (icon.second == group) return icon.first;
  HICON icon = static_cast<HICON>(sim::NewHandleValue());
  sim::Gui().process.icons[icon] = group;
  return icon;
}

}  // namespace os
