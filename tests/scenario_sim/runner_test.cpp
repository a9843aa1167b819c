// The sim runner itself: a scenario that holds passes, and each kind of
// mismatch fails with the line it belongs to.
#include <gtest/gtest.h>

#include "tests/scenario_sim/sim_runner.h"

namespace scenario_sim {
namespace {

const char kFront[] =
    "  wait \"Testanza Installation\"\n"
    "  click 1002\n"
    "  wait \"Testanza License Agreement\"\n"
    "  click 1002\n"
    "  wait \"DU Dodoridu - Install Testanza 1.20\"\n";

Outcome RunText(const std::string& before, const std::string& steps, const std::string& after) {
  const std::string text = "title \"runner\"\nbefore:\n" + before + "steps:\n" + kFront + steps + "after:\n" + after;
  return RunScenario(text, {SETUP_RES, PAYLOAD_DIR});
}

std::string Joined(const Outcome& out) {
  std::string all;
  for (const std::string& f : out.failures) all += f + "\n";
  return all;
}

TEST(Runner, AScenarioThatHoldsPasses) {
  const Outcome out = RunText(
      "  sim timezone +120\n"
      "  file 'C:\\Data\\a.txt' text=\"abc\" written=\"2002-07-28 01:20:00\" readonly\n"
      "  link 'C:\\Data\\a.lnk' target='C:\\Data\\a.txt' desc=\"A\" show=3\n"
      "  value HKLM\\SOFTWARE\\X V dword 7\n",
      "  check 1009 \"To install Testanza, at least\\r\\n500 Kb of free disk space is required.\"\n"
      "  type 1007 'C:\\Elsewhere'\n"
      "  check 1007 'C:\\Elsewhere'\n"
      "  shot dialog\n"
      "  click 1003\n"
      "  box \"Cancel Install?\" \"Testanza will not be installed on your system\\r\\nDo you wish to cancel the "
      "installation?\" 0x24 no owner=\"DU Dodoridu - Install Testanza 1.20\"\n"
      "  escape\n"
      "  rerun\n" +
          std::string(kFront) + "  close\n",
      "  exit 0\n"
      "  file 'C:\\Data\\a.txt' text=\"abc\" written=\"2002-07-28 01:20:00\" readonly\n"
      "  link 'C:\\Data\\a.lnk' target='C:\\Data\\a.txt' desc=\"A\" show=3 dir=''\n"
      "  value HKLM\\SOFTWARE\\X V dword 7\n"
      "  nofolder 'C:\\Elsewhere'\n"
      "  nolaunch Testanza.exe\n");
  EXPECT_EQ(Joined(out), "") << out.transcript;
}

struct Mismatch {
  const char* name;
  const char* before;
  const char* steps;
  const char* after;
  const char* failure;  // a part of the one failure expected
};

const Mismatch kMismatches[] = {
    {"BoxText", "", "  click 1003\n  box \"Cancel Install?\" \"Other text\" 0x24 yes\n  box \"Installation Incomplete\" "
     "\"Testanza was not installed on your system\" 0x40 ok\n", "",
     "line 10: box \"Cancel Install?\" \"Other text\" 0x24 yes: box text \"Testanza will not be installed"},
    {"BoxStyle", "", "  click 1003\n  box \"Cancel Install?\" \"Testanza will not be installed on your "
     "system\\r\\nDo you wish to cancel the installation?\" 0x34 no\n  escape\n", "",
     "box style 0x24"},
    {"BoxOwner", "", "  click 1003\n  box \"Cancel Install?\" \"Testanza will not be installed on your "
     "system\\r\\nDo you wish to cancel the installation?\" 0x24 no owner=''\n  escape\n", "",
     "box owner \"DU Dodoridu - Install Testanza 1.20\""},
    {"BoxNobodyExpected", "", "  click 1003\n  escape\n", "", "line 10: escape: a box \"Cancel Install?\""},
    {"OtherWindow", "", "  rerun\n", "", "line 9: rerun: dialog \"DU Dodoridu - Install Testanza 1.20\" waits for input before this step"},
    {"NoStepsLeft", "", "", "", "after the last step: dialog \"DU Dodoridu - Install Testanza 1.20\" waits"},
    {"NotReached", "", "  escape\n  click 1010\n", "", "line 10: click 1010: not reached: the program ended"},
    {"CheckText", "", "  check 1007 'C:\\Other'\n  escape\n", "", "control 1007 reads \"C:\\Program Files\\Testanza\""},
    {"ExitCode", "", "  escape\n", "  exit 7\n", "line 11: exit 7: the exit code is 0"},
    {"MissingFile", "", "  escape\n", "  file 'C:\\None.txt'\n", "the file does not exist"},
    {"FileBytes", "  file 'C:\\a.txt' text=\"abc\"\n", "  escape\n", "  file 'C:\\a.txt' text=\"abd\"\n",
     "first difference at byte 2"},
    {"FileTime", "  file 'C:\\a.txt' written=\"2002-07-28 01:20:00\"\n", "  escape\n",
     "  file 'C:\\a.txt' written=\"2002-07-28 02:20:00\"\n", "written 2002-07-28 01:20:00 (local)"},
    {"Payload", "  file 'C:\\a.exe' payload=Testanza.txt\n", "  escape\n", "  file 'C:\\a.exe' payload=Testanza.exe\n",
     "content differs"},
    {"LinkTarget", "  link 'C:\\a.lnk' target='C:\\a.exe'\n", "  escape\n", "  link 'C:\\a.lnk' target='C:\\b.exe'\n",
     "target=\"C:\\a.exe\""},
    {"RegistryValue", "", "  escape\n", "  value HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion ProgramFilesDir sz 'D:\\P'\n",
     "the value is type 1 data \"C:\\Program Files\\x00\""},
    {"Launch", "", "  escape\n", "  launch 'C:\\Program Files\\Testanza\\Testanza.exe'\n", "no such program was started"},
    {"UnknownSetting", "  sim bogus\n", "  escape\n", "", "unknown sim setting 'bogus'"},
    {"Fault", "  sim fail SetWindowTextA\n", "  escape\n", "", "line 9: wait \"DU Dodoridu - Install Testanza 1.20\": dialog \"Install Testanza\" waits for input instead"},
};

void PrintTo(const Mismatch& m, std::ostream* os) { *os << m.name; }

class RunnerMismatch : public ::testing::TestWithParam<Mismatch> {};

TEST_P(RunnerMismatch, FailsWithTheLine) {
  const Mismatch& c = GetParam();
  const Outcome out = RunText(c.before, c.steps, c.after);
  ASSERT_EQ(out.failures.size(), 1u) << Joined(out) << out.transcript;
  EXPECT_NE(out.failures[0].find(c.failure), std::string::npos) << out.failures[0];
}

INSTANTIATE_TEST_SUITE_P(Cases, RunnerMismatch, ::testing::ValuesIn(kMismatches),
                         [](const ::testing::TestParamInfo<Mismatch>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace scenario_sim
