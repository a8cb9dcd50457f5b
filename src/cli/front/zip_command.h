#pragma once
// qm zip: lookups in the postal table, by code or by address, printed as JSON.
#include "cli/front/invocation.h"

namespace qm::cli {

void ZipCommand(const Invocation& in);

}  // namespace qm::cli
