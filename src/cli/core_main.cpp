#include "cli/commands.h"

// Every command of qm; the qm program a user starts hands them here.
int main(int argc, char* argv[]) { return qm::cli::Run(argc, argv); }
