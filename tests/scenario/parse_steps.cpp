#include "parse_lines.h"
#include "values.h"

namespace scenario {
namespace {

bool Fail(std::string* error, const std::string& message) {
  *error = message;
  return false;
}

bool Arity(LineArgs* a, size_t n, const char* usage, std::string* error) {
  if (a->Count() != n) return Fail(error, std::string("usage: ") + usage);
  return true;
}

bool ControlArg(LineArgs* a, Step* s, std::string* error) {
  unsigned long long v = 0;
  if (!ParseNumber(a->At(0), 0xFFFF, &v)) return Fail(error, "'" + a->At(0) + "' is not a control id");
  s->control = static_cast<int>(v);
  return true;
}

bool TimeoutOption(LineArgs* a, Step* s, std::string* error) {
  std::optional<std::string> w = a->Option("timeout");
  if (!w) return true;
  unsigned long long v = 0;
  if (!ParseNumber(*w, 3600, &v) || v == 0) return Fail(error, "timeout= needs seconds, 1 to 3600");
  s->timeout = static_cast<int>(v);
  return true;
}

bool BoxStep(LineArgs* a, Step* s, std::string* error) {
  if (!Arity(a, 4, "box CAPTION TEXT STYLE ANSWER [owner=CAPTION] [timeout=S]", error)) return false;
  s->caption = a->At(0);
  s->text = a->At(1);
  unsigned long long style = 0;
  if (!ParseNumber(a->At(2), 0xFFFFFFFFull, &style)) return Fail(error, "box style must be a number");
  s->style = static_cast<unsigned>(style);
  s->answer = ButtonId(a->At(3));
  if (s->answer == 0)
    return Fail(error, "answer '" + a->At(3) + "' is none of ok cancel abort retry ignore yes no");
  s->owner = a->Option("owner");
  return TimeoutOption(a, s, error);
}

bool BrowseStep(LineArgs* a, Step* s, std::string* error) {
  if (!Arity(a, 1, "browse PATH|cancel [title=TEXT]", error)) return false;
  s->cancel = a->Flag("cancel", 0);
  if (!s->cancel) s->text = a->At(0);
  s->title = a->Option("title");
  return true;
}

bool ShotStep(LineArgs* a, Step* s, std::string* error) {
  if (!Arity(a, 1, "shot NAME", error)) return false;
  s->text = a->At(0);
  if (s->text.empty()) return Fail(error, "a shot needs a name");
  for (char c : s->text) {
    bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
              c == '-' || c == '_' || c == '.';
    if (!ok) return Fail(error, "a shot name is letters, digits, '-', '_' and '.'");
  }
  return true;
}

}  // namespace

bool ParseStep(const std::string& keyword, LineArgs* a, Step* s, std::string* error) {
  if (keyword == "wait") {
    s->kind = Step::Wait;
    if (!Arity(a, 1, "wait CAPTION [timeout=S]", error)) return false;
    s->caption = a->At(0);
    return TimeoutOption(a, s, error);
  }
  if (keyword == "check") {
    s->kind = Step::Check;
    if (!Arity(a, 2, "check ID TEXT [window=CAPTION]", error) || !ControlArg(a, s, error)) return false;
    s->text = a->At(1);
    s->caption = a->Option("window").value_or("");
    return true;
  }
  if (keyword == "type") {
    s->kind = Step::Type;
    if (!Arity(a, 2, "type ID TEXT", error) || !ControlArg(a, s, error)) return false;
    s->text = a->At(1);
    return true;
  }
  if (keyword == "click") {
    s->kind = Step::Click;
    return Arity(a, 1, "click ID", error) && ControlArg(a, s, error);
  }
  if (keyword == "enter" || keyword == "escape" || keyword == "close") {
    s->kind = keyword == "enter" ? Step::Enter : keyword == "escape" ? Step::Escape : Step::Close;
    return Arity(a, 0, "enter | escape | close", error);
  }
  if (keyword == "box") {
    s->kind = Step::Box;
    return BoxStep(a, s, error);
  }
  if (keyword == "browse") {
    s->kind = Step::Browse;
    return BrowseStep(a, s, error);
  }
  if (keyword == "rerun") {
    s->kind = Step::Rerun;
    return Arity(a, 0, "rerun", error);
  }
  if (keyword == "shot") {
    s->kind = Step::Shot;
    return ShotStep(a, s, error);
  }
  return Fail(error, "unknown step '" + keyword + "'");
}

}  // namespace scenario
