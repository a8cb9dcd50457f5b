// What the three sheets share: resolving their dialog's lists, the receipt's opening
// breakdown and the name fitting of the receipt.
#include <algorithm>

#include "base/amount_text.h"
#include "print/chart_page.h"
#include "print/slip_pages.h"
#include "print/text_primitives.h"

namespace qm {
namespace {

// The text without its last character (UTF-8).
std::string DropLastCharacter(std::string text) {
  while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
  if (!text.empty()) text.pop_back();
  return text;
}

}  // namespace

const TMxCampanyInfo& SelectedCompany(const SlipSources& src) { return ProfileAt(*src.companies, src.companyIndex); }

const TMxPayBankAccount& SelectedBank(const SlipSources& src) { return AccountAt(SelectedCompany(src), src.bankIndex); }

std::string AmountNowInvoiced(const SlipSources& src, const TPrintTotalClaimOptions& o) {
  const Currency carried = TryCommaDel(o.Result).value_or(Currency());
  const auto now = Currency::TryFromScaled(static_cast<long double>(carried.Raw()) +
                                           static_cast<long double>(src.doc->TotalPrice().Raw()));
  return src.config->CurrencyMark() + CommaAdd(true, now.value_or(Currency()), src.config->PrintDecimalPoint());
}

SlipSources ResolveSlipSources(const TMxEstimateObjectList& doc, const TMxConfigInfo& config,
                               const TMxCampanyInfoManager& companies, const std::string& customerInfo,
                               const std::string& payBank, const std::string& personalStamp) {
  SlipSources s;
  s.doc = &doc;
  s.config = &config;
  s.companies = &companies;
  s.companyIndex = EntryIndex(CompanyListEntries(), customerInfo);
  s.bankIndex = EntryIndex(BankListEntries(), payBank);
  s.personalStampSlot = SealSlotOf(SealList(config), personalStamp);
  return s;
}

void DefaultBreakdown(TPrintReceiptOptions& o, const TMxEstimateObjectList& doc, const TMxConfigInfo& config) {
  o.UchiLabel = {"消費税", "", "", ""};
  o.UchiPrice = {CommaAdd(false, doc.TotalTax(), config.PrintDecimalPoint()), "", "", ""};
}

std::pair<int, std::string> FitReceiptName(const std::string& name, int widthDots, int dpi) {
  constexpr int kLargest = 24, kSmallest = 6;
  int size = kLargest;
  while (size > kSmallest && GetCharWidth(name, size, dpi) > widthDots) --size;
  if (GetCharWidth(name, size, dpi) <= widthDots) return {size, name};
  // Still too long at the smallest size: cut whole characters from the end.
  std::string text = name;
  while (!text.empty() && GetCharWidth(text, size, dpi) > widthDots) text = DropLastCharacter(text);
  return {size, text};
}

}  // namespace qm
