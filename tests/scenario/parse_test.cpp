// What the parser makes of well-formed scenarios: every kind of line lands in
// the right section with the right fields.
#include <gtest/gtest.h>

#include <functional>

#include "tests/scenario/scenario.h"

namespace scenario {
namespace {

Scenario MustParse(const std::string& text) {
  Scenario s;
  std::string error;
  EXPECT_TRUE(Parse(text, &s, &error)) << error;
  return s;
}

TEST(Parse, WholeScenario) {
  const Scenario s = MustParse(
      "# a comment\r\n"
      "title \"Previous installation, answered Yes\"\r\n"
      "before:\r\n"
      "  key 'HKLM\\SOFTWARE\\DU Dodoridu\\Testanza\\1.20'\r\n"
      "  value 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Testanza.exe' Path sz '${ProgramFilesDir}\\Old'\r\n"
      "  file '${ProgramFilesDir}\\Old\\Testanza.exe' payload=Testanza.exe readonly times=\"2002-07-28 01:20:00\"\r\n"
      "  link '${Programs}\\Testanza\\Testanza.lnk' target='C:\\x\\Testanza.exe' show=1\r\n"
      "steps:\r\n"
      "  wait \"DU Dodoridu - Install Testanza 1.20\" timeout=30\r\n"
      "  check 1009 \"To install Testanza, at least\\r\\n500 Kb of free disk space is required.\"\r\n"
      "  type 1007 'C:\\Somewhere\\Else'\r\n"
      "  box Note \"Sure?\" 0x34 yes owner=\"\"\r\n"
      "  click 1010\r\n"
      "  enter\r\n"
      "  escape\r\n"
      "  close\r\n"
      "  browse 'D:\\Tools' title=\"Testanza Installation Folder\"\r\n"
      "  browse cancel\r\n"
      "  shot install-dialog\r\n"
      "after:\r\n"
      "  exit 0\r\n"
      "  nofile '${ProgramFilesDir}\\Old\\Testanza.exe'\r\n"
      "  value 'HKCU\\Software\\X' '' dword 0x10\r\n"
      "  launch '${ProgramFilesDir}\\Testanza\\Testanza.exe'\r\n"
      "  sim drive D: free=1000 absent\r\n");

  EXPECT_EQ(s.title, "Previous installation, answered Yes");
  ASSERT_EQ(s.before.size(), 4u);
  EXPECT_EQ(s.before[0].kind, Fact::Key);
  EXPECT_EQ(s.before[0].root, RegRoot::LocalMachine);
  EXPECT_EQ(s.before[0].path, "SOFTWARE\\DU Dodoridu\\Testanza\\1.20");
  EXPECT_EQ(s.before[0].line, 4);
  EXPECT_EQ(s.before[1].name, "Path");
  EXPECT_EQ(s.before[1].type, RegType::Sz);
  EXPECT_EQ(s.before[1].data, std::string("${ProgramFilesDir}\\Old\0", 23));
  EXPECT_FALSE(s.before[1].anyData);
  const Fact& file = s.before[2];
  EXPECT_EQ(file.content.kind, Content::Payload);
  EXPECT_EQ(file.content.payload, "Testanza.exe");
  EXPECT_EQ(file.readOnly, std::optional<bool>(true));
  ASSERT_TRUE(file.times.created && file.times.accessed && file.times.written);
  EXPECT_EQ(Format(*file.times.written), "2002-07-28 01:20:00");
  EXPECT_EQ(s.before[3].link.target, std::optional<std::string>("C:\\x\\Testanza.exe"));
  EXPECT_EQ(s.before[3].link.show, std::optional<int>(1));
  EXPECT_FALSE(s.before[3].link.dir);

  ASSERT_EQ(s.steps.size(), 11u);
  EXPECT_EQ(s.steps[0].kind, Step::Wait);
  EXPECT_EQ(s.steps[0].timeout, 30);
  EXPECT_EQ(s.steps[1].control, 1009);
  EXPECT_EQ(s.steps[1].text, "To install Testanza, at least\r\n500 Kb of free disk space is required.");
  EXPECT_EQ(s.steps[2].text, "C:\\Somewhere\\Else");
  const Step& box = s.steps[3];
  EXPECT_EQ(box.kind, Step::Box);
  EXPECT_EQ(box.caption, "Note");
  EXPECT_EQ(box.style, 0x34u);
  EXPECT_EQ(box.answer, 6);
  EXPECT_EQ(box.owner, std::optional<std::string>(""));
  EXPECT_EQ(s.steps[5].kind, Step::Enter);
  EXPECT_EQ(s.steps[6].kind, Step::Escape);
  EXPECT_EQ(s.steps[7].kind, Step::Close);
  EXPECT_FALSE(s.steps[8].cancel);
  EXPECT_EQ(s.steps[8].text, "D:\\Tools");
  EXPECT_EQ(s.steps[8].title, std::optional<std::string>("Testanza Installation Folder"));
  EXPECT_TRUE(s.steps[9].cancel);
  EXPECT_EQ(s.steps[10].text, "install-dialog");

  ASSERT_EQ(s.after.size(), 5u);
  EXPECT_FALSE(s.after[0].anyExit);
  EXPECT_EQ(s.after[0].exitCode, 0u);
  EXPECT_EQ(s.after[1].kind, Fact::NoFile);
  EXPECT_EQ(s.after[2].root, RegRoot::CurrentUser);
  EXPECT_EQ(s.after[2].name, "");
  EXPECT_EQ(s.after[2].data, std::string("\x10\0\0\0", 4));
  EXPECT_EQ(s.after[3].kind, Fact::Launch);
  const Directive& d = s.after[4].directive;
  EXPECT_EQ(d.keyword, "drive");
  EXPECT_EQ(d.args, (std::vector<std::string>{"D:", "absent"}));
  ASSERT_EQ(d.options.size(), 1u);
  EXPECT_EQ(d.options[0], std::make_pair(std::string("free"), std::string("1000")));
}

// One line in a section and what must come of it.
struct LineCase {
  const char* text;
  std::function<void(const Scenario&)> check;
};

TEST(Parse, SingleLines) {
  const LineCase cases[] = {
      {"after:\nexit any", [](const Scenario& s) { EXPECT_TRUE(s.after[0].anyExit); }},
      {"after:\nexit 4294967295", [](const Scenario& s) { EXPECT_EQ(s.after[0].exitCode, 0xFFFFFFFFu); }},
      {"after:\nvalue HKLM\\A\\B Path",
       [](const Scenario& s) {
         EXPECT_TRUE(s.after[0].anyData);
         EXPECT_EQ(s.after[0].path, "A\\B");
       }},
      {"after:\nvalue 'HKEY_LOCAL_MACHINE\\A\\' x binary \"00 ff 10\"",
       [](const Scenario& s) {
         EXPECT_EQ(s.after[0].path, "A");
         EXPECT_EQ(s.after[0].type, RegType::Binary);
         EXPECT_EQ(s.after[0].data, std::string("\x00\xff\x10", 3));
       }},
      {"after:\nvalue hkcu\\Env p expand_sz '%PATH%'",
       [](const Scenario& s) {
         EXPECT_EQ(s.after[0].root, RegRoot::CurrentUser);
         EXPECT_EQ(s.after[0].type, RegType::ExpandSz);
       }},
      {"after:\nfile 'C:\\a b\\t.txt' hex=4D5A written=2002-07-28T01:20:00 writable",
       [](const Scenario& s) {
         const Fact& f = s.after[0];
         EXPECT_EQ(f.content.bytes, "MZ");
         EXPECT_TRUE(f.times.written);
         EXPECT_FALSE(f.times.created);
         EXPECT_EQ(f.readOnly, std::optional<bool>(false));
       }},
      {"after:\nfile x text=\"a\\0b\"",
       [](const Scenario& s) { EXPECT_EQ(s.after[0].content.bytes, std::string("a\0b", 3)); }},
      {"after:\nfile x", [](const Scenario& s) { EXPECT_EQ(s.after[0].content.kind, Content::Unspecified); }},
      {"after:\nlink x.lnk index=0 icon='C:\\T.exe' dir='C:\\' desc=Testanza",
       [](const Scenario& s) {
         EXPECT_EQ(s.after[0].link.iconIndex, std::optional<int>(0));
         EXPECT_EQ(s.after[0].link.dir, std::optional<std::string>("C:\\"));
         EXPECT_FALSE(s.after[0].link.target);
       }},
      {"after:\nposted \"Testanza BETA 3\" 0x501", [](const Scenario& s) { EXPECT_EQ(s.after[0].message, 0x501u); }},
      {"before:\nwindow 'Testanza'\nmutex KV_TZ_Mutex",
       [](const Scenario& s) {
         EXPECT_EQ(s.before[0].kind, Fact::Window);
         EXPECT_EQ(s.before[1].path, "KV_TZ_Mutex");
       }},
      {"only sim\nsteps:\ncheck 1007 '' window='X - Y'",
       [](const Scenario& s) {
         EXPECT_EQ(s.only, Scenario::Only::Sim);
         EXPECT_EQ(s.steps[0].caption, "X - Y");
         EXPECT_EQ(s.steps[0].text, "");
       }},
      {"steps:\nbrowse \"cancel\"",
       [](const Scenario& s) {
         EXPECT_FALSE(s.steps[0].cancel);
         EXPECT_EQ(s.steps[0].text, "cancel");
       }},
      {"steps:\nwait 'a=b'", [](const Scenario& s) { EXPECT_EQ(s.steps[0].caption, "a=b"); }},
  };
  for (const LineCase& c : cases) {
    SCOPED_TRACE(c.text);
    Scenario s;
    std::string error;
    ASSERT_TRUE(Parse(c.text, &s, &error)) << error;
    c.check(s);
  }
}

TEST(Parse, EscapesOnlyInDoubleQuotes) {
  Scenario s = MustParse("steps:\ncheck 1 \"\\x41\\t\\\\\\\"\"\ncheck 2 'C:\\new\\temp'\ncheck 3 C:\\raw\\word");
  EXPECT_EQ(s.steps[0].text, "A\t\\\"");
  EXPECT_EQ(s.steps[1].text, "C:\\new\\temp");
  EXPECT_EQ(s.steps[2].text, "C:\\raw\\word");
}

TEST(Parse, ButtonNamesRoundTrip) {
  for (const char* name : {"ok", "cancel", "abort", "retry", "ignore", "yes", "no"})
    EXPECT_STREQ(ButtonName(ButtonId(name)), name);
  EXPECT_EQ(ButtonId("OK"), 0);
}

}  // namespace
}  // namespace scenario
