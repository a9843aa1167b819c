// Shell links through the shell's own link object, as the installer makes them.
#pragma once

#include <string>

#include "tests/scenario/scenario.h"

namespace e2e {

struct LinkInfo {
  std::string target, dir, desc, icon, args;
  int iconIndex = 0;
  int show = 0;
};

bool SaveLink(const std::string& path, const scenario::LinkProps& props, std::string* error);
bool LoadLink(const std::string& path, LinkInfo* out, std::string* error);

}  // namespace e2e
