#include "cli/commands.h"

#include <cstdio>

namespace qm::cli {

int Run(int, char*[]) {
  std::fputs("qm: no command\n", stderr);
  return 1;
}

}  // namespace qm::cli
