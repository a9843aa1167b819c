#include "line_args.h"

namespace scenario {

LineArgs::LineArgs(std::vector<Token> tokens) {
  for (Token& t : tokens) (t.isOption ? options_ : positional_).push_back(std::move(t));
  usedPositional_.assign(positional_.size(), false);
  usedOption_.assign(options_.size(), false);
}

const std::string& LineArgs::At(size_t i) {
  static const std::string empty;
  if (i >= positional_.size()) return empty;
  usedPositional_[i] = true;
  return positional_[i].value;
}

bool LineArgs::Flag(const char* word, size_t from) {
  for (size_t i = from; i < positional_.size(); ++i) {
    if (!positional_[i].quoted && positional_[i].value == word) {
      usedPositional_[i] = true;
      return true;
    }
  }
  return false;
}

std::optional<std::string> LineArgs::Option(const char* name) {
  for (size_t i = 0; i < options_.size(); ++i) {
    if (options_[i].name == name) {
      usedOption_[i] = true;
      return options_[i].value;
    }
  }
  return std::nullopt;
}

std::vector<std::pair<std::string, std::string>> LineArgs::TakeOptions() {
  std::vector<std::pair<std::string, std::string>> all;
  for (size_t i = 0; i < options_.size(); ++i) {
    usedOption_[i] = true;
    all.emplace_back(options_[i].name, options_[i].value);
  }
  return all;
}

bool LineArgs::Finish(std::string* error) const {
  for (size_t i = 0; i < options_.size(); ++i) {
    for (size_t j = 0; j < i; ++j) {
      if (options_[i].name == options_[j].name) {
        *error = "option " + options_[i].name + "= given twice";
        return false;
      }
    }
    if (!usedOption_[i]) {
      *error = "unknown option " + options_[i].name + "=";
      return false;
    }
  }
  for (size_t i = 0; i < positional_.size(); ++i) {
    if (!usedPositional_[i]) {
      *error = "unexpected word '" + positional_[i].value + "'";
      return false;
    }
  }
  return true;
}

}  // namespace scenario
