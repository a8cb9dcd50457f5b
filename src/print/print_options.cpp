#include "print/print_options.h"

#include "base/ini_values.h"
#include "print/print_keys.h"

namespace qm {
namespace {

using O = TPrintMitsuOptions;

// In the order the dialog writes them.
constexpr PrintKey<O> kMitsuKeys[] = {
    {"PRINTER", &O::Printer},
    {"CHECK_STAMP", &O::CheckStamp},
    {"CHECK_STAMP_MSG", &O::CheckStampMsg},
    {"PERSONAL_STAMP", &O::PersonalStamp},
    {"CUSTOMER_INFO", &O::CustomerInfo},
    {"PAY_BANK", &O::PayBank},
    {"PAPER_SIZE", &O::PaperSize},
    {"PRINT_NAME", &O::PrintName},
    {"PRINT_STAMP_AREA", &O::PrintStampArea},
    {"PRINT_DIRECTION", &O::PrintDirection},
    {"PRINT_NOTE", &O::PrintNote},
    {"PRINT_BANK", &O::PrintBank},
    {"CHANGE_SR", &O::ChangeSR},
    {"PRINT_COPY", &O::PrintCopy},
    {"PRINT_GRAND_TOTAL_FRAME", &O::PrintGrandTotalFrame},
    {"PRINT_GRAND_TOTAL", &O::PrintGrandTotal},
    {"PRINT_SUBTOTAL_TOTAL", &O::PrintSubtotalTotal},
    {"PRINT_FREEEDIT", &O::PrintFreeEdit},
    {"PRINT_COST", &O::PrintCost},
    {"PRINT_PIC", &O::PrintPic},
    {"PRINT_BUNRUI", &O::PrintBunrui},
    {"PRINT_REGIST_NO", &O::PrintRegistNo},
};

constexpr const char* kSettingSection = "SETTING";

}  // namespace

const char* PrintSection(TChartType kind) { return IsEstimateFamily(kind) ? KindOf(kind).section : "none"; }

TPrintMitsuOptions LoadPrintConfig(const IniFile& ini, TChartType kind) {
  return LoadPrintSection<O>(ini, PrintSection(kind), kMitsuKeys);
}

void SavePrintConfig(IniFile& ini, TChartType kind, const TPrintMitsuOptions& options) {
  SavePrintSection<O>(ini, PrintSection(kind), options, kMitsuKeys);
}

void SetPrintOption(TPrintMitsuOptions& options, const std::string& key, const std::string& value) {
  SetPrintKey<O>(options, key, value, kMitsuKeys);
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
