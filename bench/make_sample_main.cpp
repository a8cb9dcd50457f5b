// Writes the benchmark document as an estimate file, for measuring other programs on it.
//
//   qm_make_sample FILE.QM1 [LINES [PICTURES]]     (default 1000 lines, 20 pictures)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "base/error.h"
#include "sample_document.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::fprintf(stderr, "usage: %s FILE.QM1 [LINES [PICTURES]]\n", argv[0]);
    return 1;
  }
  qmbench::SampleOptions options;
  if (argc > 2) options.lines = std::atoi(argv[2]);
  if (argc > 3) options.pictures = std::atoi(argv[3]);
  if (options.lines < 0 || options.pictures < 0) {
    std::fprintf(stderr, "%s: LINES and PICTURES must not be negative\n", argv[0]);
    return 1;
  }
  try {
    qmbench::MakeSampleDocument(options).SaveFile(argv[1], "サンプル");
  } catch (const qm::Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  std::printf("%s: %d lines, %d pictures\n", argv[1], options.lines, options.pictures);
  return 0;
}
