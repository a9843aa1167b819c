// The .res file that windres makes from the resource script: a sequence of
// resource headers (sizes, type, name, language) each followed by its data.
// The simulated machine loads the program's resources from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

constexpr os::WORD RT_ICON = 3, RT_DIALOG = 5, RT_GROUP_ICON = 14;

// A resource type or name: a number, or a text that matches without regard to
// case (kept in capitals, as the resource compiler stores it).
struct ResId {
  bool isNumber = true;
  os::WORD number = 0;
  std::string text;

  ResId() = default;
  ResId(int n) : number(static_cast<os::WORD>(n)) {}       // NOLINT: ids read best bare
  ResId(const char* name);                                 // NOLINT
  ResId(const std::string& name) : ResId(name.c_str()) {}  // NOLINT
  // What a resource call was passed: MAKEINTRESOURCEA(n), "#n" or a name.
  static ResId FromArg(const char* arg);

  bool operator==(const ResId& other) const;
  bool operator!=(const ResId& other) const { return !(*this == other); }
  std::string ToString() const;  // "132" or "TEXT"
};

struct Resource {
  ResId type;
  ResId name;
  os::WORD language = 0;
  std::vector<uint8_t> bytes;
};

// Reads every resource of a .res image. False, with the reason, for an image
// that is not one; it never reads outside data[0, size).
bool ParseResFile(const uint8_t* data, size_t size, std::vector<Resource>* out, std::string* error);

}  // namespace sim
