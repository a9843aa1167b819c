#include "links.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "win.h"

namespace e2e {
namespace {

bool ComError(const std::string& what, HRESULT hr, std::string* error) {
  *error = what + ": " + ErrorText(static_cast<DWORD>(hr));
  return false;
}

}  // namespace

bool SaveLink(const std::string& path, const scenario::LinkProps& props, std::string* error) {
  ComRef<IShellLinkA> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out());
  if (FAILED(hr)) return ComError("cannot create a shell link object", hr, error);
  if (props.target) link->SetPath(props.target->c_str());
  if (props.dir) link->SetWorkingDirectory(props.dir->c_str());
  if (props.desc) link->SetDescription(props.desc->c_str());
  if (props.args) link->SetArguments(props.args->c_str());
  if (props.icon || props.iconIndex)
    link->SetIconLocation(props.icon.value_or("").c_str(), props.iconIndex.value_or(0));
  if (props.show) link->SetShowCmd(*props.show);
  ComRef<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, file.out());
  if (FAILED(hr)) return ComError("the link object has no IPersistFile", hr, error);
  hr = file->Save(Wide(path).c_str(), TRUE);
  return SUCCEEDED(hr) || ComError("cannot save link " + path, hr, error);
}

bool LoadLink(const std::string& path, LinkInfo* out, std::string* error) {
  ComRef<IShellLinkA> link;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, link.out());
  if (FAILED(hr)) return ComError("cannot create a shell link object", hr, error);
  ComRef<IPersistFile> file;
  hr = link->QueryInterface(IID_IPersistFile, file.out());
  if (FAILED(hr)) return ComError("the link object has no IPersistFile", hr, error);
  hr = file->Load(Wide(path).c_str(), STGM_READ);
  if (FAILED(hr)) return ComError("cannot load link " + path, hr, error);
  char buf[MAX_PATH * 2];
  buf[0] = '\0';
  link->GetPath(buf, sizeof buf, nullptr, SLGP_RAWPATH);
  out->target = buf;
  buf[0] = '\0';
  link->GetWorkingDirectory(buf, sizeof buf);
  out->dir = buf;
  buf[0] = '\0';
  link->GetDescription(buf, sizeof buf);
  out->desc = buf;
  buf[0] = '\0';
  link->GetArguments(buf, sizeof buf);
  out->args = buf;
  buf[0] = '\0';
  link->GetIconLocation(buf, sizeof buf, &out->iconIndex);
  out->icon = buf;
  link->GetShowCmd(&out->show);
  return true;
}

}  // namespace e2e
