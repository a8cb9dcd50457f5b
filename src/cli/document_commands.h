#pragma once
// The commands over one document: dump, build and calc. Each throws qm::Error on
// failure; warnings go to the error stream and do not fail the command.
#include <cstdio>
#include <string>

#include "cli/arguments.h"

namespace qm::cli {

struct Invocation {
  const Arguments& args;
  std::string dataDir;
  std::FILE* out;
  std::FILE* err;
};

void DumpCommand(const Invocation& in);
void BuildCommand(const Invocation& in);
void CalcCommand(const Invocation& in);
// Saves a JSON document into the save folder under a checked name.
void SaveCommand(const Invocation& in);

}  // namespace qm::cli
