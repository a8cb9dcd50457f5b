#pragma once
// The postal commands: lookups in zip.dat, the update from the server and the import of
// the national postal-code file.
#include "cli/document_commands.h"

namespace qm::cli {

void ZipCommand(const Invocation& in);
void ZipUpdateCommand(const Invocation& in);
void ZipImportCommand(const Invocation& in);

}  // namespace qm::cli
