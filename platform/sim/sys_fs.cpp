// The simulated file system: drives, folders and files, Win32 path
// resolution against the process's current folders, and the set-up and
// inspection calls that tests use.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "platform/sim/process.h"
#include "platform/sim/sys_process.h"

namespace sim {

bool CiLess::operator()(const std::string& a, const std::string& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) < std::toupper(static_cast<unsigned char>(y));
  });
}

bool CiEqual(const std::string& a, const std::string& b) {
  return a.size() == b.size() && !CiLess()(a, b) && !CiLess()(b, a);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string WinPath::Text() const {
  std::string text = std::string(1, drive) + ":\\";
  for (size_t i = 0; i < parts.size(); ++i) text += (i ? "\\" : "") + parts[i];
  return text;
}

namespace {

std::vector<std::string> Split(const std::string& text) {
  std::vector<std::string> pieces(1);
  for (char c : text) {
    if (c == '\\') pieces.emplace_back();
    else pieces.back() += c;
  }
  return pieces;
}

// Windows drops the trailing dots and blanks of the last part, and one
// trailing dot of every other part.
std::string TrimPart(std::string part, bool last) {
  if (last) {
    while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
  } else if (part.size() >= 2 && part.back() == '.' && part[part.size() - 2] != '.') {
    part.pop_back();
  }
  return part;
}

void AddParts(const std::vector<std::string>& pieces, std::vector<std::string>* parts) {
  for (size_t i = 0; i < pieces.size(); ++i) {
    const std::string& piece = pieces[i];
    if (piece.empty() || piece == ".") continue;
    if (piece == "..") {
      if (!parts->empty()) parts->pop_back();
      continue;
    }
    const std::string part = TrimPart(piece, i + 1 == pieces.size());
    if (!part.empty()) parts->push_back(part);
  }
}

std::vector<std::string> DriveFolder(const ProcessState& proc, char drive) {
  const auto it = proc.folders.find(drive);
  return it == proc.folders.end() ? std::vector<std::string>() : it->second;
}

}  // namespace

uint32_t ResolvePath(const SystemState& s, const char* text, WinPath* out) {
  if (!text || !*text) return os::ERROR_PATH_NOT_FOUND;
  std::string p(text);
  std::replace(p.begin(), p.end(), '/', '\\');
  if (p.size() >= 2 && p[0] == '\\' && p[1] == '\\') return kErrorBadNetPath;
  const ProcessState& proc = *s.process;
  WinPath path;
  std::string rest = p;
  if (p.size() >= 2 && p[1] == ':') {
    if (!std::isalpha(static_cast<unsigned char>(p[0]))) return kErrorInvalidName;
    path.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(p[0])));
    rest = p.substr(2);
    if (rest.empty() || rest[0] != '\\') path.parts = DriveFolder(proc, path.drive);
  } else {
    path.drive = proc.drive;
    if (p[0] != '\\') path.parts = DriveFolder(proc, path.drive);
  }
  AddParts(Split(rest), &path.parts);
  path.trailingSeparator = !rest.empty() && rest.back() == '\\';
  if (path.Text().size() >= 260) return kErrorFilenameTooLong;
  *out = path;
  return 0;
}

NodePtr DriveRoot(const SystemState& s, char drive, uint32_t* error) {
  const auto it = s.drives.find(drive);
  if (it == s.drives.end() || !it->second.root) {
    *error = os::ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  if (!it->second.usable) {
    *error = kErrorNotReady;
    return nullptr;
  }
  return it->second.root;
}

namespace {

NodePtr Walk(const SystemState& s, const WinPath& path, size_t count, uint32_t* error) {
  NodePtr node = DriveRoot(s, path.drive, error);
  for (size_t i = 0; node && i < count; ++i) {
    const auto it = node->children.find(path.parts[i]);
    if (it == node->children.end() || (i + 1 < count && !it->second->folder)) {
      *error = i + 1 == path.parts.size() ? os::ERROR_FILE_NOT_FOUND : os::ERROR_PATH_NOT_FOUND;
      return nullptr;
    }
    node = it->second;
  }
  return node;
}

}  // namespace

NodePtr LookupNode(const SystemState& s, const WinPath& path, uint32_t* error) {
  return Walk(s, path, path.parts.size(), error);
}

NodePtr LookupParent(const SystemState& s, const WinPath& path, uint32_t* error) {
  if (path.parts.empty()) {
    *error = os::ERROR_ACCESS_DENIED;
    return nullptr;
  }
  NodePtr parent = Walk(s, path, path.parts.size() - 1, error);
  if (parent && !parent->folder) {
    *error = os::ERROR_PATH_NOT_FOUND;
    return nullptr;
  }
  if (!parent && *error == os::ERROR_FILE_NOT_FOUND) *error = os::ERROR_PATH_NOT_FOUND;
  return parent;
}

bool ValidName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name) {
    if (c < 32 || std::strchr("<>:\"/\\|?*", c)) return false;
  }
  return true;
}

