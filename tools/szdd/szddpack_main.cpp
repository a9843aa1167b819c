// szddpack <in> <out>     packs a file into an SZDD container of mode A
// szddpack -d <in> <out>  expands such a container
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "szdd.h"

namespace {

bool ReadFile(const char* path, std::vector<uint8_t>& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

int Usage() {
  std::fprintf(stderr, "usage: szddpack <in> <out>\n       szddpack -d <in> <out>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const bool expand = argc == 4 && std::strcmp(argv[1], "-d") == 0;
  if (argc != 3 && !expand) return Usage();
  const char* inPath = argv[argc - 2];
  const char* outPath = argv[argc - 1];
  std::vector<uint8_t> input;
  if (!ReadFile(inPath, input)) {
    std::fprintf(stderr, "szddpack: cannot read %s\n", inPath);
    return 1;
  }
  std::vector<uint8_t> output;
  if (expand) {
    if (!szdd::Expand(input.data(), input.size(), output)) {
      std::fprintf(stderr, "szddpack: %s is not a complete SZDD container of mode A\n", inPath);
      return 1;
    }
  } else {
    output = szdd::Pack(input.data(), input.size());
    if (output.empty()) {
      std::fprintf(stderr, "szddpack: %s is too large for an SZDD container\n", inPath);
      return 1;
    }
  }
  if (!WriteFile(outPath, output)) {
    std::fprintf(stderr, "szddpack: cannot write %s\n", outPath);
    std::remove(outPath);
    return 1;
  }
  return 0;
}
