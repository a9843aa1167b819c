// Every scenario file in the tree parses and expands with the variables that
// every runner provides, so a broken file fails here, before any Wine run.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/scenario/scenario.h"

namespace scenario {
namespace {

std::vector<std::filesystem::path> ScenarioFiles() {
  std::vector<std::filesystem::path> files;
  std::stringstream dirs(SCENARIO_DIRS);
  std::string dir;
  while (std::getline(dirs, dir, ':')) {
    if (!std::filesystem::is_directory(dir)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.path().extension() == ".scn") files.push_back(entry.path());
  }
  return files;
}

TEST(Files, AllParseAndExpand) {
  const Variables vars = {{"ProgramFilesDir", "C:\\Program Files"}, {"Programs", "P"},
                          {"Desktop", "D"}, {"Windows", "C:\\windows"},
                          {"System", "C:\\windows\\system32"}, {"Temp", "T"}};
  const auto files = ScenarioFiles();
  ASSERT_FALSE(files.empty()) << "no scenario files under " << SCENARIO_DIRS;
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Scenario s;
    std::string error;
    ASSERT_TRUE(Parse(text.str(), &s, &error)) << error;
    EXPECT_FALSE(s.title.empty()) << "every scenario says what it is about";
    EXPECT_FALSE(s.steps.empty());
    EXPECT_TRUE(ExpandAll(&s, vars, &error)) << error;
  }
}

}  // namespace
}  // namespace scenario