namespace {

bool Reads(uint32_t access) { return access & (kAccessRead | 0x10000000u | 0x1u); }
bool Writes(uint32_t access) { return access & (kAccessWrite | 0x10000000u | 0x2u | 0x4u); }
bool Deletes(uint32_t access) { return access & (kAccessDelete | 0x10000000u); }

bool Compatible(uint32_t access, uint32_t share, const Node::Open& other) {
  if (Reads(access) && !(other.share & kShareRead)) return false;
  if (Writes(access) && !(other.share & kShareWrite)) return false;
  if (Deletes(access) && !(other.share & kShareDelete)) return false;
  if (Reads(other.access) && !(share & kShareRead)) return false;
  if (Writes(other.access) && !(share & kShareWrite)) return false;
  return !(Deletes(other.access) && !(share & kShareDelete));
}

}  // namespace

bool SharingAllows(const Node& node, uint32_t access, uint32_t share) {
  if (node.heldOpen && (Reads(access) || Writes(access) || Deletes(access))) return false;
  for (const auto& open : node.opens) {
    if (!Compatible(access, share, open.second)) return false;
  }
  return true;
}

int AddOpen(SystemState& s, Node& node, uint32_t access, uint32_t share) {
  const int id = s.process->nextOpenId++;
  node.opens[id] = {access, share};
  return id;
}

// ---- the machine's set-up --------------------------------------------------------

SystemState::SystemState() : process(new ProcessState), com(new ComState) {
  AddDrive('C');
  drives['C'].totalBytes = 40ull << 30;
  for (const char* folder : {"C:\\Windows\\System32", "C:\\Program Files"}) MakeFolders(folder);
  MakeFolders(programsFolder);
  MakeFolders(desktopFolder);
  hklm = std::make_shared<RegKey>();
  hklm->name = "HKEY_LOCAL_MACHINE";
  const std::string version = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  SetString(version, "ProgramFilesDir", "C:\\Program Files");
  MakeKey(version + "\\App Paths");
  MakeKey(version + "\\Uninstall");
  StartProcess();
}

SystemState::~SystemState() = default;

Drive& SystemState::AddDrive(char letter, uint64_t freeBytes) {
  letter = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  Drive& drive = drives[letter];
  drive.root = std::make_shared<Node>();
  drive.root->folder = true;
  drive.root->name = std::string(1, letter) + ":\\";
  SetFreeSpace(letter, freeBytes);
  return drive;
}

void SystemState::SetFreeSpace(char letter, uint64_t bytes) {
  Drive* drive = FindDrive(letter);
  if (!drive) return;
  drive->availableToCaller = drive->totalFree = bytes;
  drive->totalBytes = std::max(drive->totalBytes, bytes);
  drive->sectorsPerCluster = 8;
  drive->bytesPerSector = 512;
  const uint64_t cap = 0xFFFFFFFFull;
  drive->freeClusters = static_cast<uint32_t>(std::min(bytes / 4096, cap));
  drive->totalClusters = static_cast<uint32_t>(std::min(drive->totalBytes / 4096, cap));
}

Drive* SystemState::FindDrive(char letter) {
  const auto it = drives.find(static_cast<char>(std::toupper(static_cast<unsigned char>(letter))));
  return it == drives.end() ? nullptr : &it->second;
}

namespace {

NodePtr MakeChild(Node& parent, const std::string& name, bool folder, FileTime now) {
  auto node = std::make_shared<Node>();
  node->name = name;
  node->folder = folder;
  node->attributes = folder ? 0 : kAttrArchive;
  node->created = node->accessed = node->written = now;
  parent.children[name] = node;
  return node;
}

}  // namespace

