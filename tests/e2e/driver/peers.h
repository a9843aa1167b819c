// Other programs as the installer meets them: top-level windows with given
// titles, each on its own thread, that note the messages they receive, and
// named mutexes held for the whole run.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace e2e {

class Peers {
 public:
  Peers();
  ~Peers();
  Peers(const Peers&) = delete;
  Peers& operator=(const Peers&) = delete;

  bool AddWindow(const std::string& title, std::string* error);
  bool AddMutex(const std::string& name, std::string* error);
  // Messages from WM_USER up that the window titled title received, in order;
  // false when no such window was set up.
  bool Received(const std::string& title, std::vector<unsigned>* messages) const;

  struct Window;

 private:
  std::vector<std::unique_ptr<Window>> windows_;
  std::vector<void*> mutexes_;
};

}  // namespace e2e
