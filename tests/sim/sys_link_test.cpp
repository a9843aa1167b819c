// COM and the shell link object: real .lnk files, read back by our reader
// and by lnkinfo (liblnk-utils), and each of the three failure points.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <unistd.h>
#include <map>
#include <string>
#include <vector>

#include "platform/os.h"
#include "platform/sim/lnk.h"
#include "platform/sim/machine.h"

namespace {

const char* const kGroup = "C:\\Documents and Settings\\User\\Start Menu\\Programs\\Testanza";

struct LinkTest : ::testing::Test {
  sim::Machine m;
  LinkTest() {
    sim::Use(&m);
    m.system.MakeFolders(kGroup);
    m.system.PutFile("C:\\Program Files\\Testanza\\Testanza.hlp", std::string(1234, 'h'));
  }
  ~LinkTest() override { sim::Use(nullptr); }

  // The installer's sequence of calls; the result of the first that failed.
  os::HRESULT MakeLink(const std::string& path, const sim::LinkProperties& p) {
    os::IShellLinkA* link = nullptr;
    os::HRESULT hr = os::CoCreateInstance(os::CLSID_ShellLink, nullptr, os::CLSCTX_INPROC_SERVER, os::IID_IShellLinkA,
                                          reinterpret_cast<void**>(&link));
    if (hr) return hr;
    link->SetDescription(p.description.c_str());
    link->SetIconLocation(p.iconLocation.c_str(), p.iconIndex);
    link->SetPath(p.target.c_str());
    link->SetWorkingDirectory(p.workingDir.c_str());
    link->SetShowCmd(p.showCmd);
    os::IPersistFile* file = nullptr;
    hr = link->QueryInterface(os::IID_IPersistFile, reinterpret_cast<void**>(&file));
    if (!hr) {
      os::WCHAR wide[260];
      os::MultiByteToWideChar(os::CP_ACP, 0, path.c_str(), -1, wide, 260);
      hr = file->Save(wide, os::TRUE);
      file->Release();
    }
    link->Release();
    return hr;
  }

  static sim::LinkProperties Help() {
    sim::LinkProperties p;
    p.description = "Testanza Help";
    p.target = p.iconLocation = "C:\\Program Files\\Testanza\\Testanza.hlp";
    p.workingDir = "C:\\Program Files\\Testanza";
    p.iconIndex = 0;
    p.showCmd = os::SW_SHOWNORMAL;
    return p;
  }

