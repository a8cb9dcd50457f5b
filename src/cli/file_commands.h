#pragma once
// The commands over the save folder (DIR/data): ls, backup and restore.
#include "cli/document_commands.h"

namespace qm::cli {

void LsCommand(const Invocation& in);
void BackupCommand(const Invocation& in);
void RestoreCommand(const Invocation& in);

}  // namespace qm::cli
