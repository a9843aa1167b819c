#include "tz1.h"

#include <cstdio>

namespace tz1 {
namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return std::string();
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

struct Parser {
  Test& test;
  std::string& error;
  Parser(Test& t, std::string& e) : test(t), error(e) {}
  int line = 0;
  bool haveTitle = false;
  bool haveKind = false;

  bool Fail(const char* why) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "line %d: ", line);
    error = std::string(buf) + why;
    return false;
  }

  bool CheckQuestion(const Question& q) {
    if (test.kind == Kind::FillInTheBlank) {
      if (q.text.find("___") == std::string::npos) return Fail("a fill-in question needs a blank (___)");
      if (q.answers.empty()) return Fail("a fill-in question needs an answer (A:)");
      if (!q.choices.empty()) return Fail("choices (C:) belong to multiple-choice tests");
    } else {
      if (q.choices.size() < 2) return Fail("a multiple-choice question needs two choices or more");
      if (q.correct < 0) return Fail("a multiple-choice question needs its correct choice (C*:)");
      if (!q.answers.empty()) return Fail("answers (A:) belong to fill-in tests");
    }
    return true;
  }

  bool Header(const std::string& key, const std::string& value) {
    if (!test.questions.empty()) return Fail("header lines come before the first question");
    if (key == "Title") {
      test.title = value;
      haveTitle = !value.empty();
    } else if (key == "Kind") {
      if (value == "FITB") test.kind = Kind::FillInTheBlank;
      else if (value == "MULT") test.kind = Kind::MultipleChoice;
      else return Fail("Kind is FITB or MULT");
      haveKind = true;
    } else if (key == "Author") {
      test.author = value;
    }
    // Other header keys are left for later versions of the format.
    return true;
  }

  bool Item(const std::string& key, const std::string& value) {
    if (key == "Q") {
      if (!haveTitle || !haveKind) return Fail("Title and Kind come before the first question");
      if (!test.questions.empty() && !CheckQuestion(test.questions.back())) return false;
      if (value.empty()) return Fail("empty question");
      test.questions.push_back(Question());
      test.questions.back().text = value;
      return true;
    }
    if (key != "A" && key != "C" && key != "C*") return Header(key, value);
    if (test.questions.empty()) return Fail("an answer or choice before the first question");
    Question& q = test.questions.back();
    if (value.empty()) return Fail("empty answer or choice");
    if (key == "A") {
      q.answers.push_back(value);
    } else if (key == "C" || key == "C*") {
      if (key == "C*") {
        if (q.correct >= 0) return Fail("two correct choices");
        q.correct = static_cast<int>(q.choices.size());
      }
      q.choices.push_back(value);
    }
    return true;
  }

  bool Line(const std::string& raw) {
    std::string s = Trim(raw);
    if (line == 1) return s == "TZ1" ? true : Fail("not a TZ1 file (first line must be TZ1)");
    if (s.empty() || s[0] == ';') return true;
    size_t colon = s.find(':');
    if (colon == std::string::npos || colon == 0) return Fail("expected Key: value");
    return Item(s.substr(0, colon), Trim(s.substr(colon + 1)));
  }

  bool ParseAll(const std::string& text) {
    size_t pos = 0;
    while (pos <= text.size()) {
      size_t nl = text.find('\n', pos);
      if (nl == std::string::npos) nl = text.size();
      ++line;
      if (!Line(text.substr(pos, nl - pos))) return false;
      pos = nl + 1;
    }
    if (line < 1 || !haveTitle || !haveKind) return Fail("Title and Kind are required");
    if (test.questions.empty()) return Fail("no questions");
    return CheckQuestion(test.questions.back());
  }
};

}  // namespace

bool Parse(const std::string& text, Test& test, std::string& error) {
  test = Test();
  error.clear();
  Parser p(test, error);
  return p.ParseAll(text);
}

const char* KindName(Kind kind) {
  return kind == Kind::FillInTheBlank ? "Fill in the blank" : "Multiple choice";
}

std::string Render(const Test& test) {
  std::string out = test.title + "\r\n";
  out += "Kind: " + std::string(KindName(test.kind)) + "\r\n";
  if (!test.author.empty()) out += "Author: " + test.author + "\r\n";
  char buf[64];
  std::snprintf(buf, sizeof buf, "Questions: %u\r\n", static_cast<unsigned>(test.questions.size()));
  out += buf;
  for (size_t i = 0; i < test.questions.size(); ++i) {
    const Question& q = test.questions[i];
    std::snprintf(buf, sizeof buf, "\r\n%u. ", static_cast<unsigned>(i + 1));
    out += buf + q.text + "\r\n";
    for (size_t c = 0; c < q.choices.size(); ++c) {
      std::snprintf(buf, sizeof buf, "    %c) ", static_cast<char>('a' + c % 26));
      out += buf + q.choices[c] + (static_cast<int>(c) == q.correct ? "   <= correct" : "") + "\r\n";
    }
    for (size_t a = 0; a < q.answers.size(); ++a)
      out += (a == 0 ? "    Answer: " : "    Also accepted: ") + q.answers[a] + "\r\n";
  }
  return out;
}

}  // namespace tz1
