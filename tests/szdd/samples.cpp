#include "samples.h"

#include <random>

namespace szddtest {
namespace {

Bytes Repeat(uint8_t byte, size_t count) { return Bytes(count, byte); }

Bytes Append(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// Runs past the longest reference, of spaces and of other bytes.
Bytes LongRuns() {
  Bytes b;
  const size_t lengths[] = {19, 20, 35, 36, 37, 100, 4095, 4096, 4097, 300};
  uint8_t byte = 'a';
  for (size_t len : lengths) b = Append(Append(b, Repeat(byte++, len)), Repeat(' ', len / 2));
  return b;
}

// A block that recurs exactly 4096 bytes later, whose cheapest copy would be
// the one reference the coding must not use, and one that recurs 4095 later.
Bytes WindowEdges() {
  const Bytes block = RandomBytes(4096, 7);
  const Bytes shorter = RandomBytes(4095, 8);
  return Append(Append(Append(block, block), shorter), shorter);
}

Bytes RealProgram() {
  Bytes b;
  if (!ReadFile("/usr/bin/ls", b)) b.clear();
  return b;
}

const char* const kWords[] = {"Testanza", "the",   "test",   "question", "answer", "of",   "a",
                              "file",     "setup", "folder", "program",  "help",   "and",  "to",
                              "Windows",  "run",   "score",  "student",  "sample", "1.20", "is"};

}  // namespace

Bytes RandomBytes(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  Bytes b(size);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

Bytes Text(size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string text;
  size_t line = 0;
  while (text.size() < size) {
    const std::string word = kWords[rng() % (sizeof kWords / sizeof *kWords)];
    if (line + word.size() > 70) {
      text += "\r\n";
      line = 0;
    }
    text += word + " ";
    line += word.size() + 1;
  }
  text.resize(size);
  return Bytes(text.begin(), text.end());
}

const std::vector<Sample>& EdgeSamples() {
  static const std::vector<Sample> samples = {
      {"empty", [] { return Bytes(); }},
      {"one_byte", [] { return Bytes{'Z'}; }},
      {"fifteen_bytes", [] { return Text(15, 1); }},
      {"eight_literals", [] { return Bytes{'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}; }},
      {"all_spaces", [] { return Repeat(' ', 10000); }},
      {"long_runs", LongRuns},
      {"random_bytes", [] { return RandomBytes(20000, 3); }},
      {"text", [] { return Text(30000, 4); }},
      {"window_edges", WindowEdges},
      {"real_program", RealProgram},
  };
  return samples;
}

}  // namespace szddtest
