#pragma once
// The masters the benchmarks work on: customers with Japanese names and addresses (some
// fields needing quotes in a CSV file) and building-works items with fractional prices.
#include "model/master_lists.h"

namespace qmbench {

qm::TMxCustomerObjectList MakeCustomers(int count);
qm::TMxItemObjectList MakeItems(int count);

}  // namespace qmbench