  sim::LinkProperties ReadBack(const std::string& path) {
    sim::LinkProperties p;
    const sim::NodePtr node = m.system.Find(path);
    EXPECT_TRUE(node && sim::ParseLinkFile(node->data, &p)) << path;
    return p;
  }
};

// lnkinfo's "Name : value" lines.
std::map<std::string, std::string> LnkInfo(const std::vector<uint8_t>& bytes) {
  char dir[] = "/tmp/sim_lnkXXXXXX";
  EXPECT_NE(nullptr, mkdtemp(dir));
  const std::string file = std::string(dir) + "/link.lnk";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  std::map<std::string, std::string> fields;
  FILE* out = popen(("lnkinfo '" + file + "' 2>&1").c_str(), "r");
  EXPECT_NE(nullptr, out);
  char line[1024];
  while (out && fgets(line, sizeof line, out)) {
    std::string text(line);
    const size_t colon = text.find(": ");
    if (colon == std::string::npos) continue;
    std::string name = text.substr(0, colon);
    name.erase(0, name.find_first_not_of('\t'));
    name.erase(name.find_last_not_of(" \t") + 1);
    std::string value = text.substr(colon + 2);
    value.erase(value.find_last_not_of("\r\n") + 1);
    fields[name] = value;
  }
  EXPECT_EQ(0, out ? pclose(out) : -1) << "lnkinfo (liblnk-utils) failed on the link";
  std::remove(file.c_str());
  rmdir(dir);
  return fields;
}

TEST_F(LinkTest, SavedLinkReadsBackWithItsFiveProperties) {
  ASSERT_EQ(os::S_OK, os::CoInitialize(nullptr));
  const std::string path = std::string(kGroup) + "\\Testanza Help.lnk";
  ASSERT_EQ(os::S_OK, MakeLink(path, Help()));
  EXPECT_EQ(0, m.system.LiveComObjects());
  const sim::LinkProperties p = ReadBack(path);
  EXPECT_EQ("Testanza Help", p.description);
  EXPECT_EQ("C:\\Program Files\\Testanza\\Testanza.hlp", p.target);
  EXPECT_EQ("C:\\Program Files\\Testanza", p.workingDir);
  EXPECT_EQ("C:\\Program Files\\Testanza\\Testanza.hlp", p.iconLocation);
  EXPECT_EQ(0, p.iconIndex);
  EXPECT_EQ(1, p.showCmd);
  EXPECT_EQ("..\\..\\..\\..\\..\\Program Files\\Testanza\\Testanza.hlp", p.relativePath);
  // The show command where the published header layout puts it (offset 0x3C).
  const std::vector<uint8_t>& bytes = m.system.Find(path)->data;
  ASSERT_GE(bytes.size(), 0x4Cu);
  EXPECT_EQ(1, bytes[0x3C] | bytes[0x3D] << 8);
  EXPECT_EQ(1234, bytes[0x34] | bytes[0x35] << 8);  // the target's size
}

TEST_F(LinkTest, LnkinfoParsesTheLinkFile) {
  ASSERT_EQ(os::S_OK, os::CoInitialize(nullptr));
  sim::LinkProperties props = Help();
  props.iconIndex = 3;
  props.showCmd = 7;
  const std::string path = std::string(kGroup) + "\\Testanza Help.lnk";
  ASSERT_EQ(os::S_OK, MakeLink(path, props));
  std::map<std::string, std::string> info = LnkInfo(m.system.Find(path)->data);
  EXPECT_EQ("Testanza Help", info["Description"]);
  EXPECT_EQ("C:\\Program Files\\Testanza\\Testanza.hlp", info["Local path"]);
  EXPECT_EQ("C:\\Program Files\\Testanza", info["Working directory"]);
  EXPECT_EQ("C:\\Program Files\\Testanza\\Testanza.hlp", info["Icon location"]);
  EXPECT_EQ("3", info["Icon index"]);
  EXPECT_EQ("1234 bytes", info["File size"]);
  // This lnkinfo (20181227) prints the header's file-size field as its "Show
  // Window value", so the show command is checked at its published offset in
  // the test above and through our reader here.
  EXPECT_EQ(7, ReadBack(path).showCmd);
}

TEST_F(LinkTest, SaveReplacesAnExistingFileAndConvertsTheName) {
  ASSERT_EQ(os::S_OK, os::CoInitialize(nullptr));
  const std::string path = std::string(kGroup) + "\\T\xE9st.lnk";  // Windows-1252 e acute
  m.system.PutFile(path, "an old link");
  sim::LinkProperties p = Help();
  p.description = "T\xE9st";
  ASSERT_EQ(os::S_OK, MakeLink(path, p));
  EXPECT_EQ("T\xE9st", ReadBack(path).description);
  EXPECT_EQ((std::vector<std::string>{"T\xE9st.lnk"}), m.system.List(kGroup));
  EXPECT_EQ("T\xC3\xA9st", LnkInfo(m.system.Find(path)->data)["Description"]);  // lnkinfo speaks UTF-8
}

TEST_F(LinkTest, EachFailurePointFailsOnItsOwn) {
  ASSERT_EQ(os::S_OK, os::CoInitialize(nullptr));
  const std::string path = std::string(kGroup) + "\\Testanza.lnk";
  const struct {
    const char* op;
    os::HRESULT expect;
  } points[] = {{"CoCreateInstance", os::REGDB_E_CLASSNOTREG},
                {"IShellLinkA::QueryInterface", os::E_NOINTERFACE},
                {"IPersistFile::Save", os::STG_E_ACCESSDENIED}};
  for (const auto& point : points) {
    m.faults.clear();
    m.Fail(point.op);
    EXPECT_EQ(point.expect, MakeLink(path, Help())) << point.op;
    EXPECT_FALSE(m.system.IsFile(path)) << point.op;
    EXPECT_EQ(0, m.system.LiveComObjects()) << point.op;
  }
  m.faults.clear();
  EXPECT_EQ(os::S_OK, MakeLink(path, Help()));
}

TEST_F(LinkTest, SaveFailsForAMissingFolderOrAReadOnlyFile) {
  ASSERT_EQ(os::S_OK, os::CoInitialize(nullptr));
  EXPECT_NE(os::S_OK, MakeLink("C:\\Windows\\Desktop\\Testanza.lnk", Help()));
  EXPECT_FALSE(m.system.IsFolder("C:\\Windows\\Desktop"));
  const std::string path = std::string(kGroup) + "\\Testanza.lnk";
  m.system.PutFile(path, "kept");
  m.system.SetReadOnly(path, true);
  EXPECT_NE(os::S_OK, MakeLink(path, Help()));
  EXPECT_EQ("kept", m.system.Contents(path));
}

TEST_F(LinkTest, CoInitializeResultAndItsEffect) {
  EXPECT_EQ(static_cast<os::HRESULT>(0x800401F0u), MakeLink("C:\\x.lnk", Help()));  // CO_E_NOTINITIALIZED
  m.system.coInitializeResult = os::E_FAIL;
  EXPECT_EQ(os::E_FAIL, os::CoInitialize(nullptr));
  EXPECT_NE(os::S_OK, MakeLink("C:\\x.lnk", Help()));
  m.system.coInitializeResult = 1;  // S_FALSE: already initialised, which still counts
  EXPECT_EQ(1, os::CoInitialize(nullptr));
  EXPECT_EQ(os::S_OK, MakeLink("C:\\x.lnk", Help()));
  m.system.StartProcess();
  m.system.coInitializeResult = os::S_OK;
  EXPECT_EQ(os::S_OK, os::CoInitialize(nullptr));
  EXPECT_EQ(1, os::CoInitialize(nullptr));  // the second call on the thread
}

TEST_F(LinkTest, ReaderRefusesDamagedFiles) {
  const std::vector<uint8_t> good = sim::WriteLinkFile(Help(), sim::LinkTarget(), kGroup);
  sim::LinkProperties p;
  ASSERT_TRUE(sim::ParseLinkFile(good, &p));
  for (size_t cut = 0; cut < good.size() - 4; cut += 7) {  // the terminal block may go
    EXPECT_FALSE(sim::ParseLinkFile(std::vector<uint8_t>(good.begin(), good.begin() + cut), &p)) << cut;
  }
  std::vector<uint8_t> bad = good;
  bad[4] ^= 1;  // another class id
  EXPECT_FALSE(sim::ParseLinkFile(bad, &p));
  // Lengths and offsets that point anywhere must not take the reader out of
  // the bytes (the sanitizers watch).
  unsigned seed = 12345;
  for (int round = 0; round < 2000; ++round) {
    bad = good;
    for (int k = 0; k < 3; ++k) {
      seed = seed * 1103515245u + 12345u;
      bad[0x14 + (seed >> 8) % (bad.size() - 0x14)] = static_cast<uint8_t>(seed >> 24);
    }
    sim::ParseLinkFile(bad, &p);
  }
}

}  // namespace
