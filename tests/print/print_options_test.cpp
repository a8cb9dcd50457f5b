#include "print/print_options.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"
#include "support/key_table.h"

using qm::TChartType;
using qm::TTaxChoice;

TEST(PrintOptions, FirstUseGivesTheDefaults) {
  const qm::TPrintMitsuOptions o = qm::LoadPrintConfig(qm::IniFile(), TChartType::tcMitumori);
  EXPECT_EQ(o.Printer, "");
  EXPECT_EQ(o.CheckStampMsg, "検　印");
  EXPECT_FALSE(o.PrintName);
  EXPECT_TRUE(o.PrintStampArea);
  EXPECT_FALSE(o.PrintDirection);
  EXPECT_TRUE(o.PrintNote);
  EXPECT_FALSE(o.PrintBank);
  EXPECT_FALSE(o.ChangeSR);
  EXPECT_FALSE(o.PrintCopy);
  EXPECT_TRUE(o.PrintGrandTotalFrame && o.PrintGrandTotal && o.PrintSubtotalTotal);
  EXPECT_TRUE(o.PrintFreeEdit && o.PrintCost && o.PrintBunrui);
  EXPECT_FALSE(o.PrintPic);
  EXPECT_FALSE(o.B5());
}

TEST(PrintOptions, EachKindHasItsOwnSectionAndOtherSectionsStay) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("print.ini").toStdString();
  qm::WriteFileAtomically(path, "[FAX]\r\nCONTENT=a#CRLF#b\r\n[SEIKYU]\r\nPRINT_BANK=2\r\nPAPER_SIZE=B5\r\n");
  const qm::TPrintMitsuOptions seikyu = qm::LoadPrintConfig(path, TChartType::tcSeikyu);
  EXPECT_TRUE(seikyu.PrintBank);  // any non-zero value
  EXPECT_TRUE(seikyu.B5());
  EXPECT_FALSE(qm::LoadPrintConfig(path, TChartType::tcNouhin).PrintBank);

  qm::TPrintMitsuOptions o;
  o.Printer = "事務所のプリンタ";
  o.PrintCopy = true;
  o.PrintCost = false;
  qm::SavePrintConfig(path, TChartType::tcKoujiUtiwake, o);
  const qm::IniFile ini = qm::IniFile::Load(path);
  EXPECT_EQ(ini.ReadString("FAX", "CONTENT", ""), "a#CRLF#b");
  EXPECT_EQ(ini.ReadString("KOUJI_UTIWAKE", "PRINT_COPY", ""), "1");
  EXPECT_EQ(ini.ReadString("KOUJI_UTIWAKE", "PRINT_COST", ""), "0");
  EXPECT_EQ(ini.Keys("KOUJI_UTIWAKE").size(), 21u);
  const qm::TPrintMitsuOptions back = qm::LoadPrintConfig(path, TChartType::tcKoujiUtiwake);
  EXPECT_EQ(back.Printer, "事務所のプリンタ");
  EXPECT_TRUE(back.PrintCopy);
  EXPECT_FALSE(back.PrintCost);
  EXPECT_STREQ(qm::PrintSection(TChartType::tcJyuryou), "JYURYO");
  EXPECT_STREQ(qm::PrintSection(TChartType::tcRyosyu), "none");

  EXPECT_FALSE(qm::LoadYoko(path));
  qm::SaveYoko(path, true);
  EXPECT_TRUE(qm::LoadYoko(path));
  EXPECT_EQ(qm::LoadPrintConfig(path, TChartType::tcKoujiUtiwake).Printer, "事務所のプリンタ");
}

TEST(PrintOptions, TaxChoiceFollowsTheDocument) {
  qm::TMxEstimateObjectList doc;
  for (int i = 0; i < 4; ++i) doc.Add(std::make_unique<qm::TMxEstimateObject>());
  EXPECT_EQ(qm::DeriveTaxChoice(doc), TTaxChoice::NoTax);
  doc.Items(0).SetTotalPrice(qm::Currency::FromYen(500));
  doc.Items(0).SetTaxless(true);
  doc.ToSubTotalLine(1);
  doc.DoCalc();  // the subtotal line now shows 500 but is not a taxed line of its own
  EXPECT_EQ(qm::DeriveTaxChoice(doc), TTaxChoice::NoTax);
  doc.Items(2).SetTotalPrice(qm::Currency::FromYen(-1));
  EXPECT_EQ(qm::DeriveTaxChoice(doc), TTaxChoice::Exclusive);
  doc.SetTaxInputModeIncludeTax(true);
  EXPECT_EQ(qm::DeriveTaxChoice(doc), TTaxChoice::Included);
}

