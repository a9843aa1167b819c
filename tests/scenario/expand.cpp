#include "scenario.h"

namespace scenario {
namespace {

const std::string* Lookup(const Variables& vars, const std::string& name) {
  for (const auto& v : vars)
    if (v.first == name) return &v.second;
  return nullptr;
}

bool One(std::string* text, const Variables& vars, std::string* error) {
  std::string out;
  if (!Expand(*text, vars, &out, error)) return false;
  *text = std::move(out);
  return true;
}

bool Opt(std::optional<std::string>* text, const Variables& vars, std::string* error) {
  return !*text || One(&**text, vars, error);
}

bool ExpandFact(Fact* f, const Variables& vars, std::string* e) {
  bool ok = One(&f->path, vars, e) && One(&f->name, vars, e) &&
            Opt(&f->link.target, vars, e) && Opt(&f->link.dir, vars, e) &&
            Opt(&f->link.desc, vars, e) && Opt(&f->link.icon, vars, e) &&
            Opt(&f->link.args, vars, e) && One(&f->directive.keyword, vars, e);
  // Only texts take variables: binary and dword data, and file contents, are bytes.
  if (ok && (f->type == RegType::Sz || f->type == RegType::ExpandSz)) ok = One(&f->data, vars, e);
  for (std::string& a : f->directive.args) ok = ok && One(&a, vars, e);
  for (auto& o : f->directive.options) ok = ok && One(&o.second, vars, e);
  return ok;
}

bool ExpandStep(Step* s, const Variables& vars, std::string* e) {
  return One(&s->caption, vars, e) && One(&s->text, vars, e) && Opt(&s->owner, vars, e) &&
         Opt(&s->title, vars, e);
}

}  // namespace

bool Expand(const std::string& text, const Variables& vars, std::string* out, std::string* error) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '$') {
      *out += text[i];
      continue;
    }
    if (i + 1 < text.size() && text[i + 1] == '$') {
      *out += '$';
      ++i;
      continue;
    }
    if (i + 1 >= text.size() || text[i + 1] != '{') {
      *error = "a lone $ (write $$ for a dollar sign)";
      return false;
    }
    size_t close = text.find('}', i + 2);
    if (close == std::string::npos) {
      *error = "unterminated ${";
      return false;
    }
    const std::string name = text.substr(i + 2, close - i - 2);
    const std::string* value = Lookup(vars, name);
    if (!value) {
      *error = "unknown variable ${" + name + "}";
      return false;
    }
    *out += *value;
    i = close;
  }
  return true;
}

bool ExpandAll(Scenario* s, const Variables& vars, std::string* error) {
  std::string message;
  int line = 0;
  for (Fact& f : s->before)
    if (!line && !ExpandFact(&f, vars, &message)) line = f.line;
  for (Step& st : s->steps)
    if (!line && !ExpandStep(&st, vars, &message)) line = st.line;
  for (Fact& f : s->after)
    if (!line && !ExpandFact(&f, vars, &message)) line = f.line;
  if (line) *error = "line " + std::to_string(line) + ": " + message;
  return line == 0;
}

}  // namespace scenario
