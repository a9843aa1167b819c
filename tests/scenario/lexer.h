// Splits one scenario line into words: bare words, "escaped texts", 'raw
// texts' and name=value options whose value may be any of the three.
#pragma once

#include <string>
#include <vector>

namespace scenario {

struct Token {
  bool isOption = false;  // name=value
  std::string name;       // options only
  std::string value;      // the word, unquoted and unescaped
  bool quoted = false;
};

bool SplitLine(const std::string& line, std::vector<Token>* out, std::string* error);

// The escapes of a "..." text: \r \n \t \0 \\ \" and \xHH. Anything else
// after a backslash is an error, so a path written in double quotes with
// single backslashes is caught wherever its next letter is not an escape.
bool Unescape(const std::string& body, std::string* out, std::string* error);

}  // namespace scenario
