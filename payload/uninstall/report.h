// Collects what the uninstaller could not remove, for the closing message.
#pragma once

#include <string>
#include <vector>

namespace tz {

class Report {
 public:
  // Records `what` when `error` is a real failure; a missing item is not one.
  void Note(const std::string& what, unsigned long error);
  bool Clean() const { return failures_.empty(); }
  std::string Text() const;

 private:
  std::vector<std::string> failures_;
};

}  // namespace tz
