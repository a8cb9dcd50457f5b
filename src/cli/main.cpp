#include "cli/front/front.h"

int main(int argc, char* argv[]) { return qm::cli::RunFront(argc, argv); }
