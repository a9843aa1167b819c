#include "reference_tools.h"

#include <memory>
#include <string>

#ifdef HAVE_LIBMSPACK
#include <mspack.h>
#endif

namespace szddtest {
namespace {

using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

AssertionResult Program(const char* path, const char* package) {
  if (*path == 0) return AssertionFailure() << "program not found at configure time; install " << package;
  return AssertionSuccess();
}

}  // namespace

#ifdef HAVE_LIBMSPACK
AssertionResult ExpandWithLibmspack(const Bytes& container, Bytes& out) {
  TempDir dir;
  const std::string in = dir.File("in.sz");
  const std::string expanded = dir.File("out");
  if (!WriteFile(in, container)) return AssertionFailure() << "cannot write " << in;
  std::unique_ptr<msszdd_decompressor, void (*)(msszdd_decompressor*)> decompressor(
      mspack_create_szdd_decompressor(nullptr), mspack_destroy_szdd_decompressor);
  if (!decompressor) return AssertionFailure() << "mspack_create_szdd_decompressor failed";
  const int error = decompressor->decompress(decompressor.get(), in.c_str(), expanded.c_str());
  if (error != MSPACK_ERR_OK) return AssertionFailure() << "libmspack error " << error;
  if (!ReadFile(expanded, out)) return AssertionFailure() << "libmspack left no output";
  return AssertionSuccess();
}
#else
AssertionResult ExpandWithLibmspack(const Bytes&, Bytes&) {
  return AssertionFailure() << "built without libmspack; install libmspack-dev";
}
#endif

AssertionResult ExpandWithMsexpand(const Bytes& container, Bytes& out) {
  if (auto found = Program(MSEXPAND_PROGRAM, "mscompress"); !found) return found;
  TempDir dir;
  const std::string in = dir.File("in.sz");
  const std::string expanded = dir.File("out");
  if (!WriteFile(in, container)) return AssertionFailure() << "cannot write " << in;
  // Through standard input and output: given names, it picks its own output name.
  if (!Run(Quote(MSEXPAND_PROGRAM) + " <" + Quote(in) + " >" + Quote(expanded)))
    return AssertionFailure() << "msexpand failed";
  if (!ReadFile(expanded, out)) return AssertionFailure() << "msexpand left no output";
  return AssertionSuccess();
}

AssertionResult PackWithMscompress(const Bytes& file, Bytes& container) {
  if (auto found = Program(MSCOMPRESS_PROGRAM, "mscompress"); !found) return found;
  TempDir dir;
  const std::string in = dir.File("file");
  if (!WriteFile(in, file)) return AssertionFailure() << "cannot write " << in;
  // It writes the container beside the file, with an underscore appended.
  if (!Run(Quote(MSCOMPRESS_PROGRAM) + " " + Quote(in) + " >/dev/null"))
    return AssertionFailure() << "mscompress failed";
  if (!ReadFile(in + "_", container)) return AssertionFailure() << "mscompress left no file_";
  return AssertionSuccess();
}

}  // namespace szddtest
