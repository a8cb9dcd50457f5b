#pragma once
// `qm config`: the operating settings and the three company profiles as JSON.
#include "cli/document_commands.h"

namespace qm::cli {

void ConfigCommand(const Invocation& in);

}  // namespace qm::cli
