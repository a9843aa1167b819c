// What went wrong in one run of a scenario, each item tied to the line of the
// scenario it belongs to where there is one.
#pragma once

#include <string>
#include <vector>

namespace scenario_sim {

class Failures {
 public:
  void Add(const std::string& what) { items_.push_back(what); }
  void Add(int line, const std::string& source, const std::string& what) {
    items_.push_back(At(line, source) + what);
  }
  static std::string At(int line, const std::string& source) {
    return "line " + std::to_string(line) + ": " + source + ": ";
  }
  bool empty() const { return items_.empty(); }
  const std::vector<std::string>& items() const { return items_; }

 private:
  std::vector<std::string> items_;
};

}  // namespace scenario_sim
