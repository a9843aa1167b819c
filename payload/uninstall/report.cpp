#include "report.h"

#include <windows.h>

namespace tz {

void Report::Note(const std::string& what, unsigned long error) {
  if (error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
    return;
  failures_.push_back(what);
}

std::string Report::Text() const {
  if (failures_.empty()) return "Testanza has been removed from your computer.";
  std::string text =
      "Testanza has been removed from your computer, except for these items, "
      "which could not be removed:\r\n";
  for (const std::string& f : failures_) text += "\r\n    " + f;
  text += "\r\n\r\nYou may remove them yourself.";
  return text;
}

}  // namespace tz
