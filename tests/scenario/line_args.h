// The words of one scenario line after its keyword, read by position, by
// option name or as bare flags; Finish reports whatever was not used, so a
// misspelt option fails the parse instead of being ignored.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "lexer.h"

namespace scenario {

class LineArgs {
 public:
  explicit LineArgs(std::vector<Token> tokens);

  size_t Count() const { return positional_.size(); }
  // The i-th positional word; marks it used. Out of range: empty.
  const std::string& At(size_t i);
  bool IsQuoted(size_t i) const { return i < positional_.size() && positional_[i].quoted; }
  // Marks and reports a bare (unquoted) positional word equal to word, at or after from.
  bool Flag(const char* word, size_t from);
  std::optional<std::string> Option(const char* name);
  // Every option, in order, all marked used.
  std::vector<std::pair<std::string, std::string>> TakeOptions();
  // False with a message when a word or option was left unused or given twice.
  bool Finish(std::string* error) const;

 private:
  std::vector<Token> positional_;
  std::vector<Token> options_;
  std::vector<bool> usedPositional_;
  std::vector<bool> usedOption_;
};

}  // namespace scenario
