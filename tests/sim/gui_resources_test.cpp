// The program module: reading the .res, the resource calls, dialog templates,
// and input that lies about its own sizes.
#include <cstring>
#include <fstream>
#include <iterator>

#include "platform/sim/dialog_template.h"
#include "platform/sim/gui_state.h"
#include "platform/sim/res_file.h"
#include "tests/sim/gui_fixture.h"

namespace simtest {
namespace {

std::vector<uint8_t> TestRes() {
  std::ifstream in(GUI_TEST_RES, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// Offsets of each resource header after the file's leading marker.
std::vector<size_t> HeaderOffsets(const std::vector<uint8_t>& b) {
  std::vector<size_t> at;
  size_t pos = 0;
  while (pos + 8 <= b.size()) {
    at.push_back(pos);
    uint32_t data = 0, header = 0;
    std::memcpy(&data, &b[pos], 4);
    std::memcpy(&header, &b[pos + 4], 4);
    pos = (pos + header + data + 3) & ~size_t(3);
  }
  return at;
}

using ResourceTest = GuiTest;

TEST_F(ResourceTest, ReadsEveryResourceOfTheModule) {
  const sim::Resource* text = m.gui.resources.Find("TEXT", 132);
  ASSERT_NE(nullptr, text);
  EXPECT_EQ("First line\r\nSecond line\r\n", std::string(text->bytes.begin(), text->bytes.end()));
  EXPECT_NE(nullptr, m.gui.resources.Find(sim::RT_GROUP_ICON, 128));
  for (int id : {100, 101, 102}) EXPECT_NE(nullptr, m.gui.resources.Find(sim::RT_DIALOG, id)) << id;
}

TEST_F(ResourceTest, TheResourceCallsHandOutTheBytes) {
  Run([] {
    // The type is asked for in other letters than the script wrote it.
    const os::HMODULE module = os::GetModuleHandleA(nullptr);
    const os::HRSRC found = os::FindResourceA(module, os::MAKEINTRESOURCEA(132), "Text");
    EXPECT_NE(nullptr, found);
    EXPECT_EQ(found, os::FindResourceA(module, "#132", "text"));
    const os::HGLOBAL data = os::LoadResource(module, found);
    EXPECT_EQ(25u, os::SizeofResource(module, found));
    const char* bytes = static_cast<const char*>(os::LockResource(data));
    EXPECT_EQ("First line\r\nSecond line\r\n", std::string(bytes, 25));
    // Handles of one kind are no good as the other.
    EXPECT_EQ(nullptr, os::LockResource(found));
    EXPECT_EQ(nullptr, os::LoadResource(module, reinterpret_cast<os::HRSRC>(data)));
    return 0;
  });
}

TEST_F(ResourceTest, MissingTypeOrNameSaySoInTheLastError) {
  Run([] {
    const os::HMODULE module = os::GetModuleHandleA(nullptr);
    EXPECT_EQ(nullptr, os::FindResourceA(module, os::MAKEINTRESOURCEA(133), "TEXT"));
    EXPECT_EQ(1814u, os::GetLastError());  // ERROR_RESOURCE_NAME_NOT_FOUND
    EXPECT_EQ(nullptr, os::FindResourceA(module, os::MAKEINTRESOURCEA(132), "MSZ"));
    EXPECT_EQ(1813u, os::GetLastError());  // ERROR_RESOURCE_TYPE_NOT_FOUND
    return 0;
  });
}

TEST_F(ResourceTest, RemovedAndReplacedResources) {
  m.gui.resources.Put("TEXT", 132, {});
  Run([] {
    const os::HMODULE module = os::GetModuleHandleA(nullptr);
    const os::HRSRC empty = os::FindResourceA(module, os::MAKEINTRESOURCEA(132), "Text");
    EXPECT_EQ(0u, os::SizeofResource(module, empty));
    // Even an empty resource loads and locks, as on Windows.
    EXPECT_NE(nullptr, os::LockResource(os::LoadResource(module, empty)));
    return 0;
  });
  EXPECT_TRUE(m.gui.resources.Remove("text", 132));
  Run([] {
    EXPECT_EQ(nullptr, os::FindResourceA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(132), "Text"));
    return 0;
  });
}

TEST_F(ResourceTest, IconsNeedTheirWholeGroup) {
  Run([] {
    const os::HICON icon = os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128));
    EXPECT_NE(nullptr, icon);
    EXPECT_EQ(icon, os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128)));
    EXPECT_EQ(nullptr, os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(129)));
    return 0;
  });
  m.gui.resources.Remove(sim::RT_ICON, 1);  // the group's only image
  Run([] {
    EXPECT_EQ(nullptr, os::LoadIconA(os::GetModuleHandleA(nullptr), os::MAKEINTRESOURCEA(128)));
    return 0;
  });
}

TEST_F(ResourceTest, ModuleFileName) {
  m.gui.moduleFileName = "D:\\Downloads\\Install.exe";
  Run([] {
    char path[260];
    EXPECT_EQ(24u, os::GetModuleFileNameA(nullptr, path, sizeof path));
    EXPECT_STREQ("D:\\Downloads\\Install.exe", path);
    // Too small a buffer: cut short, terminated, and the size returned.
    char small[8];
    EXPECT_EQ(8u, os::GetModuleFileNameA(os::GetModuleHandleA(nullptr), small, sizeof small));
    EXPECT_STREQ("D:\\Down", small);
    EXPECT_EQ(122u, os::GetLastError());
    EXPECT_EQ(os::GetModuleHandleA(nullptr), os::GetModuleHandleA("install.exe"));
    return 0;
  });
}

