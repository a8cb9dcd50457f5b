// Line amounts, block subtotals, consumption tax and totals.
//
// Arithmetic runs in long double (x87 extended, 64-bit mantissa) on the scaled
// integers (value x 10000); results stored back into a Currency are rounded to the
// nearest 1/10000, ties to even.
#include "model/calculation.h"

#include <cmath>
#include <vector>

#include "base/error.h"
#include "model/estimate_list.h"

namespace qm {
namespace {

constexpr long double kScale = Currency::kScale;

// Tax of `amount` (scaled) at rate `rate` (scaled percent), as a scaled long double.
long double TaxOf(long double amount, long double rate, bool includeTax) {
  if (!includeTax) return amount * rate / (100 * kScale);
  // The tax contained in an amount that includes it.
  return amount - amount * (100 * kScale) / (100 * kScale + rate);
}

Currency StoreScaled(long double scaled) { return Currency::FromScaled(scaled); }

}  // namespace

long double RoundToYen(long double scaled, TCalcDecimal rule, long double signTest) {
  const long double yen = std::trunc(scaled / kScale);
  const bool whole = scaled == yen * kScale;
  switch (rule) {
    case TCalcDecimal::cdRoundDown:
      return yen * kScale;
    case TCalcDecimal::cdRoundUP:
      if (whole) return scaled;
      return (scaled < 0 ? yen - 1 : yen + 1) * kScale;
    case TCalcDecimal::cdRoundOff:
      if (signTest >= 0) return std::trunc((scaled + kScale / 2) / kScale) * kScale;
      return std::trunc((scaled - kScale / 2) / kScale) * kScale;
  }
  return yen * kScale;
}

Currency TaxOnce(Currency taxed, Currency rate, bool includeTax, TCalcDecimal rule) {
  const Currency x =
      StoreScaled(TaxOf(static_cast<long double>(taxed.Raw()), static_cast<long double>(rate.Raw()), includeTax));
  return RoundToYen(x, rule);
}

Currency RoundToYen(Currency value, TCalcDecimal rule) {
  const long double v = static_cast<long double>(value.Raw());
  return Currency::FromRaw(static_cast<std::int64_t>(RoundToYen(v, rule, v)));
}

bool TMxEstimateObject::DoCalc() {
  if (FPrice.IsZero() || FNum.IsZero()) return true;  // a lump sum typed as amount stands
  // p x q cut toward zero to hundredths of a yen: trunc(P x Q / 10^6) hundredths.
  const long double hundredths =
      std::trunc(static_cast<long double>(FPrice.Raw()) * static_cast<long double>(FNum.Raw()) / 1000000.0L);
  // 922,337,203,685,477.58 yen and beyond do not fit.
  constexpr long double kMaxHundredths = 92233720368547758.0L;
  if (std::fabs(hundredths) >= kMaxHundredths) {
    FTotalPrice = Currency();
    FPrice = Currency();
    FNum = Currency();
    return false;
  }
  FTotalPrice = Currency::FromRaw(static_cast<std::int64_t>(hundredths) * 100);
  return true;
}

void TMxEstimateObjectList::DoCalc() {
  if (FTotalClaimMode) return;  // totals come from total-claim creation or the file
  const long double rate = static_cast<long double>(FTaxRate.Raw());
  Currency subTotal, totalTax, taxable, block;
  // Sums that overflow throw; nothing is written before every sum is known, so the
  // document never holds half a calculation.
  std::vector<Currency> blockSums;
  for (const auto& line : FItems) {
    if (line->SubTotalLineFlg()) {
      blockSums.push_back(block);
      block = Currency();
      continue;
    }
    const Currency a = line->TotalPrice();
    if (!line->Taxless()) {
      const long double aScaled = static_cast<long double>(a.Raw());
      const long double x = TaxOf(aScaled, rate, FTaxInputModeIncludeTax);
      totalTax += StoreScaled(RoundToYen(x, FTaxDecimalMode, aScaled));
      taxable += a;
    }
    subTotal += a;
    block += a;
  }
  const Currency roundedSubTotal = RoundToYen(subTotal, FSubTotalDecimalMode);
  if (!FTaxCalcLine) totalTax = TaxOnce(taxable, FTaxRate, FTaxInputModeIncludeTax, FTaxDecimalMode);
  const Currency total = FTaxInputModeIncludeTax ? roundedSubTotal : roundedSubTotal + totalTax;

  auto sum = blockSums.begin();
  for (auto& line : FItems)
    if (line->SubTotalLineFlg()) line->SetTotalPrice(*sum++);
  FSubTotalPrice = roundedSubTotal;
  FTotalTax = totalTax;
  FTotalPrice = total;
}

TaxRateSummary TaxByRate(const TMxEstimateObjectList& doc) {
  TaxRateSummary s;
  s.rate = doc.TaxRate();
  s.included = doc.TaxInputModeIncludeTax();
  Currency taxless;
  for (int i = 0; i < doc.Count(); ++i) {
    const TMxEstimateObject& line = doc.Items(i);
    if (line.SubTotalLineFlg() || line.TotalPrice().IsZero()) continue;
    if (line.Taxless()) {
      taxless += line.TotalPrice();
      s.hasTaxless = true;
    } else {
      s.hasTaxed = true;
    }
  }
  s.taxless = RoundToYen(taxless, doc.SubTotalDecimalMode());
  s.taxable = doc.SubTotalPrice() - s.taxless;
  s.tax = doc.TotalTax();
  return s;
}

const char* CalcDecimalName(TCalcDecimal rule) {
  switch (rule) {
    case TCalcDecimal::cdRoundUP: return "cdRoundUP";
    case TCalcDecimal::cdRoundDown: return "cdRoundDown";
    case TCalcDecimal::cdRoundOff: return "cdRoundOff";
  }
  return "cdRoundDown";
}

}  // namespace qm
