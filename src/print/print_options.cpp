#include "print/print_options.h"

#include <array>
#include <charconv>

#include "base/error.h"
#include "base/ini_values.h"

namespace qm {
namespace {

struct TextKey {
  const char* key;
  std::string TPrintMitsuOptions::*field;
};
struct BoolKey {
  const char* key;
  bool TPrintMitsuOptions::*field;
};

// In the order the dialog writes them.
constexpr std::array<TextKey, 7> kTextKeys = {{
    {"PRINTER", &TPrintMitsuOptions::Printer},
    {"CHECK_STAMP", &TPrintMitsuOptions::CheckStamp},
    {"CHECK_STAMP_MSG", &TPrintMitsuOptions::CheckStampMsg},
    {"PERSONAL_STAMP", &TPrintMitsuOptions::PersonalStamp},
    {"CUSTOMER_INFO", &TPrintMitsuOptions::CustomerInfo},
    {"PAY_BANK", &TPrintMitsuOptions::PayBank},
    {"PAPER_SIZE", &TPrintMitsuOptions::PaperSize},
}};
constexpr std::array<BoolKey, 14> kBoolKeys = {{
    {"PRINT_NAME", &TPrintMitsuOptions::PrintName},
    {"PRINT_STAMP_AREA", &TPrintMitsuOptions::PrintStampArea},
    {"PRINT_DIRECTION", &TPrintMitsuOptions::PrintDirection},
    {"PRINT_NOTE", &TPrintMitsuOptions::PrintNote},
    {"PRINT_BANK", &TPrintMitsuOptions::PrintBank},
    {"CHANGE_SR", &TPrintMitsuOptions::ChangeSR},
    {"PRINT_COPY", &TPrintMitsuOptions::PrintCopy},
    {"PRINT_GRAND_TOTAL_FRAME", &TPrintMitsuOptions::PrintGrandTotalFrame},
    {"PRINT_GRAND_TOTAL", &TPrintMitsuOptions::PrintGrandTotal},
    {"PRINT_SUBTOTAL_TOTAL", &TPrintMitsuOptions::PrintSubtotalTotal},
    {"PRINT_FREEEDIT", &TPrintMitsuOptions::PrintFreeEdit},
    {"PRINT_COST", &TPrintMitsuOptions::PrintCost},
    {"PRINT_PIC", &TPrintMitsuOptions::PrintPic},
    {"PRINT_BUNRUI", &TPrintMitsuOptions::PrintBunrui},
}};

constexpr const char* kSettingSection = "SETTING";

}  // namespace

const char* PrintSection(TChartType kind) { return IsEstimateFamily(kind) ? KindOf(kind).section : "none"; }

TPrintMitsuOptions LoadPrintConfig(const IniFile& ini, TChartType kind) {
  const char* section = PrintSection(kind);
  const TPrintMitsuOptions defaults;
  TPrintMitsuOptions o;
  for (const TextKey& k : kTextKeys) o.*k.field = ini.ReadString(section, k.key, defaults.*k.field);
  for (const BoolKey& k : kBoolKeys) o.*k.field = ReadIniBool(ini, section, k.key, defaults.*k.field);
  return o;
}

void SavePrintConfig(IniFile& ini, TChartType kind, const TPrintMitsuOptions& options) {
  const char* section = PrintSection(kind);
  for (const TextKey& k : kTextKeys) ini.WriteString(section, k.key, options.*k.field);
  for (const BoolKey& k : kBoolKeys) ini.WriteString(section, k.key, IniBoolText(options.*k.field));
}

void SetPrintOption(TPrintMitsuOptions& options, const std::string& key, const std::string& value) {
  for (const TextKey& k : kTextKeys)
    if (key == k.key) {
      options.*k.field = value;
      return;
    }
  for (const BoolKey& k : kBoolKeys)
    if (key == k.key) {
      long long number = 0;
      const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
      if (ec != std::errc() || end != value.data() + value.size())
        throw Error("印刷設定 " + key + " の値「" + value + "」は 1 か 0 で指定してください。");
      options.*k.field = number != 0;
      return;
    }
  throw Error("印刷設定のキー「" + key + "」はありません。");
}

TPrintMitsuOptions LoadPrintConfig(const std::string& fileName, TChartType kind) {
  return LoadPrintConfig(IniFile::Load(fileName), kind);
}

void SavePrintConfig(const std::string& fileName, TChartType kind, const TPrintMitsuOptions& options) {
  IniFile ini = IniFile::Load(fileName);
  SavePrintConfig(ini, kind, options);
  ini.Save(fileName);
}

bool LoadYoko(const std::string& fileName) { return ReadIniBool(IniFile::Load(fileName), kSettingSection, "YOKO", false); }

void SaveYoko(const std::string& fileName, bool landscape) {
  IniFile ini = IniFile::Load(fileName);
  ini.WriteString(kSettingSection, "YOKO", IniBoolText(landscape));
  ini.Save(fileName);
}

TTaxChoice DeriveTaxChoice(const TMxEstimateObjectList& doc) {
  if (doc.TaxInputModeIncludeTax()) return TTaxChoice::Included;
  for (int i = 0; i < doc.Count(); ++i) {
    const TMxEstimateObject& line = doc.Items(i);
    if (!line.SubTotalLineFlg() && !line.Taxless() && !line.TotalPrice().IsZero()) return TTaxChoice::Exclusive;
  }
  return TTaxChoice::NoTax;
}

}  // namespace qm
