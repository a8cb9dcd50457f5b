#pragma once
// The consumption-tax rate of the operating settings (conf.ini, [SETTING] TAX).
#include <string>

#include "base/currency.h"

namespace qm {

// Rate used when conf.ini has none or an unreadable one.
inline const Currency kDefaultTaxRate = Currency::FromRaw(5 * Currency::kScale);

// TAX of the file's [SETTING] section, rounded to four decimals; 5 when the file, the
// key or a readable number is missing.
Currency LoadTaxRateSetting(const std::string& confIniPath);

}  // namespace qm
