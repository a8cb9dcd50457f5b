#pragma once
// The texts an estimate-family page shows, worded once for paper and for PDF: the grand
// total, the header fields, the item name with its classification indent, the remarks
// lines, the page total, the selected company profile and bank account.
#include <optional>
#include <string>
#include <vector>

#include "print/chart_page.h"

namespace qm {

// The profile and the account the print dialog selected.
const TMxCampanyInfo& SelectedCompany(const ChartPageSources& src);
const TMxPayBankAccount& SelectedBank(const ChartPageSources& src);

// Whether the page prints as a qualified invoice (registration number and per-rate
// totals).
bool PrintsQualified(const ChartPageSources& src, TChartType kind);

// " 御見積金額  " (estimate) or " 合計金額  ", the currency mark and the amount when
// 総合計金額を印刷する is ticked, then the tax wording of the tax choice.
std::string GrandTotalWording(const ChartPageSources& src, TChartType kind);

// "caption  value" of each header field marked for printing: construction name, period,
// delivery place, payment condition.
std::vector<std::string> HeaderFieldLines(const TMxEstimateObjectList& doc, const TMxConfigInfo& config);

// The name of a line, indented by one or two full-width blanks for the middle and small
// classification when indenting is chosen.
std::string IndentedName(const TMxEstimateObject& line, bool indentByClass);

// The first four lines of the remarks: "備　考：" before the first, "　　　　" before
// the others.
std::vector<std::string> RemarkLines(const std::string& remarks);

// The sum of the amounts of lines [first, end) that are not subtotal lines; none when it
// leaves the amount range.
std::optional<Currency> PageTotal(const TMxEstimateObjectList& doc, int first, int end);

}  // namespace qm
