// Other programs' SZDD coders, to check our containers against.
#pragma once

#include <gtest/gtest.h>

#include "files.h"

namespace szddtest {

// libmspack's SZDD decompressor, through a file on disk.
testing::AssertionResult ExpandWithLibmspack(const Bytes& container, Bytes& out);
// The msexpand program of the mscompress package.
testing::AssertionResult ExpandWithMsexpand(const Bytes& container, Bytes& out);
// The mscompress program: the container it makes of the file.
testing::AssertionResult PackWithMscompress(const Bytes& file, Bytes& container);

}  // namespace szddtest