// Both template forms, field by field.
TEST(DialogTemplateTest, ReadsBothForms) {
  sim::ResourceModule module;
  ASSERT_TRUE(module.LoadBytes(TestRes()));
  sim::DialogTemplate t;
  const sim::Resource* form = module.Find(sim::RT_DIALOG, 100);
  ASSERT_TRUE(sim::ParseDialogTemplate(form->bytes.data(), form->bytes.size(), &t, nullptr));
  EXPECT_FALSE(t.extended);
  EXPECT_EQ(0x80C800C0u, t.style);
  EXPECT_EQ("Form", t.caption);
  EXPECT_EQ(8, t.pointSize);
  EXPECT_EQ("MS Sans Serif", t.face);
  EXPECT_EQ(20, t.x);
  EXPECT_EQ(200, t.cx);
  ASSERT_EQ(6u, t.items.size());
  EXPECT_EQ("static", t.items[0].className);
  EXPECT_EQ(0xFFFF, t.items[0].id);
  EXPECT_EQ("Name:", t.items[0].text);
  EXPECT_EQ("edit", t.items[2].className);
  EXPECT_TRUE(t.items[2].style & os::ES_READONLY);
  EXPECT_EQ("&Go", t.items[3].text);
  EXPECT_EQ(1010, t.items[3].id);
  EXPECT_EQ(os::BS_DEFPUSHBUTTON, t.items[3].style & 0xF);
  EXPECT_EQ(120, t.items[1].cx);

  const sim::Resource* ex = module.Find(sim::RT_DIALOG, 101);
  ASSERT_TRUE(sim::ParseDialogTemplate(ex->bytes.data(), ex->bytes.size(), &t, nullptr));
  EXPECT_TRUE(t.extended);
  EXPECT_EQ(0x00040000u, t.exStyle);  // WS_EX_APPWINDOW
  EXPECT_EQ("Extended", t.caption);
  EXPECT_EQ(400, t.weight);
  ASSERT_EQ(3u, t.items.size());
  EXPECT_EQ(os::IDCANCEL, t.items[2].id);
  EXPECT_EQ("button", t.items[2].className);
  EXPECT_EQ("Cancel", t.items[2].text);
}

// Every cut of a real file either parses (at a resource boundary) or fails;
// each cut is its own allocation, so ASan sees any read past it.
TEST(ResFileTest, CutShortAnywhere) {
  const std::vector<uint8_t> whole = TestRes();
  std::vector<sim::Resource> all;
  ASSERT_TRUE(sim::ParseResFile(whole.data(), whole.size(), &all, nullptr));
  for (size_t n = 0; n < whole.size(); ++n) {
    const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(n));
    std::vector<sim::Resource> out;
    std::string error;
    if (sim::ParseResFile(cut.data(), cut.size(), &out, &error))
      EXPECT_LT(out.size(), all.size()) << n;
    else
      EXPECT_FALSE(error.empty());
  }
}

TEST(ResFileTest, SizesThatLie) {
  const std::vector<uint8_t> whole = TestRes();
  const std::vector<size_t> headers = HeaderOffsets(whole);
  ASSERT_GT(headers.size(), 3u);
  struct Case {
    const char* what;
    size_t field;  // 0: DataSize, 4: HeaderSize
    uint32_t value;
  } cases[] = {
      {"data past the end", 0, 0x7FFFFFF0u},
      {"data of 4 GiB", 0, 0xFFFFFFFFu},
      {"header past the end", 4, 0x10000u},
      {"header of 4 GiB", 4, 0xFFFFFFFFu},
      {"header too small", 4, 8},
      {"header without its fields", 4, 32 - 4},
  };
  for (const Case& c : cases) {
    for (size_t h : headers) {
      std::vector<uint8_t> bad = whole;
      PutU32(bad, h + c.field, c.value);
      std::vector<sim::Resource> out;
      std::string error;
      EXPECT_FALSE(sim::ParseResFile(bad.data(), bad.size(), &out, &error)) << c.what << " at " << h;
    }
  }
}

// A resource name with no terminating zero inside its header.
TEST(ResFileTest, NameRunningPastItsHeader) {
  std::vector<uint8_t> b(32 + 8, 0);
  PutU32(b, 0, 0);
  PutU32(b, 4, 32);
  for (size_t i = 8; i < b.size(); i += 2) b[i] = 'A';
  std::vector<sim::Resource> out;
  EXPECT_FALSE(sim::ParseResFile(b.data(), b.size(), &out, nullptr));
}

TEST(DialogTemplateTest, CutShortAnywhere) {
  sim::ResourceModule module;
  ASSERT_TRUE(module.LoadBytes(TestRes()));
  for (int id : {100, 101, 102}) {
    const std::vector<uint8_t>& whole = module.Find(sim::RT_DIALOG, id)->bytes;
    for (size_t n = 0; n < whole.size(); ++n) {
      // Every control ends with its creation-data count, so only the whole
      // template (give or take its padding) is one.
      const std::vector<uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(n));
      sim::DialogTemplate t;
      const bool ok = sim::ParseDialogTemplate(cut.data(), cut.size(), &t, nullptr);
      EXPECT_TRUE(!ok || n + 4 > whole.size()) << id << " cut at " << n;
    }
  }
}

TEST(DialogTemplateTest, ItemCountBeyondTheData) {
  sim::ResourceModule module;
  ASSERT_TRUE(module.LoadBytes(TestRes()));
  for (int id : {100, 101}) {
    std::vector<uint8_t> bytes = module.Find(sim::RT_DIALOG, id)->bytes;
    const size_t countAt = id == 101 ? 16 : 8;
    bytes[countAt] = 0xFF;
    bytes[countAt + 1] = 0xFF;
    sim::DialogTemplate t;
    std::string error;
    EXPECT_FALSE(sim::ParseDialogTemplate(bytes.data(), bytes.size(), &t, &error)) << id;
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace simtest
