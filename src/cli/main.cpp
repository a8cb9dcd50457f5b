#include "cli/commands.h"

int main(int argc, char* argv[]) { return qm::cli::Run(argc, argv); }
