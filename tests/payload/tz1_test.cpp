// The .TZ1 parser, and the two sample tests that ship with the product.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "tz1.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

tz1::Test Sample(const char* name) {
  tz1::Test test;
  std::string error;
  EXPECT_TRUE(tz1::Parse(ReadFile(std::string(SAMPLES_DIR) + "/" + name), test, error)) << error;
  return test;
}

// Each sample asks for the capital of every state once.
void ExpectFiftyStates(const tz1::Test& test, const char* before, const char* after) {
  std::set<std::string> states;
  for (const auto& q : test.questions) {
    size_t b = q.text.find(before), a = q.text.rfind(after);
    ASSERT_TRUE(b == 0 && a != std::string::npos) << q.text;
    states.insert(q.text.substr(std::strlen(before), a - std::strlen(before)));
  }
  EXPECT_EQ(states.size(), 50u);
  EXPECT_EQ(test.questions.size(), 50u);
}

TEST(Tz1, FillInTheBlankSample) {
  tz1::Test test = Sample("US-Caps_FITB.TZ1");
  ASSERT_EQ(test.questions.size(), 50u);
  EXPECT_EQ(test.kind, tz1::Kind::FillInTheBlank);
  ExpectFiftyStates(test, "The capital of ", " is ____.");
  std::map<std::string, std::string> answer;
  for (const auto& q : test.questions) answer[q.text] = q.answers.front();
  EXPECT_EQ(answer["The capital of Alabama is ____."], "Montgomery");
  EXPECT_EQ(answer["The capital of Minnesota is ____."], "Saint Paul");
  EXPECT_EQ(answer["The capital of Wyoming is ____."], "Cheyenne");
}

TEST(Tz1, MultipleChoiceSample) {
  tz1::Test test = Sample("US-Caps_MULT.TZ1");
  ASSERT_EQ(test.questions.size(), 50u);
  EXPECT_EQ(test.kind, tz1::Kind::MultipleChoice);
  ExpectFiftyStates(test, "What is the capital of ", "?");
  std::set<int> positions;
  for (const auto& q : test.questions) {
    EXPECT_EQ(q.choices.size(), 4u) << q.text;
    EXPECT_EQ(std::set<std::string>(q.choices.begin(), q.choices.end()).size(), 4u) << q.text;
    positions.insert(q.correct);
  }
  EXPECT_EQ(positions.size(), 4u) << "the correct choice should not always sit in one place";
  EXPECT_EQ(test.questions[1].choices[test.questions[1].correct], "Juneau");
}

TEST(Tz1, SamplesAgreeOnEveryCapital) {
  tz1::Test fitb = Sample("US-Caps_FITB.TZ1"), mult = Sample("US-Caps_MULT.TZ1");
  ASSERT_EQ(fitb.questions.size(), mult.questions.size());
  for (size_t i = 0; i < fitb.questions.size(); ++i) {
    const auto& m = mult.questions[i];
    EXPECT_EQ(fitb.questions[i].answers.front(), m.choices[m.correct]) << m.text;
  }
}

TEST(Tz1, RenderShowsTitleKindAndQuestions) {
  tz1::Test test;
  std::string error;
  ASSERT_TRUE(tz1::Parse("TZ1\r\nTitle: T\r\nKind: MULT\r\nQ: Pick\r\nC: x\r\nC*: y\r\n", test, error));
  EXPECT_EQ(tz1::Render(test),
            "T\r\nKind: Multiple choice\r\nQuestions: 1\r\n\r\n1. Pick\r\n"
            "    a) x\r\n    b) y   <= correct\r\n");
}

TEST(Tz1, MalformedFilesAreRefusedWithTheLine) {
  struct Case {
    const char* text;
    const char* error;
  } cases[] = {
      {"TZ2\nTitle: T\nKind: FITB\nQ: a ___\nA: b\n", "line 1: not a TZ1 file (first line must be TZ1)"},
      {"TZ1\nKind: FITB\nQ: a ___\nA: b\n", "line 3: Title and Kind come before the first question"},
      {"TZ1\nTitle: T\nKind: ESSAY\n", "line 3: Kind is FITB or MULT"},
      {"TZ1\nTitle: T\nKind: FITB\nQ: no blank\nA: b\n", "line 6: a fill-in question needs a blank (___)"},
      {"TZ1\nTitle: T\nKind: FITB\nQ: a ___\nQ: b ___\nA: c\n", "line 5: a fill-in question needs an answer (A:)"},
      {"TZ1\nTitle: T\nKind: MULT\nQ: a\nC: x\nC: y\n", "line 7: a multiple-choice question needs its correct choice (C*:)"},
      {"TZ1\nTitle: T\nKind: MULT\nQ: a\nC*: x\nC*: y\n", "line 6: two correct choices"},
      {"TZ1\nTitle: T\nKind: MULT\nQ: a\nC*: x\n", "line 6: a multiple-choice question needs two choices or more"},
      {"TZ1\nTitle: T\nKind: FITB\n", "line 4: no questions"},
      {"TZ1\nTitle: T\nKind: FITB\nQ: a ___\nA: b\nTitle: U\n", "line 6: header lines come before the first question"},
      {"TZ1\nTitle: T\nKind: FITB\nQ: a ___\nnonsense\n", "line 5: expected Key: value"},
  };
  for (const Case& c : cases) {
    tz1::Test test;
    std::string error;
    EXPECT_FALSE(tz1::Parse(c.text, test, error)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
