#pragma once
// The contents export: every line of a document as one CSV line under a heading line,
// each field in double quotes (a quote inside a field doubled), Shift-JIS with CR LF.
#include <string>

#include "model/config_info.h"
#include "model/estimate_list.h"

namespace qm {

// The file's bytes: "No.", the configured headings of free item, item name, quantity,
// unit, unit price, cost, amount and remark, and "非課税"; then one line per document line,
// empty ones included, the item name indented by one full-width space for class 1 and two
// for class 2 when PRINTBUNRUI is on, amounts in the long form, "V" for a taxless line.
std::string ContentsExportCsv(const TMxEstimateObjectList& doc, const TMxConfigInfo& config);

}  // namespace qm
