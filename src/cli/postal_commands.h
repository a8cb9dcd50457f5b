#pragma once
// The postal commands besides the lookups (cli/front/zip_command.h): the update from the
// server and the import of the national postal-code file.
#include "cli/front/invocation.h"

namespace qm::cli {

void ZipUpdateCommand(const Invocation& in);
void ZipImportCommand(const Invocation& in);

}  // namespace qm::cli
