#pragma once
// The commands over the masters in the data folder: customers, items and units. A
// master that does not load whole fails the command; nothing of it is printed.
#include "cli/document_commands.h"

namespace qm::cli {

inline constexpr const char* kCustomersSynopsis =
    "qm customers [--csv OUT.csv] [--sort KEY [--desc]] | qm customers import FILE.CSV [--map FIELD=N]...";

void CustomersCommand(const Invocation& in);
void ItemsCommand(const Invocation& in);
void UnitsCommand(const Invocation& in);

}  // namespace qm::cli
