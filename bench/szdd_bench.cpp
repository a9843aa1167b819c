// szdd_bench [file ...]
// Packs each file with our SZDD packer and with mscompress and prints the
// container sizes and times side by side. Without arguments it takes the
// payload (when the build knows where the cross build put it), a program of
// the host and generated text and random data.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "szdd.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

struct Input {
  std::string name;
  Bytes bytes;
};

bool ReadFile(const fs::path& path, Bytes& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

bool WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

Bytes Text(size_t size) {
  static const char* const words[] = {"Testanza", "question", "answer", "the", "of", "test",
                                      "score",    "student",  "file",   "a",   "to", "1.20"};
  std::mt19937 rng(1);
  std::string text;
  while (text.size() < size) text += std::string(words[rng() % 12]) + (rng() % 9 ? " " : "\r\n");
  text.resize(size);
  return Bytes(text.begin(), text.end());
}

Bytes Random(size_t size) {
  std::mt19937 rng(2);
  Bytes b(size);
  for (auto& x : b) x = static_cast<uint8_t>(rng());
  return b;
}

std::vector<Input> DefaultInputs() {
  std::vector<Input> inputs;
  const std::string payload = SZDD_PAYLOAD_DIR;
  if (!payload.empty() && fs::is_directory(payload)) {
    for (const char* name : {"Testanza.exe", "Uninstall.exe", "Testanza.hlp", "Testanza.txt", "US-Caps_FITB.TZ1",
                             "US-Caps_MULT.TZ1"}) {
      Input in{name, {}};
      if (ReadFile(fs::path(payload) / name, in.bytes)) inputs.push_back(in);
    }
  }
  Input program{"/usr/bin/ls", {}};
  if (ReadFile(program.name, program.bytes)) inputs.push_back(program);
  inputs.push_back({"text 1 MiB", Text(1 << 20)});
  inputs.push_back({"random 1 MiB", Random(1 << 20)});
  return inputs;
}

// mscompress writes "<file>_" beside its input. The time includes starting
// the process, which is small beside a file of some size.
bool Mscompress(const fs::path& dir, const Bytes& file, size_t& size, double& seconds) {
  if (*MSCOMPRESS_PROGRAM == 0) return false;
  const fs::path in = dir / "file";
  const fs::path out = dir / "file_";
  fs::remove(out);
  if (!WriteFile(in, file)) return false;
  const auto start = Clock::now();
  const std::string command = std::string("'") + MSCOMPRESS_PROGRAM + "' '" + in.string() + "' >/dev/null";
  if (std::system(command.c_str()) != 0) return false;
  seconds = Seconds(start);
  std::error_code error;
  size = static_cast<size_t>(fs::file_size(out, error));
  return !error;
}

void Report(const fs::path& dir, const Input& in) {
  auto start = Clock::now();
  const Bytes ours = szdd::Pack(in.bytes.data(), in.bytes.size());
  const double packSeconds = Seconds(start);
  Bytes back;
  start = Clock::now();
  const bool ok = szdd::Expand(ours.data(), ours.size(), back) && back == in.bytes;
  const double expandSeconds = Seconds(start);
  size_t theirs = 0;
  double theirSeconds = 0;
  const bool haveTheirs = Mscompress(dir, in.bytes, theirs, theirSeconds);
  std::printf("%-18s %9zu %9zu", in.name.c_str(), in.bytes.size(), ours.size());
  if (haveTheirs) {
    std::printf(" %9zu %+7.2f%%", theirs, 100.0 * (double(ours.size()) - double(theirs)) / double(theirs));
  } else {
    std::printf(" %9s %8s", "-", "-");
  }
  std::printf(" %8.3f %8.3f %8.3f%s\n", packSeconds, haveTheirs ? theirSeconds : 0.0, expandSeconds,
              ok ? "" : "  ROUND TRIP FAILED");
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Input> inputs;
  for (int i = 1; i < argc; ++i) {
    Input in{argv[i], {}};
    if (!ReadFile(in.name, in.bytes)) {
      std::fprintf(stderr, "szdd_bench: cannot read %s\n", argv[i]);
      return 1;
    }
    inputs.push_back(in);
  }
  if (inputs.empty()) inputs = DefaultInputs();
  const fs::path dir = fs::temp_directory_path() / ("szdd_bench." + std::to_string(std::random_device()()));
  fs::create_directories(dir);
#if defined(__SANITIZE_ADDRESS__)
  std::printf("(built with AddressSanitizer: our times are slower than a release build's)\n");
#endif
  std::printf("%-18s %9s %9s %9s %8s %8s %8s %8s\n", "file", "bytes", "ours", "mscomp", "ours vs", "pack s",
              "mscomp s", "expand s");
  for (const Input& in : inputs) Report(dir, in);
  std::error_code ignored;
  fs::remove_all(dir, ignored);
  return 0;
}
