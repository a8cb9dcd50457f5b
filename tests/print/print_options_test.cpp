#include "print/print_options.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "base/atomic_file.h"

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
