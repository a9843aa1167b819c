// The installation services through the real back end, under Wine or on
// Windows: each check prints what failed and where; the exit code counts
// the failures.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace wine_check {

extern int failures;
inline void Fail(const char* file, int line, const std::string& what) {
  std::printf("FAIL %s:%d: %s\n", file, line, what.c_str());
  std::fflush(stdout);
  ++failures;
}

// Every message box the program shows is closed at once and kept here: its
// caption and text.
struct ShownBox {
  std::string caption, text;
};
void WatchMessageBoxes();
std::vector<ShownBox> TakeBoxes();

// The folder of the original payload files, a Windows path.
extern std::string payloadDir;

void CheckPayload();
void CheckShortcuts();
void CheckRegistry();

}  // namespace wine_check

#define CHECK(cond)                                                  \
  do {                                                               \
    if (!(cond)) wine_check::Fail(__FILE__, __LINE__, #cond);        \
  } while (0)
#define CHECK_EQ(a, b)                                                                                  \
  do {                                                                                                  \
    const std::string wine_check_a = (a), wine_check_b = (b);                                           \
    if (wine_check_a != wine_check_b)                                                                   \
      wine_check::Fail(__FILE__, __LINE__, std::string(#a) + ": \"" + wine_check_a + "\" != \"" + wine_check_b + "\""); \
  } while (0)
