// The .TZ1 test file: a small line-based text format of ours, described in
// payload/TZ1-FORMAT.txt. Plain C++ with no Windows header, so the host tests
// can check the parser and the shipped samples.
#pragma once

#include <string>
#include <vector>

namespace tz1 {

enum class Kind { FillInTheBlank, MultipleChoice };

struct Question {
  std::string text;
  std::vector<std::string> answers;  // fill in the blank: every accepted answer
  std::vector<std::string> choices;  // multiple choice: in the order shown
  int correct = -1;                  // multiple choice: index into choices
};

struct Test {
  std::string title;
  std::string author;
  Kind kind = Kind::FillInTheBlank;
  std::vector<Question> questions;
};

// Fills `test` from the file's text. On a malformed file returns false and
// puts "line N: reason" into `error`.
bool Parse(const std::string& text, Test& test, std::string& error);

// The text the program shows for a test: title, kind and numbered questions
// with their answers, lines ended by CR LF.
std::string Render(const Test& test);

const char* KindName(Kind kind);

}  // namespace tz1
