// Checks the shape of the containers our packer makes, item by item.
#pragma once

#include <gtest/gtest.h>

#include "files.h"

namespace szddtest {

// Header of mode A with no name character and the given length; then items
// that produce exactly that length, no reference that ends past it or reads
// the slot it writes (4096 back), and no byte after the last item, so no
// empty flag byte at the end either.
testing::AssertionResult WellFormed(const Bytes& container, size_t length);

// The header length field, or nothing for a container too short to have one.
bool HeaderLength(const Bytes& container, uint32_t& length);

}  // namespace szddtest
