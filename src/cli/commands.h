#pragma once

namespace qm::cli {

// Runs the qm command line; returns the process exit status.
int Run(int argc, char* argv[]);

}  // namespace qm::cli
