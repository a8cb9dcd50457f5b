#pragma once
// Value forms of the settings files. A number, Boolean or colour whose text is missing,
// empty or does not convert gives the default; text present but empty stays empty.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/colour_text.h"
#include "base/currency.h"
#include "base/ini_file.h"

namespace qm {

// Integers are decimal; a 0x prefix reads hexadecimal.
std::int32_t ReadIniInteger(const IniFile& ini, std::string_view section, std::string_view key, std::int32_t def);
// Read as an integer; any non-zero value is true.
bool ReadIniBool(const IniFile& ini, std::string_view section, std::string_view key, bool def);
// A decimal number such as 5, 8 or 5.5, kept to four decimals.
Currency ReadIniRate(const IniFile& ini, std::string_view section, std::string_view key, Currency def);
double ReadIniDouble(const IniFile& ini, std::string_view section, std::string_view key, double def);
TColor ReadIniColor(const IniFile& ini, std::string_view section, std::string_view key, TColor def);

std::string IniBoolText(bool value);      // "1" or "0"
std::string IniDoubleText(double value);  // 25, 21.75, 121.8: general format, point
std::string IniRateText(Currency value);  // 5, 5.5

}  // namespace qm
