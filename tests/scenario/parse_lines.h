// Readers of single lines, one per section kind. Each fills its result from
// the keyword and the remaining words, or returns false with a message.
#pragma once

#include <string>

#include "line_args.h"
#include "scenario.h"

namespace scenario {

enum class Section { Header, Before, Steps, After };

bool ParseFact(const std::string& keyword, LineArgs* args, Section section, Fact* fact,
               std::string* error);

bool ParseStep(const std::string& keyword, LineArgs* args, Step* step, std::string* error);

}  // namespace scenario
