// Files that exercise the edges of the coding, made the same way every run.
#pragma once

#include <string>
#include <vector>

#include "files.h"

namespace szddtest {

struct Sample {
  const char* name;
  Bytes (*make)();
};

const std::vector<Sample>& EdgeSamples();

Bytes RandomBytes(size_t size, unsigned seed);
// Words in lines ending CR LF: the kind of file the payload's read-me is.
Bytes Text(size_t size, unsigned seed);

}  // namespace szddtest
