#pragma once
// The qm program a user starts. The commands that answer at once (the postal lookups)
// run here, in a process that loads no more than Qt's core; every other command is
// handed, with the same arguments, to qm-core beside it, which holds them all.
#include <cstdio>
#include <exception>
#include <string>

#include "cli/front/arguments.h"

namespace qm::cli {

// The data folder of --data (which must exist), else the default one.
std::string DataFolderPath(const Arguments& args);

// Prints the error as one line "qm: …" and answers the exit code 1.
int ReportError(std::FILE* err, const std::exception& e);

int RunFront(int argc, char* argv[]);

}  // namespace qm::cli