bool SystemState::MakeFolders(const std::string& path) {
  WinPath p;
  uint32_t error = 0;
  if (ResolvePath(*this, path.c_str(), &p)) return false;
  NodePtr node = DriveRoot(*this, p.drive, &error);
  for (size_t i = 0; node && i < p.parts.size(); ++i) {
    const auto it = node->children.find(p.parts[i]);
    if (it == node->children.end()) node = MakeChild(*node, p.parts[i], true, Now());
    else node = it->second->folder ? it->second : nullptr;
  }
  return node != nullptr;
}

bool SystemState::PutFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  WinPath p;
  if (ResolvePath(*this, path.c_str(), &p) || p.parts.empty()) return false;
  WinPath folder = p;
  folder.parts.pop_back();
  if (!MakeFolders(folder.Text())) return false;
  uint32_t error = 0;
  NodePtr parent = LookupNode(*this, folder, &error);
  const auto it = parent->children.find(p.parts.back());
  if (it != parent->children.end() && it->second->folder) return false;
  NodePtr node = it != parent->children.end() ? it->second : MakeChild(*parent, p.parts.back(), false, Now());
  node->data = bytes;
  node->written = Now();
  return true;
}

bool SystemState::PutFile(const std::string& path, const std::string& bytes) {
  return PutFile(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

NodePtr SystemState::Find(const std::string& path) const {
  WinPath p;
  uint32_t error = 0;
  if (ResolvePath(*this, path.c_str(), &p)) return nullptr;
  return LookupNode(*this, p, &error);
}

bool SystemState::IsFile(const std::string& path) const {
  const NodePtr node = Find(path);
  return node && !node->folder;
}

bool SystemState::IsFolder(const std::string& path) const {
  const NodePtr node = Find(path);
  return node && node->folder;
}

std::string SystemState::Contents(const std::string& path) const {
  const NodePtr node = Find(path);
  return node && !node->folder ? std::string(node->data.begin(), node->data.end()) : std::string();
}

bool SystemState::SetReadOnly(const std::string& path, bool on) {
  const NodePtr node = Find(path);
  if (!node) return false;
  node->attributes = on ? node->attributes | os::FILE_ATTRIBUTE_READONLY
                        : node->attributes & ~os::FILE_ATTRIBUTE_READONLY;
  return true;
}

bool SystemState::HoldOpen(const std::string& path, bool on) {
  const NodePtr node = Find(path);
  if (!node) return false;
  node->heldOpen = on;
  return true;
}

bool SystemState::Remove(const std::string& path) {
  WinPath p;
  uint32_t error = 0;
  if (ResolvePath(*this, path.c_str(), &p) || p.parts.empty()) return false;
  const NodePtr parent = LookupParent(*this, p, &error);
  return parent && parent->children.erase(p.parts.back()) == 1;
}

std::vector<std::string> SystemState::List(const std::string& folder) const {
  std::vector<std::string> names;
  const NodePtr node = Find(folder);
  if (node && node->folder) {
    for (const auto& child : node->children) names.push_back(child.second->name);
  }
  return names;
}

std::string SystemState::CurrentFolder() const {
  WinPath p;
  p.drive = process->drive;
  const auto it = process->folders.find(p.drive);
  if (it != process->folders.end()) p.parts = it->second;
  return p.Text();
}

// ---- the process -----------------------------------------------------------------

void SystemState::StartProcess() {
  process.reset(new ProcessState);
  WinPath start;
  if (ResolvePath(*this, startFolder.c_str(), &start) == 0) {
    process->drive = start.drive;
    process->folders[start.drive] = start.parts;
  }
}

void SystemState::EndProcess() {
  ProcessState& proc = *process;
  for (auto& stream : proc.streams) stream.second->node->opens.erase(stream.second->openId);
  proc.streams.clear();
  proc.searches.clear();
  for (auto& file : *proc.files) file.second.node->opens.erase(file.second.openId);
  proc.files->clear();
  for (const auto& key : proc.keys) proc.keysLeftOpen.push_back(key.second.path);
  proc.keys.clear();
}

namespace {

[[maybe_unused]] const bool kHooked = AddProcessStartHook([](Machine& m) { m.system.StartProcess(); }) &&
                     AddProcessEndHook([](Machine& m) { m.system.EndProcess(); });

}  // namespace

bool SysFaulted(const char* op, const std::string& arg, long fallback, long* code) {
  long given = 0;
  if (!M().Failing(op, arg, &given)) return false;
  *code = given ? given : fallback;
  return true;
}

}  // namespace sim
