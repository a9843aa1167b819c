// services_check <payload folder> [part...]: the installation services of setup.exe
// run through the real back end, each result read back with the system's
// own calls. Parts: payload, shortcuts, registry (all when none is named).
// Prints one line per failure and "ok" / "FAILED n" at the end.
#include "platform/os.h"
// after the program's headers: the Windows macros would rewrite their names
#include <windows.h>

#include <cstring>

#include "check.h"

namespace wine_check {
int failures = 0;
std::string payloadDir;
}  // namespace wine_check

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: services_check <payload folder> [payload|shortcuts|registry...]\n");
    return 2;
  }
  wine_check::payloadDir = argv[1];
  wine_check::WatchMessageBoxes();
  CoInitialize(nullptr);  // as the install dialog's set-up does
  const struct {
    const char* name;
    void (*run)();
  } parts[] = {{"payload", wine_check::CheckPayload},
               {"shortcuts", wine_check::CheckShortcuts},
               {"registry", wine_check::CheckRegistry}};
  for (const auto& part : parts) {
    bool named = argc == 2;
    for (int i = 2; i < argc; ++i) named = named || std::strcmp(argv[i], part.name) == 0;
    if (!named) continue;
    std::printf("== %s\n", part.name);
    std::fflush(stdout);
    part.run();
  }
  if (wine_check::failures) std::printf("FAILED %d\n", wine_check::failures);
  else std::printf("ok\n");
  return wine_check::failures;
}
