// hlpc: compiles a help text source into a WinHelp 3.1 .hlp file.
//   hlpc <source.hs> <output.hlp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>

#include "helpfile.h"
#include "source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: hlpc <source> <output.hlp>\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::cerr << "hlpc: cannot read " << argv[1] << "\n";
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  hlpc::HelpSource source;
  std::string error;
  if (!hlpc::ParseSource(text, source, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  try {
    hlpc::Bytes help = hlpc::BuildHelpFile(source);
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(help.data()), static_cast<std::streamsize>(help.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "hlpc: " << e.what() << "\n";
    std::remove(argv[2]);
    return 1;
  }
  return 0;
}
