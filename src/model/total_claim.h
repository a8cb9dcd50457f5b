#pragma once
// The total invoice (合計請求書): one bill for several saved documents, per document or
// per line, with their subtotals, taxes and totals summed.
#include <string>
#include <vector>

#include "base/era_date.h"
#include "model/estimate_list.h"

namespace qm {

enum class TotalClaimMode { PerFile = 1, PerLine = 2 };

// A saved document chosen for the bill: its name (without extension) and its file.
struct TotalClaimSource {
  std::string name;
  std::string path;
};

// Makes `doc` the total invoice of `sources`, taken in the given (display) order: a new
// total-claim document dated `today` with the first document's customer block, one line
// per document (its amount with tax, or its subtotal when it was entered tax-included)
// or every item line of every document, and the sums of their subtotals, taxes and
// totals. Every file is read and summed before `doc` is touched: a file that cannot be
// read, or sums that leave the amount range, throw qm::Error naming the file and leave
// `doc` exactly as it was.
void MakeTotalClaim(TotalClaimMode mode, const std::vector<TotalClaimSource>& sources, TMxEstimateObjectList& doc,
                    const EraDate& today);

}  // namespace qm
