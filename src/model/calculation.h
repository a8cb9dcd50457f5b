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

}  // namespace qm
