#include "print/qualified_invoice.h"

#include "base/amount_text.h"
#include "model/calculation.h"

namespace qm {

bool TakesRegistNo(TChartType kind) {
  switch (kind) {
    case TChartType::tcNouhin:
    case TChartType::tcSeikyu:
    case TChartType::tcSeikyuMeisai:
    case TChartType::tcRyosyu:
    case TChartType::tcGoukeiSeikyu: return true;
    default: return false;
  }
}

bool RegistNoOptionOn(const std::optional<bool>& stored, const TMxCampanyInfo& company) {
  return stored.value_or(!company.RegistNo().empty());
}

bool PrintsQualified(TChartType kind, const std::optional<bool>& stored, const TMxCampanyInfo& company) {
  return TakesRegistNo(kind) && !company.RegistNo().empty() && RegistNoOptionOn(stored, company);
}

std::string RegistNoLine(const TMxCampanyInfo& company) { return "登録番号 " + company.RegistNo(); }

std::vector<TaxSummaryLine> TaxSummaryLines(const TMxEstimateObjectList& doc, const TMxConfigInfo& config) {
  const TaxRateSummary s = TaxByRate(doc);
  const bool dp = config.PrintDecimalPoint();
  const auto money = [&](Currency v) { return config.CurrencyMark() + CommaAdd(true, v, dp); };
  std::vector<TaxSummaryLine> lines;
  if (s.ShowsRate()) {
    const std::string rate = CommaAdd(true, s.rate, dp) + "%対象";
    lines.push_back(s.included ? TaxSummaryLine{rate + "(税込) " + money(s.taxable), "内消費税 " + money(s.tax)}
                               : TaxSummaryLine{rate + " " + money(s.taxable), "消費税 " + money(s.tax)});
  }
  if (s.hasTaxless) lines.push_back({"非課税 " + money(s.taxless), {}});
  return lines;
}

std::vector<std::string> TaxSummaryRows(const TMxEstimateObjectList& doc, const TMxConfigInfo& config) {
  std::vector<std::string> rows;
  for (const TaxSummaryLine& line : TaxSummaryLines(doc, config)) {
    rows.push_back(line.amount);
    if (!line.tax.empty()) rows.push_back("　" + line.tax);
  }
  return rows;
}

bool RoundsTaxPerLine(const TMxEstimateObjectList& doc) { return doc.TaxCalcLine() && !doc.TotalClaimMode(); }

void RoundTaxOnTotal(TMxEstimateObjectList& doc) {
  doc.SetTaxCalcLine(false);
  doc.DoCalc();
}

}  // namespace qm
