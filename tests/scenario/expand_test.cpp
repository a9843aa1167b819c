// Variables come from each runner's machine; expansion must reach every text
// a runner uses and leave bytes alone.
#include <gtest/gtest.h>

#include "tests/scenario/scenario.h"

namespace scenario {
namespace {

const Variables kVars = {{"ProgramFilesDir", "C:\\Program Files"},
                         {"Programs", "C:\\users\\u\\Start Menu\\Programs"},
                         {"Empty", ""}};

TEST(Expand, Texts) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {
      {"${ProgramFilesDir}\\Testanza", "C:\\Program Files\\Testanza"},
      {"a${Empty}b", "ab"},
      {"$${ProgramFilesDir}", "${ProgramFilesDir}"},
      {"${Programs}${Programs}", "C:\\users\\u\\Start Menu\\ProgramsC:\\users\\u\\Start Menu\\Programs"},
      {"no variables", "no variables"},
  };
  for (const Case& c : cases) {
    std::string out, error;
    EXPECT_TRUE(Expand(c.in, kVars, &out, &error)) << error;
    EXPECT_EQ(out, c.out);
  }
}

TEST(Expand, Refused) {
  struct Case {
    const char* in;
    const char* error;
  };
  const Case cases[] = {
      {"${Desktop}\\x", "unknown variable ${Desktop}"},
      {"${ProgramFilesDir", "unterminated ${"},
      {"cost: 5$", "a lone $"},
      {"$Programs", "a lone $"},
  };
  for (const Case& c : cases) {
    std::string out, error;
    EXPECT_FALSE(Expand(c.in, kVars, &out, &error));
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
  }
}

TEST(Expand, EveryTextOfTheScenario) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(Parse(
      "before:\n"
      "value 'HKLM\\K\\${Empty}' '${Empty}n' sz '${ProgramFilesDir}\\T'\n"
      "value HKLM\\K b binary 24247B7D\n"
      "file '${Programs}\\f' text='${Programs}'\n"
      "link '${Programs}\\l.lnk' target='${ProgramFilesDir}\\T.exe' dir=${ProgramFilesDir} desc=${Empty}d "
      "icon='${ProgramFilesDir}\\T.exe' args=${Empty}a\n"
      "sim drive '${ProgramFilesDir}' at=${Programs}\n"
      "steps:\n"
      "wait '${Empty}c'\n"
      "check 1007 '${ProgramFilesDir}\\Testanza' window='${Empty}w'\n"
      "box '${Empty}n' '${Empty}t' 0 ok owner=${Empty}o\n"
      "browse '${ProgramFilesDir}' title=${Empty}x\n",
      &s, &error))
      << error;
  ASSERT_TRUE(ExpandAll(&s, kVars, &error)) << error;
  EXPECT_EQ(s.before[0].path, "K\\");
  EXPECT_EQ(s.before[0].name, "n");
  EXPECT_EQ(s.before[0].data, std::string("C:\\Program Files\\T\0", 19));
  EXPECT_EQ(s.before[1].data, "$${}");  // binary: bytes, not text
  EXPECT_EQ(s.before[2].path, "C:\\users\\u\\Start Menu\\Programs\\f");
  EXPECT_EQ(s.before[2].content.bytes, "${Programs}");  // file bytes are taken as written
  const LinkProps& l = s.before[3].link;
  EXPECT_EQ(*l.target, "C:\\Program Files\\T.exe");
  EXPECT_EQ(*l.dir, "C:\\Program Files");
  EXPECT_EQ(*l.desc, "d");
  EXPECT_EQ(*l.icon, "C:\\Program Files\\T.exe");
  EXPECT_EQ(*l.args, "a");
  EXPECT_EQ(s.before[4].directive.args[0], "C:\\Program Files");
  EXPECT_EQ(s.before[4].directive.options[0].second, "C:\\users\\u\\Start Menu\\Programs");
  EXPECT_EQ(s.steps[0].caption, "c");
  EXPECT_EQ(s.steps[1].text, "C:\\Program Files\\Testanza");
  EXPECT_EQ(s.steps[1].caption, "w");
  EXPECT_EQ(s.steps[2].caption, "n");
  EXPECT_EQ(s.steps[2].text, "t");
  EXPECT_EQ(*s.steps[2].owner, "o");
  EXPECT_EQ(s.steps[3].text, "C:\\Program Files");
  EXPECT_EQ(*s.steps[3].title, "x");
}

TEST(Expand, ErrorNamesTheLine) {
  Scenario s;
  std::string error;
  ASSERT_TRUE(Parse("steps:\nenter\nwait ${Nope}\n", &s, &error)) << error;
  EXPECT_FALSE(ExpandAll(&s, kVars, &error));
  EXPECT_EQ(error, "line 3: unknown variable ${Nope}");
}

}  // namespace
}  // namespace scenario
