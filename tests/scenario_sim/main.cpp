// One test per scenario file: the files shared with the Wine runs
// (tests/e2e/scenarios) and those for the sim only (tests/scenarios), found
// when the tests are listed, so a new file needs no build step.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "tests/scenario_sim/sim_runner.h"

namespace {

class ScenarioFileTest : public ::testing::Test {
 public:
  explicit ScenarioFileTest(std::filesystem::path path) : path_(std::move(path)) {}
  void TestBody() override {
    std::ifstream in(path_, std::ios::binary);
    ASSERT_TRUE(in) << "cannot read " << path_;
    std::stringstream text;
    text << in.rdbuf();
    const scenario_sim::Outcome out = scenario_sim::RunScenario(text.str(), {SETUP_RES, PAYLOAD_DIR});
    if (out.skipped) GTEST_SKIP() << "a scenario for Wine only";
    for (const std::string& failure : out.failures) ADD_FAILURE() << path_.filename().string() << ": " << failure;
    if (!out.failures.empty()) std::cout << "what the program showed:\n" << out.transcript;
  }

 private:
  std::filesystem::path path_;
};

void RegisterFolder(const char* suite, const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  if (std::filesystem::is_directory(folder))
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      if (entry.path().extension() == ".scn") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto& path : files)
    ::testing::RegisterTest(suite, path.stem().string().c_str(), nullptr, nullptr,
                            __FILE__, __LINE__, [path]() -> ::testing::Test* { return new ScenarioFileTest(path); });
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  RegisterFolder("Shared", SHARED_SCENARIOS);
  RegisterFolder("SimOnly", SIM_SCENARIOS);
  return RUN_ALL_TESTS();
}
