#pragma once
// What a command runs with: its arguments, the data folder and the two streams.
#include <cstdio>

#include "base/data_folders.h"
#include "cli/front/arguments.h"

namespace qm::cli {

struct Invocation {
  const Arguments& args;
  DataFolder data;
  std::FILE* out;
  std::FILE* err;
};

}  // namespace qm::cli
