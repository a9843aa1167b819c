#include "lexer.h"

namespace scenario {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t'; }

bool IsNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted text starting at line[*pos] (the quote) into value.
bool ReadQuoted(const std::string& line, size_t* pos, std::string* value, std::string* error) {
  const char quote = line[*pos];
  size_t i = *pos + 1;
  std::string body;
  for (; i < line.size() && line[i] != quote; ++i) {
    body += line[i];
    if (quote == '"' && line[i] == '\\' && i + 1 < line.size()) body += line[++i];
  }
  if (i >= line.size()) {
    *error = std::string("unterminated ") + quote + "..." + quote + " text";
    return false;
  }
  *pos = i + 1;
  if (quote == '\'') {
    *value = body;
    return true;
  }
  return Unescape(body, value, error);
}

// A bare word runs to the next blank.
std::string ReadBare(const std::string& line, size_t* pos) {
  size_t start = *pos;
  while (*pos < line.size() && !IsSpace(line[*pos])) ++*pos;
  return line.substr(start, *pos - start);
}

bool ReadValue(const std::string& line, size_t* pos, Token* t, std::string* error) {
  if (*pos < line.size() && (line[*pos] == '"' || line[*pos] == '\'')) {
    t->quoted = true;
    return ReadQuoted(line, pos, &t->value, error);
  }
  t->value = ReadBare(line, pos);
  return true;
}

}  // namespace

bool Unescape(const std::string& body, std::string* out, std::string* error) {
  out->clear();
  for (size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\') {
      *out += body[i];
      continue;
    }
    const char e = i + 1 < body.size() ? body[++i] : '\0';
    switch (e) {
      case 'r': *out += '\r'; break;
      case 'n': *out += '\n'; break;
      case 't': *out += '\t'; break;
      case '0': *out += '\0'; break;
      case '\\': *out += '\\'; break;
      case '"': *out += '"'; break;
      case 'x': {
        int hi = i + 1 < body.size() ? HexDigit(body[i + 1]) : -1;
        int lo = i + 2 < body.size() ? HexDigit(body[i + 2]) : -1;
        if (hi < 0 || lo < 0) {
          *error = "\\x needs two hex digits";
          return false;
        }
        *out += static_cast<char>(hi * 16 + lo);
        i += 2;
        break;
      }
      default:
        *error = std::string("unknown escape \\") + e +
                 " (write paths in '...' or double the backslash)";
        return false;
    }
  }
  return true;
}

bool SplitLine(const std::string& line, std::vector<Token>* out, std::string* error) {
  out->clear();
  size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsSpace(line[pos])) ++pos;
    if (pos >= line.size()) return true;
    Token t;
    size_t name_end = pos;
    while (name_end < line.size() && IsNameChar(line[name_end])) ++name_end;
    if (name_end > pos && name_end < line.size() && line[name_end] == '=') {
      t.isOption = true;
      t.name = line.substr(pos, name_end - pos);
      pos = name_end + 1;
    }
    if (!ReadValue(line, &pos, &t, error)) return false;
    if (pos < line.size() && !IsSpace(line[pos])) {
      *error = "a blank must follow a quoted text";
      return false;
    }
    out->push_back(std::move(t));
  }
}

}  // namespace scenario
