#pragma once
// Rounding of amounts to whole yen, shared by the line and document calculations.
#include "base/currency.h"
#include "model/estimate_object.h"

namespace qm {

// Rounds `v` (in units of 1/10000 yen) to whole yen by `rule`, deciding the direction
// of half-away rounding by the sign of `signTest`. Round-up of a negative value that is
// not whole goes away from zero (-3.4 gives -4), as a discount line expects.
long double RoundToYen(long double scaled, TCalcDecimal rule, long double signTest);

// The same on a Currency, with the value itself as sign test.
Currency RoundToYen(Currency value, TCalcDecimal rule);

// The consumption tax of the taxed lines' sum at `rate` percent, rounded once by `rule`:
// the tax a document rounded on the total holds (of an amount that includes it when
// `includeTax`).
Currency TaxOnce(Currency taxed, Currency rate, bool includeTax, TCalcDecimal rule);

class TMxEstimateObjectList;

// A document's figures per tax rate, as a qualified invoice states them: the amount at
// the document's rate (tax-exclusive or tax-included as the document is entered) with
// its tax, and the amount of the taxless lines. They add up exactly to the document's
// own totals: taxable + taxless is the subtotal, tax is its consumption tax. The taxless
// sum is rounded to whole yen as the subtotal is, and the taxed part is what remains.
struct TaxRateSummary {
  Currency rate;            // percent
  bool included = false;    // the amounts include the tax
  bool hasTaxed = false;    // a taxed line holds an amount
  bool hasTaxless = false;  // a taxless line holds an amount
  Currency taxable;
  Currency tax;
  Currency taxless;
  // The rate's entry is shown when a taxed line holds an amount or no line is taxless.
  bool ShowsRate() const { return hasTaxed || !hasTaxless; }
};
TaxRateSummary TaxByRate(const TMxEstimateObjectList& doc);

}  // namespace qm
