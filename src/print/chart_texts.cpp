#include "print/chart_texts.h"

#include <algorithm>

#include "base/amount_text.h"
#include "print/head_blocks.h"
#include "print/qualified_invoice.h"

namespace qm {

const TMxCampanyInfo& SelectedCompany(const ChartPageSources& src) {
  return ProfileAt(*src.companies, src.settings.companyIndex);
}

const TMxPayBankAccount& SelectedBank(const ChartPageSources& src) {
  return AccountAt(SelectedCompany(src), src.settings.bankIndex);
}

bool PrintsQualified(const ChartPageSources& src, TChartType kind) {
  return PrintsQualified(kind, src.settings.options.PrintRegistNo, SelectedCompany(src));
}

std::string GrandTotalWording(const ChartPageSources& src, TChartType kind) {
  const TMxEstimateObjectList& doc = *src.doc;
  const bool dp = src.config->PrintDecimalPoint();
  const bool amount = src.settings.options.PrintGrandTotal;
  std::string text = kind == TChartType::tcMitumori ? " 御見積金額  " : " 合計金額  ";
  if (amount) text += src.config->CurrencyMark();
  switch (src.settings.tax) {
    case TTaxChoice::NoTax:
      text += amount ? CommaAdd(true, doc.TotalPrice(), dp) + "- " : "　　　　　　　 　　　　　 ";
      break;
    case TTaxChoice::Exclusive:
      text += amount ? CommaAdd(true, doc.SubTotalPrice(), dp) + "- (消費税別) " : "　　　　　　　 (消費税別) ";
      break;
    case TTaxChoice::Included:
      text += amount ? CommaAdd(true, doc.TotalPrice(), dp) + "- (消費税込) " : "　　　　　　　 (消費税込) ";
      break;
  }
  return text;
}

std::vector<std::string> HeaderFieldLines(const TMxEstimateObjectList& doc, const TMxConfigInfo& config) {
  std::vector<std::string> fields;
  if (doc.KoujiNamePrintCheck()) fields.push_back(config.PrintHeadKoujiName() + "  " + doc.KoujiNameStr());
  if (doc.SlipLimitPrintCheck()) fields.push_back(config.PrintHeadLimit() + "  " + doc.SlipLimitStr());
  if (doc.DeliveryPlacePrintCheck()) fields.push_back(config.PrintHeadPlace() + "  " + doc.DeliveryPlaceStr());
  if (doc.PayConditionPrintCheck())
    fields.push_back(config.PrintHeadCondition() + "  " + doc.PayConditionStr());
  return fields;
}

std::string IndentedName(const TMxEstimateObject& line, bool indentByClass) {
  if (indentByClass && line.ClassNo() == 1) return "　" + line.Name();
  if (indentByClass && line.ClassNo() == 2) return "　　" + line.Name();
  return line.Name();
}

std::vector<std::string> RemarkLines(const std::string& remarks) {
  std::vector<std::string> lines = SplitLines(remarks);
  if (lines.size() > 4) lines.resize(4);
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = (i == 0 ? "備　考：" : "　　　　") + lines[i];
  return lines;
}

std::optional<Currency> PageTotal(const TMxEstimateObjectList& doc, int first, int end) {
  long double sum = 0;
  for (int i = first; i < end; ++i) {
    const TMxEstimateObject& line = doc.Items(i);
    if (!line.SubTotalLineFlg()) sum += static_cast<long double>(line.TotalPrice().Raw());
  }
  return Currency::TryFromScaled(sum);
}

}  // namespace qm
