#include "print/slip_options.h"

#include "base/amount_text.h"
#include "print/print_keys.h"

namespace qm {
namespace {

using R = TPrintReceiptOptions;
using T = TPrintTotalClaimOptions;
using F = TPrintFaxOptions;

constexpr PrintKey<R> kReceiptKeys[] = {
    {"PRINTER", &R::Printer},
    {"PERSONAL_STAMP", &R::PersonalStamp},
    {"CUSTOMER_INFO", &R::CustomerInfo},
    {"PAPER_SIZE", &R::PaperSize},
    {"PRINT_NAME", &R::PrintName},
    {"PRINT_STAMP_AREA", &R::PrintStampArea},
    {"PRINT_REVENUE_STAMP_AREA", &R::PrintRevenueStampArea},
    {"PROVISO_TEXT", &R::ProvisoText},
    {"PRINT_GRAND_TOTAL", &R::PrintGrandTotal},
    {"PRINT_REGIST_NO", &R::PrintRegistNo},
};

constexpr PrintKey<T> kTotalClaimKeys[] = {
    {"PRINTER", &T::Printer},     {"CUSTOMER_INFO", &T::CustomerInfo}, {"PAY_BANK", &T::PayBank},
    {"PAPER_SIZE", &T::PaperSize}, {"PRINT_NAME", &T::PrintName},       {"PRINT_BANK", &T::PrintBank},
    {"PRE_CLAIM", &T::PreClaim, false}, {"PRE_PAID", &T::PrePaid, false},
    {"PRINT_REGIST_NO", &T::PrintRegistNo},
};

constexpr PrintKey<F> kFaxKeys[] = {
    {"PRINTER", &F::Printer},   {"CUSTOMER_INFO", &F::CustomerInfo}, {"PAPER_SIZE", &F::PaperSize},
    {"TITLE", &F::Title},       {"PAPER_NUM", &F::PaperNum},         {"PRINT_NAME", &F::PrintName},
    {"OPTION1", &F::Option1},   {"OPTION2", &F::Option2},            {"OPTION3", &F::Option3},
    {"OPTION4", &F::Option4},   {"CONTENT", LinesField<F>{&F::Content}},
};

using L = TPrintListOptions;
constexpr PrintKey<L> kListKeys[] = {{"PRINTER", &L::Printer}, {"PAPER_SIZE", &L::PaperSize}};
const char* ListSection(bool customers) { return customers ? "CUSTOMER_LIST" : "ITEM_LIST"; }

constexpr const char* kReceiptSection = "RYOSYU";
constexpr const char* kTotalClaimSection = "GOUKEI_SEIKYU";
constexpr const char* kFaxSection = "FAX";

// The breakdown rows of the receipt are given by number: UCHI1 … UCHI4, UCHI_PRICE1 … 4.
bool SetBreakdown(R& o, const std::string& key, const std::string& value) {
  for (std::size_t i = 0; i < 4; ++i) {
    if (key == "UCHI" + std::to_string(i + 1)) {
      o.UchiLabel[i] = value;
      return true;
    }
    if (key == "UCHI_PRICE" + std::to_string(i + 1)) {
      o.UchiPrice[i] = value;
      return true;
    }
  }
  return false;
}

}  // namespace

TPrintReceiptOptions LoadReceiptConfig(const IniFile& ini) { return LoadPrintSection<R>(ini, kReceiptSection, kReceiptKeys); }
void SaveReceiptConfig(IniFile& ini, const TPrintReceiptOptions& o) { SavePrintSection<R>(ini, kReceiptSection, o, kReceiptKeys); }
void SetReceiptOption(TPrintReceiptOptions& o, const std::string& key, const std::string& value) {
  if (!SetBreakdown(o, key, value)) SetPrintKey<R>(o, key, value, kReceiptKeys);
}

TPrintTotalClaimOptions LoadTotalClaimConfig(const IniFile& ini) {
  return LoadPrintSection<T>(ini, kTotalClaimSection, kTotalClaimKeys);
}
void SaveTotalClaimConfig(IniFile& ini, const TPrintTotalClaimOptions& o) {
  SavePrintSection<T>(ini, kTotalClaimSection, o, kTotalClaimKeys);
}
void SetTotalClaimOption(TPrintTotalClaimOptions& o, const std::string& key, const std::string& value) {
  SetPrintKey<T>(o, key, value, kTotalClaimKeys);
  CalcResult(o);
}

TPrintFaxOptions LoadFaxConfig(const IniFile& ini) { return LoadPrintSection<F>(ini, kFaxSection, kFaxKeys); }
void SaveFaxConfig(IniFile& ini, const TPrintFaxOptions& o) { SavePrintSection<F>(ini, kFaxSection, o, kFaxKeys); }
void SetFaxOption(TPrintFaxOptions& o, const std::string& key, const std::string& value) {
  SetPrintKey<F>(o, key, value, kFaxKeys);
}

TPrintListOptions LoadListConfig(const IniFile& ini, bool customers) {
  return LoadPrintSection<L>(ini, ListSection(customers), kListKeys);
}
void SaveListConfig(IniFile& ini, bool customers, const TPrintListOptions& o) {
  SavePrintSection<L>(ini, ListSection(customers), o, kListKeys);
}
void SetListOption(TPrintListOptions& o, const std::string& key, const std::string& value) {
  SetPrintKey<L>(o, key, value, kListKeys);
}

std::string SetComma(const std::string& text) {
  std::string digits;
  for (char ch : text)
    if (ch != ',' && ch != '(' && ch != ')') digits += ch;
  const auto value = Currency::TryParseDecimal(digits);
  return value ? CommaAdd(true, *value, false) : std::string();
}

void CalcResult(TPrintTotalClaimOptions& o) {
  const auto read = [](std::string& text) {
    const Currency value = TryCommaDel(text).value_or(Currency());
    text = CommaAdd(true, value, false);
    return value;
  };
  const Currency pre = read(o.PreClaim), paid = read(o.PrePaid);
  const auto balance = Currency::TryFromScaled(static_cast<long double>(pre.Raw()) - static_cast<long double>(paid.Raw()));
  o.Result = CommaAdd(true, balance.value_or(Currency()), false);
}

}  // namespace qm
