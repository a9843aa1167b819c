#include "source.h"

#include <set>

namespace hlpc {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return std::string();
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

bool ValidContext(const std::string& id) {
  if (id.empty()) return false;
  for (char c : id)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
          c == '.'))
      return false;
  return true;
}

// Splits "see [the format](tz1_format) for details" into runs.
bool ToRuns(const std::string& text, std::vector<Run>& runs, std::string& why) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t open = text.find('[', pos);
    if (open == std::string::npos) {
      runs.push_back({text.substr(pos), ""});
      break;
    }
    size_t close = text.find("](", open);
    size_t end = close == std::string::npos ? close : text.find(')', close);
    if (end == std::string::npos) {
      why = "unfinished jump: [text](context-id)";
      return false;
    }
    if (open > pos) runs.push_back({text.substr(pos, open - pos), ""});
    std::string label = text.substr(open + 1, close - open - 1);
    std::string target = text.substr(close + 2, end - close - 2);
    if (label.empty() || !ValidContext(target)) {
      why = "bad jump [" + label + "](" + target + ")";
      return false;
    }
    runs.push_back({label, target});
    pos = end + 1;
  }
  return true;
}

struct Parser {
  HelpSource& out;
  std::string& error;
  Parser(HelpSource& o, std::string& e) : out(o), error(e) {}
  int line = 0;
  std::string body;  // body text gathered for the current paragraph
  std::vector<std::pair<int, std::string>> jumps;

  bool Fail(const std::string& why) {
    error = "line " + std::to_string(line) + ": " + why;
    return false;
  }

  bool AddParagraph(ParagraphKind kind, const std::string& text) {
    if (out.topics.empty()) return Fail("text before the first .topic");
    Paragraph p;
    p.kind = kind;
    std::string why;
    if (!ToRuns(text, p.runs, why)) return Fail(why);
    for (const Run& r : p.runs)
      if (!r.jump.empty()) jumps.push_back({line, r.jump});
    out.topics.back().paragraphs.push_back(p);
    return true;
  }

  bool FlushBody() {
    if (body.empty()) return true;
    std::string text;
    text.swap(body);
    return AddParagraph(ParagraphKind::Body, text);
  }

  bool StartTopic(const std::string& rest) {
    size_t space = rest.find(' ');
    std::string id = rest.substr(0, space);
    std::string title = space == std::string::npos ? "" : Trim(rest.substr(space));
    if (!ValidContext(id)) return Fail("bad context id '" + id + "'");
    if (title.empty()) return Fail("a topic needs a title");
    for (const Topic& t : out.topics)
      if (t.context == id) return Fail("context id used twice: " + id);
    out.topics.push_back(Topic{id, title, {}});
    return AddParagraph(ParagraphKind::Title, title);
  }

  bool Directive(const std::string& s) {
    size_t space = s.find(' ');
    std::string name = s.substr(0, space);
    std::string rest = space == std::string::npos ? "" : Trim(s.substr(space));
    if (name == ".topic") return StartTopic(rest);
    if (name == ".h") return rest.empty() ? Fail(".h needs text") : AddParagraph(ParagraphKind::Heading, rest);
    if (name == ".title" || name == ".copyright") {
      if (!out.topics.empty()) return Fail(name + " belongs before the first topic");
      (name == ".title" ? out.title : out.copyright) = rest;
      return true;
    }
    return Fail("unknown directive " + name);
  }

  bool Line(const std::string& raw) {
    std::string s = Trim(raw);
    if (!s.empty() && s[0] == ';') return true;
    if (s.empty()) return FlushBody();
    if (s[0] == '.') return FlushBody() && Directive(s);
    if (s.size() > 1 && s[0] == '-' && s[1] == ' ')
      return FlushBody() && AddParagraph(ParagraphKind::ListItem, Trim(s.substr(2)));
    body += (body.empty() ? "" : " ") + s;
    return true;
  }

  bool ParseAll(const std::string& text) {
    size_t pos = 0;
    while (pos < text.size()) {
      size_t nl = text.find('\n', pos);
      if (nl == std::string::npos) nl = text.size();
      ++line;
      if (!Line(text.substr(pos, nl - pos))) return false;
      pos = nl + 1;
    }
    if (!FlushBody()) return false;
    if (out.topics.empty()) return Fail("no topics");
    if (out.title.empty()) return Fail("no .title");
    std::set<std::string> known;
    for (const Topic& t : out.topics) known.insert(t.context);
    for (const auto& j : jumps) {
      line = j.first;
      if (!known.count(j.second)) return Fail("jump to unknown topic " + j.second);
    }
    return true;
  }
};

}  // namespace

bool ParseSource(const std::string& text, HelpSource& out, std::string& error) {
  out = HelpSource();
  error.clear();
  Parser p(out, error);
  return p.ParseAll(text);
}

}  // namespace hlpc
