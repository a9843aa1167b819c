// Malformed scenarios are refused with the line number and what is wrong,
// never half-read: a mistake in a scenario must not turn into a weaker test.
#include <gtest/gtest.h>

#include "tests/scenario/scenario.h"

namespace scenario {
namespace {

struct BadCase {
  const char* text;
  const char* error;  // a part of the message, line number included
};

TEST(Errors, RefusedWithLineAndReason) {
  const BadCase cases[] = {
      {"steps:\nwait", "line 2: usage: wait CAPTION"},
      {"steps:\nwait \"open", "line 2: unterminated \""},
      {"steps:\ncheck 1007 \"C:\\Program Files\"", "line 2: unknown escape \\P"},
      {"steps:\ncheck 1007 \"\\x4\"", "\\x needs two hex digits"},
      {"steps:\ncheck 70000 x", "'70000' is not a control id"},
      {"steps:\ncheck 1007 'a'b", "a blank must follow a quoted text"},
      {"steps:\nbox ERROR text 0x10 maybe", "answer 'maybe'"},
      {"steps:\nbox ERROR text 0x10 ok # trailing", "line 2: usage: box"},
      {"steps:\nbox ERROR text 0x10 ok ownr=x", "unknown option ownr="},
      {"steps:\nwait x timeout=0", "timeout= needs seconds"},
      {"steps:\nshot 'a b'", "a shot name is"},
      {"steps:\njump", "unknown step 'jump'"},
      {"steps:\nenter now", "usage: enter"},
      {"before:\nexit 0", "'exit' does not belong in the before section"},
      {"after:\nwindow x", "'window' does not belong in the after section"},
      {"before:\nvalue HKLM\\A name", "usage: value KEY NAME TYPE DATA"},
      {"after:\nvalue HKLM\\A name sz", "usage: value KEY NAME [TYPE DATA]"},
      {"after:\nvalue HKLM\\A n qword 1", "unknown registry type 'qword'"},
      {"after:\nvalue HKLM\\A n dword 0x100000000", "dword data must be a number"},
      {"after:\nkey SOFTWARE\\A", "not a key path"},
      {"after:\nkey 'HKLM\\A\\\\B'", "not a key path"},
      {"after:\nkey HKLMX\\A", "not a key path"},
      {"after:\nfile x payload=a text=b", "at most one of payload=, text=, hex="},
      {"after:\nfile x payload=sub\\a.exe", "without a folder"},
      {"after:\nfile x hex=4D5", "hex= needs pairs"},
      {"after:\nfile x times=\"2002-02-30 00:00:00\"", "times= needs a local time"},
      {"after:\nfile x times=\"2002-07-28 24:00:00\"", "times= needs a local time"},
      {"after:\nfile x hidden", "unexpected word 'hidden'"},
      {"before:\nfile x writable", "unexpected word 'writable'"},
      {"before:\nlink x.lnk dir=C:\\", "needs target="},
      {"after:\nexit 1\nexit 2", "line 3: a second exit line"},
      {"after:\nexit -1", "exit needs a number or any"},
      {"after:\nnofile ''", "not empty"},
      {"after:\nsteps:", "line 2: sections come once each"},
      {"before:\nbefore:", "line 2: sections come once each"},
      {"wait x", "line 1: before the first section"},
      {"only both", "usage: only sim|wine"},
      {"steps:\n\"wait\" x", "a line begins with a keyword"},
  };
  for (const BadCase& c : cases) {
    SCOPED_TRACE(c.text);
    Scenario s;
    std::string error;
    EXPECT_FALSE(Parse(c.text, &s, &error));
    EXPECT_NE(error.find(c.error), std::string::npos) << "got: " << error;
  }
}

TEST(Errors, FailedParseLeavesOutputUntouched) {
  Scenario s;
  s.title = "kept";
  std::string error;
  EXPECT_FALSE(Parse("title new\nsteps:\nenter\nbogus", &s, &error));
  EXPECT_EQ(s.title, "kept");
  EXPECT_TRUE(s.steps.empty());
}

}  // namespace
}  // namespace scenario
