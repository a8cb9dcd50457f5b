#pragma once
// Amounts as the user sees them: thousands separators, at most two decimals.
#include <optional>
#include <string>
#include <string_view>

#include "base/currency.h"

namespace qm {

// "#,##0.##" when withoutDecimalPoint is true or decimal display is off,
// otherwise "#,##0.00". Rounds half away from zero at the second decimal.
std::string CommaAdd(bool withoutDecimalPoint, Currency value, bool printDecimalPoint);

// Removes every "," and reads the rest as a number; throws qm::Error otherwise.
Currency CommaDel(std::string_view text);
// The same without the error: nothing when the text is no number.
std::optional<Currency> TryCommaDel(std::string_view text);

}  // namespace qm
