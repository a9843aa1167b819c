#include "scenario.h"

#include <cstdio>

#include "line_args.h"
#include "parse_lines.h"

namespace scenario {
namespace {

struct Button {
  const char* name;
  int id;
};
const Button kButtons[] = {{"ok", 1},     {"cancel", 2}, {"abort", 3}, {"retry", 4},
                           {"ignore", 5}, {"yes", 6},    {"no", 7}};

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool SectionHeader(const std::string& line, Section* next) {
  if (line == "before:") *next = Section::Before;
  else if (line == "steps:") *next = Section::Steps;
  else if (line == "after:") *next = Section::After;
  else return false;
  return true;
}

bool HeaderLine(const std::string& keyword, LineArgs* a, Scenario* s, std::string* error) {
  if (keyword == "title" && a->Count() == 1) {
    s->title = a->At(0);
    return true;
  }
  if (keyword == "only" && a->Count() == 1) {
    if (a->Flag("sim", 0)) {
      s->only = Scenario::Only::Sim;
      return true;
    }
    if (a->Flag("wine", 0)) {
      s->only = Scenario::Only::Wine;
      return true;
    }
    *error = "usage: only sim|wine";
    return false;
  }
  *error = "before the first section only 'title TEXT' and 'only sim|wine' may stand (got '" +
           keyword + "')";
  return false;
}

// One line of a section: the keyword, then its reader.
bool ParseLine(const std::string& line, int number, Section section, Scenario* s,
               std::string* error) {
  std::vector<Token> tokens;
  if (!SplitLine(line, &tokens, error)) return false;
  if (tokens.front().isOption || tokens.front().quoted) {
    *error = "a line begins with a keyword";
    return false;
  }
  const std::string keyword = tokens.front().value;
  tokens.erase(tokens.begin());
  LineArgs args(std::move(tokens));
  bool ok = false;
  if (section == Section::Header) {
    ok = HeaderLine(keyword, &args, s, error);
  } else if (section == Section::Steps) {
    Step step;
    step.line = number;
    step.source = line;
    ok = ParseStep(keyword, &args, &step, error);
    if (ok) s->steps.push_back(std::move(step));
  } else {
    Fact fact;
    fact.line = number;
    fact.source = line;
    ok = ParseFact(keyword, &args, section, &fact, error);
    if (ok) (section == Section::Before ? s->before : s->after).push_back(std::move(fact));
  }
  return ok && args.Finish(error);
}

bool CheckWhole(const Scenario& s, std::string* error) {
  int exits = 0;
  for (const Fact& f : s.after) {
    if (f.kind == Fact::Exit && ++exits > 1) {
      *error = "line " + std::to_string(f.line) + ": a second exit line";
      return false;
    }
  }
  return true;
}

}  // namespace

bool Parse(const std::string& text, Scenario* out, std::string* error) {
  Scenario s;
  Section section = Section::Header;
  int number = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string raw = text.substr(pos, end - pos);
    pos = end + 1;
    ++number;
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    const std::string line = Trim(raw);
    if (line.empty() || line[0] == '#') continue;
    Section next;
    if (SectionHeader(line, &next)) {
      if (next <= section) {
        *error = "line " + std::to_string(number) + ": sections come once each, as before:, steps:, after:";
        return false;
      }
      section = next;
      continue;
    }
    std::string message;
    if (!ParseLine(line, number, section, &s, &message)) {
      *error = "line " + std::to_string(number) + ": " + message;
      return false;
    }
  }
  if (!CheckWhole(s, error)) return false;
  *out = std::move(s);
  return true;
}

int ButtonId(const std::string& name) {
  for (const Button& b : kButtons)
    if (name == b.name) return b.id;
  return 0;
}

const char* ButtonName(int id) {
  for (const Button& b : kButtons)
    if (id == b.id) return b.name;
  return "?";
}

std::string Quote(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '\r') out += "\\r";
    else if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else if (c == '"') out += "\\\"";
    else if (c < 0x20 || c == 0x7F) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace scenario
