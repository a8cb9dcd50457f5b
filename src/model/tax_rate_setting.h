#pragma once
// The consumption-tax rate of the operating settings (conf.ini, [SETTING] TAX).
#include <string>

#include "base/currency.h"

namespace qm {

// Rate used when conf.ini has none or an unreadable one: the standard rate since
// October 2019.
inline const Currency kDefaultTaxRate = Currency::FromRaw(10 * Currency::kScale);

// TAX of the file's [SETTING] section, rounded to four decimals; 10 when the file, the
// key or a readable number is missing.
Currency LoadTaxRateSetting(const std::string& confIniPath);

}  // namespace qm
