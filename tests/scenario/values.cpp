#include "values.h"

#include <cstdio>

namespace scenario {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Digits(const std::string& s, size_t pos, size_t n, int* out) {
  if (pos + n > s.size()) return false;
  int v = 0;
  for (size_t i = pos; i < pos + n; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
  }
  *out = v;
  return true;
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysIn(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

bool StripPrefix(const std::string& s, const char* prefix, std::string* rest) {
  std::string p(prefix);
  if (s.size() < p.size()) return false;
  for (size_t i = 0; i < p.size(); ++i) {
    char c = s[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c != p[i]) return false;
  }
  if (s.size() > p.size() && s[p.size()] != '\\') return false;
  *rest = s.substr(p.size());
  return true;
}

}  // namespace

bool ParseNumber(const std::string& word, unsigned long long max, unsigned long long* out) {
  size_t i = 0;
  int base = 10;
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
    base = 16;
    i = 2;
  }
  if (i >= word.size()) return false;
  unsigned long long v = 0;
  for (; i < word.size(); ++i) {
    int d = base == 16 ? HexDigit(word[i]) : (word[i] >= '0' && word[i] <= '9' ? word[i] - '0' : -1);
    if (d < 0) return false;
    if (v > (max - static_cast<unsigned>(d)) / static_cast<unsigned>(base)) return false;
    v = v * static_cast<unsigned>(base) + static_cast<unsigned>(d);
  }
  *out = v;
  return true;
}

bool ParseLocalTime(const std::string& w, LocalTime* out) {
  LocalTime t;
  if (w.size() != 19 || w[4] != '-' || w[7] != '-' || (w[10] != ' ' && w[10] != 'T') ||
      w[13] != ':' || w[16] != ':')
    return false;
  if (!Digits(w, 0, 4, &t.year) || !Digits(w, 5, 2, &t.month) || !Digits(w, 8, 2, &t.day) ||
      !Digits(w, 11, 2, &t.hour) || !Digits(w, 14, 2, &t.minute) || !Digits(w, 17, 2, &t.second))
    return false;
  if (t.year < 1601 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > DaysIn(t.year, t.month) ||
      t.hour > 23 || t.minute > 59 || t.second > 59)
    return false;
  *out = t;
  return true;
}

bool ParseHex(const std::string& word, std::string* out) {
  out->clear();
  for (size_t i = 0; i < word.size();) {
    if (word[i] == ' ') {
      ++i;
      continue;
    }
    int hi = HexDigit(word[i]);
    int lo = i + 1 < word.size() ? HexDigit(word[i + 1]) : -1;
    if (hi < 0 || lo < 0) return false;
    *out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

bool ParseKeyPath(const std::string& word, RegRoot* root, std::string* path) {
  std::string rest;
  if (StripPrefix(word, "HKLM", &rest) || StripPrefix(word, "HKEY_LOCAL_MACHINE", &rest)) {
    *root = RegRoot::LocalMachine;
  } else if (StripPrefix(word, "HKCU", &rest) || StripPrefix(word, "HKEY_CURRENT_USER", &rest)) {
    *root = RegRoot::CurrentUser;
  } else {
    return false;
  }
  size_t b = rest.find_first_not_of('\\');
  size_t e = rest.find_last_not_of('\\');
  *path = b == std::string::npos ? std::string() : rest.substr(b, e - b + 1);
  return path->find("\\\\") == std::string::npos;
}

bool ParseRegData(const std::string& type_word, const std::string& data_word, RegType* type,
                  std::string* bytes, std::string* error) {
  if (type_word == "sz" || type_word == "expand_sz") {
    *type = type_word == "sz" ? RegType::Sz : RegType::ExpandSz;
    *bytes = data_word + '\0';
    return true;
  }
  if (type_word == "dword") {
    unsigned long long v = 0;
    if (!ParseNumber(data_word, 0xFFFFFFFFull, &v)) {
      *error = "dword data must be a number up to 0xFFFFFFFF";
      return false;
    }
    *type = RegType::Dword;
    bytes->clear();
    for (int i = 0; i < 4; ++i) *bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
    return true;
  }
  if (type_word == "binary") {
    *type = RegType::Binary;
    if (!ParseHex(data_word, bytes)) {
      *error = "binary data must be pairs of hex digits";
      return false;
    }
    return true;
  }
  *error = "unknown registry type '" + type_word + "' (sz, expand_sz, dword, binary)";
  return false;
}

bool operator==(const LocalTime& a, const LocalTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::string Format(const LocalTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

}  // namespace scenario
