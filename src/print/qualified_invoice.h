#pragma once
// What makes a bill a qualified invoice: the issuer's registration number under the
// sender block and the totals per tax rate near the totals. Worded once here for the
// page images and the PDF forms. A sheet prints them only when its kind is a bill, the
// chosen company profile has a number and 登録番号を印刷する is on.
#include <optional>
#include <string>
#include <vector>

#include "model/company_info.h"
#include "model/config_info.h"
#include "model/estimate_list.h"
#include "print/document_kinds.h"

namespace qm {

// The delivery note, the invoice, the invoice detail, the receipt and the total invoice.
bool TakesRegistNo(TChartType kind);

// 登録番号を印刷する as the dialog shows it: the stored choice, or on when the profile has
// a number and nothing is stored yet.
bool RegistNoOptionOn(const std::optional<bool>& stored, const TMxCampanyInfo& company);

// Whether a sheet of `kind` prints as a qualified invoice.
bool PrintsQualified(TChartType kind, const std::optional<bool>& stored, const TMxCampanyInfo& company);

// "登録番号 T1234567890123".
std::string RegistNoLine(const TMxCampanyInfo& company);

// One entry of the per-rate block: "10%対象 ￥800,000" with "消費税 ￥80,000" (for a
// document entered with tax, "10%対象(税込) ￥880,000" with "内消費税 ￥80,000"), or
// "非課税 ￥12,000" with no tax part.
struct TaxSummaryLine {
  std::string amount;
  std::string tax;
  // Both parts on one line, a full-width blank between them.
  std::string OneLine() const { return tax.empty() ? amount : amount + "　" + tax; }
};
std::vector<TaxSummaryLine> TaxSummaryLines(const TMxEstimateObjectList& doc, const TMxConfigInfo& config);

// The same as rows for a narrow block: each amount, its tax on the row below indented
// by a full-width blank.
std::vector<std::string> TaxSummaryRows(const TMxEstimateObjectList& doc, const TMxConfigInfo& config);

// A document whose tax is summed from the rounded tax of each line; a qualified invoice
// rounds the tax once, on the total. A total invoice takes its figures from the billed
// documents and is never asked.
bool RoundsTaxPerLine(const TMxEstimateObjectList& doc);

// The question the print dialogs ask before printing such a document as a qualified
// invoice.
inline constexpr const char* kRoundOnceQuestion =
    "この書類の消費税は明細ごとに端数処理されています。\r\n"
    "適格請求書では消費税の端数処理は税率ごとに合計で1回です。\r\n\r\n"
    "計算基準を「合計」に変更して印刷しますか？\r\n"
    "（「はい」で書類の計算基準を変更します。「いいえ」でそのまま印刷します。）";

// Switches the document to tax on the total and recalculates it.
void RoundTaxOnTotal(TMxEstimateObjectList& doc);

}  // namespace qm
