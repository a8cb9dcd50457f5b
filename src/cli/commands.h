#pragma once
// The `qm` command line: option parsing, the command table and error reporting.
#include <cstdio>
#include <string>
#include <vector>

namespace qm::cli {

// Runs `qm` with the arguments after the program name, writing results to `out` and
// messages to `err`; returns the exit status (0 success, 1 error).
int Run(const std::vector<std::string>& args, std::FILE* out, std::FILE* err);

// The same for main().
int Run(int argc, char* argv[]);

}  // namespace qm::cli
