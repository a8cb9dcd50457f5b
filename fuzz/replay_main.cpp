// Feeds seed files to a fuzz target without a fuzzer, so that ctest replays every seed.
//
//   qm_fuzz_<name> [--truncations] FILE_OR_DIR...
//
// Folders are read recursively. A seed named *.ok.* must be accepted and one named
// *.bad.* refused. With --truncations every prefix of every seed is fed as well (a cut
// file is where readers go wrong), and every shorter prefix of an *.ok.* seed must be
// refused: a file that was cut off must not pass for a whole one.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_target.h"

namespace fs = std::filesystem;

namespace {

enum class Expect { Nothing, Accept, Refuse };

Expect ExpectationOf(const fs::path& file) {
  const std::string name = file.filename().string();
  if (name.find(".ok.") != std::string::npos) return Expect::Accept;
  if (name.find(".bad.") != std::string::npos) return Expect::Refuse;
  return Expect::Nothing;
}

std::vector<unsigned char> ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + file.string());
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs one input from a buffer of exactly its size, so that a sanitizer sees any read
// past the end.
bool Run(const unsigned char* data, std::size_t size) {
  static const unsigned char kNothing = 0;
  const std::unique_ptr<unsigned char[]> exact(size ? new unsigned char[size] : nullptr);
  if (size) std::memcpy(exact.get(), data, size);
  LLVMFuzzerTestOneInput(size ? exact.get() : &kNothing, size);
  return FuzzLastInputAccepted();
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerInitialize(&argc, &argv);
  bool truncations = false;
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--truncations") == 0) {
      truncations = true;
      continue;
    }
    const fs::path arg(argv[i]);
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::recursive_directory_iterator(arg))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else if (fs::is_regular_file(arg)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "%s: no such file or folder\n", argv[i]);
      return 1;
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: %s [--truncations] FILE_OR_DIR...\n(no seed files given)\n", argv[0]);
    return 1;
  }
  std::sort(files.begin(), files.end());

  long inputs = 0, accepted = 0, wrong = 0;
  for (const fs::path& file : files) {
    const std::vector<unsigned char> seed = ReadFile(file);
    const Expect expect = ExpectationOf(file);
    const bool ok = Run(seed.data(), seed.size());
    ++inputs;
    accepted += ok;
    if ((expect == Expect::Accept && !ok) || (expect == Expect::Refuse && ok)) {
      std::fprintf(stderr, "%s: %s\n", file.string().c_str(), ok ? "accepted, should be refused" : "refused, should load");
      ++wrong;
    }
    if (!truncations) continue;
    for (std::size_t n = 0; n < seed.size(); ++n) {
      const bool prefixOk = Run(seed.data(), n);
      ++inputs;
      accepted += prefixOk;
      if (expect == Expect::Accept && prefixOk) {
        std::fprintf(stderr, "%s: the first %zu of %zu bytes were accepted as a whole file\n", file.string().c_str(),
                     n, seed.size());
        ++wrong;
      }
    }
  }
  std::printf("%ld inputs from %zu files: %ld accepted, %ld refused, %ld against expectation\n", inputs, files.size(),
              accepted, inputs - accepted, wrong);
  return wrong == 0 ? 0 : 1;
}