namespace {

using O = qm::TPrintMitsuOptions;
using qmtest::KeyCase;

// Every key of an estimate-family section as the fixture print_mitsu.ini has it.
const std::vector<KeyCase<O>>& MitsuCases() {
  static const std::vector<KeyCase<O>> cases = {
      qmtest::TextKey<O>("PRINTER", "PDF-Printer", &O::Printer),
      qmtest::TextKey<O>("CHECK_STAMP", "印A", &O::CheckStamp),
      qmtest::TextKey<O>("CHECK_STAMP_MSG", "検印X", &O::CheckStampMsg),
      qmtest::TextKey<O>("PERSONAL_STAMP", "印B", &O::PersonalStamp),
      qmtest::TextKey<O>("CUSTOMER_INFO", "会社情報2", &O::CustomerInfo),
      qmtest::TextKey<O>("PAY_BANK", "振込先情報2", &O::PayBank),
      qmtest::TextKey<O>("PAPER_SIZE", "B5", &O::PaperSize),
      qmtest::FlagKey<O>("PRINT_NAME", "1", &O::PrintName),
      qmtest::FlagKey<O>("PRINT_STAMP_AREA", "0", &O::PrintStampArea),
      qmtest::FlagKey<O>("PRINT_DIRECTION", "1", &O::PrintDirection),
      qmtest::FlagKey<O>("PRINT_NOTE", "0", &O::PrintNote),
      qmtest::FlagKey<O>("PRINT_BANK", "1", &O::PrintBank),
      qmtest::FlagKey<O>("CHANGE_SR", "1", &O::ChangeSR),
      qmtest::FlagKey<O>("PRINT_COPY", "1", &O::PrintCopy),
      qmtest::FlagKey<O>("PRINT_GRAND_TOTAL_FRAME", "0", &O::PrintGrandTotalFrame),
      qmtest::FlagKey<O>("PRINT_GRAND_TOTAL", "0", &O::PrintGrandTotal),
      qmtest::FlagKey<O>("PRINT_SUBTOTAL_TOTAL", "0", &O::PrintSubtotalTotal),
      qmtest::FlagKey<O>("PRINT_FREEEDIT", "0", &O::PrintFreeEdit),
      qmtest::FlagKey<O>("PRINT_COST", "0", &O::PrintCost),
      qmtest::FlagKey<O>("PRINT_PIC", "1", &O::PrintPic),
      qmtest::FlagKey<O>("PRINT_BUNRUI", "0", &O::PrintBunrui),
  };
  return cases;
}

}  // namespace

TEST(PrintOptionKeys, TheFixtureReadsIntoTheRightFieldsAndIsWrittenByteForByte) {
  const qm::IniFile fixture = qm::IniFile::FromBytes(qmtest::Fixture("settings/print_mitsu.ini"));
  const O read = qm::LoadPrintConfig(fixture, TChartType::tcMitumori);
  for (const auto& k : MitsuCases()) EXPECT_EQ(k.get(read), k.value) << k.key;

  O all;
  for (const auto& k : MitsuCases()) k.set(all, k.value);
  qm::IniFile written;
  qm::SavePrintConfig(written, TChartType::tcMitumori, all);
  EXPECT_EQ(written.ToBytes(), qmtest::Fixture("settings/print_mitsu.ini"));
}

TEST(PrintOptionKeys, EachFieldWritesOnlyItsKeyAndEachKeyReadsOnlyIntoItsField) {
  qm::IniFile baseIni;
  qm::SavePrintConfig(baseIni, TChartType::tcMitumori, O{});
  const auto base = qmtest::SectionValues(baseIni, "MITSU");
  const O defaults;
  for (const auto& k : MitsuCases()) {
    O one;
    k.set(one, k.value);
    qm::IniFile ini;
    qm::SavePrintConfig(ini, TChartType::tcMitumori, one);
    EXPECT_EQ(qmtest::ChangedKeys(base, qmtest::SectionValues(ini, "MITSU")), std::vector<std::string>{k.key});

    qm::IniFile single;
    single.WriteString("MITSU", k.key, k.value);
    const O read = qm::LoadPrintConfig(single, TChartType::tcMitumori);
    for (const auto& other : MitsuCases())
      EXPECT_EQ(other.get(read), other.key == k.key ? k.value : other.get(defaults))
          << other.key << " after reading " << k.key;
  }
}

TEST(PrintOptionKeys, EveryEstimateKindWritesItsOwnSection) {
  const std::pair<TChartType, const char*> sections[] = {
      {TChartType::tcMitumori, "MITSU"},        {TChartType::tcTankaMitumori, "TANKA"},
      {TChartType::tcNouhin, "NOUHIN"},          {TChartType::tcSeikyu, "SEIKYU"},
      {TChartType::tcJyuryou, "JYURYO"},         {TChartType::tcSeikyuMeisai, "SEIKYU_MEISAI"},
      {TChartType::tcKoujiUtiwake, "KOUJI_UTIWAKE"},
  };
  for (const auto& [kind, section] : sections) {
    qm::IniFile ini;
    qm::SavePrintConfig(ini, kind, O{});
    EXPECT_TRUE(ini.HasSection(section)) << section;
    EXPECT_EQ(ini.Keys(section).size(), MitsuCases().size()) << section;
    EXPECT_EQ(ini.ToBytes().find('[', 1), std::string::npos) << section;  // one section only
  }
}
