#include "model/tax_rate_setting.h"

#include "base/ini_file.h"

namespace qm {

Currency LoadTaxRateSetting(const std::string& confIniPath) {
  const IniFile ini = IniFile::Load(confIniPath);
  if (auto rate = Currency::TryParseFloat(ini.ReadString("SETTING", "TAX", ""))) return *rate;
  return kDefaultTaxRate;
}

}  // namespace qm
