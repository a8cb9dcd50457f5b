// Qualified invoices on paper: the registration number under the sender block and the
// totals per rate near the totals, on the bills only, and nothing changed for a company
// without a number.
#include "print/qualified_invoice.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "print/chart_page.h"
#include "print/print_job.h"
#include "print/slip_pages.h"
#include "support/golden.h"
#include "support/page_ops.h"

namespace qm {
namespace {

constexpr int kDpi = 254;  // ten dots a millimetre
constexpr const char* kNumber = "T1234567890123";

using qmtest::Joined;
using qmtest::OpsWith;

class QualifiedInvoiceTest : public ::testing::Test {
 protected:
  QualifiedInvoiceTest() : config_(dir_.path().toStdString()), companies_(dir_.path().toStdString()) {
    config_.LoadConfig(dir_.filePath("conf.ini").toStdString());  // no file: every default
    config_.SetCurrencyMark("￥");
    config_.SetSenderFontSize(12);
    config_.SetPrintDecimalPoint(false);
    doc_.SetTaxRate(Currency::FromYen(10));
    doc_.SetSlipDateStrYY("令和8");
    doc_.SetSlipDateStrMM("12");
    doc_.SetSlipDateStrDD("10");
    doc_.CustomerInfo().SetCustomerName1("山田建設");
    doc_.CustomerInfo().SetCustomerNameTitle("御中");
    TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
    co.SetZipNo("100-0001");
    co.SetAddress1("東京都千代田区千代田1-1");
    co.SetCampanyName1("ベロラ工務店");
    co.SetChargeName("佐藤");
    co.SetTelFax("TEL 03-0000-0000");
    co.SetRegistNo(kNumber);
    chart_.doc = slip_.doc = &doc_;
    chart_.config = slip_.config = &config_;
    chart_.companies = slip_.companies = &companies_;
    chart_.printerDpiX = chart_.printerDpiY = slip_.printerDpiX = slip_.printerDpiY = kDpi;
  }

  void AddLine(const std::string& name, long long amount, bool taxless = false) {
    auto line = std::make_unique<TMxEstimateObject>();
    line->SetName(name);
    line->SetNum(Currency::FromYen(1));
    line->SetPrice(Currency::FromYen(amount));
    line->SetItemUnit("式");
    line->SetTaxless(taxless);
    line->DoCalc();
    doc_.Add(std::move(line));
  }

  // 800,000 taxed at 10 % and 12,000 taxless.
  void InvoiceLines(bool included = false) {
    AddLine("基礎工事", included ? 550000 : 500000);
    AddLine("型枠工事", included ? 330000 : 300000);
    AddLine("印紙代", 12000, true);
    doc_.SetTaxInputModeIncludeTax(included);
    doc_.DoCalc();
    chart_.settings.tax = DeriveTaxChoice(doc_);
  }

  PageImage Chart(TChartType kind, bool landscape = false, bool a4 = true) {
    return MakeMetaFileChartPrinter(chart_, kind, kOnlyPage, landscape ? 1 : 0, 1, 1, false, a4);
  }
  std::string Texts(const PageImage& page) { return Joined(OpsWith(page, "text ")); }

  QTemporaryDir dir_;
  TMxConfigInfo config_;
  TMxCampanyInfoManager companies_;
  TMxEstimateObjectList doc_;
  ChartPageSources chart_;
  SlipSources slip_;
};

TEST_F(QualifiedInvoiceTest, OnlyBillsOfACompanyWithANumberAndTheOptionOn) {
  InvoiceLines();
  TMxCampanyInfo& co = companies_.CampanyInfoArray(0);
  const std::vector<std::optional<bool>> choices = {std::nullopt, true, false};
  for (const DocumentKind& kind : DocumentKinds()) {
    if (kind.family != KindFamily::Estimate) continue;
    for (const std::optional<bool>& choice : choices) {
      chart_.settings.options.PrintRegistNo = choice;
      const bool bill = kind.kind == TChartType::tcNouhin || kind.kind == TChartType::tcSeikyu ||
                        kind.kind == TChartType::tcSeikyuMeisai;
      const bool expected = bill && choice.value_or(true);
      SCOPED_TRACE(std::string(kind.cliName) + " option " + (choice ? (*choice ? "on" : "off") : "unset"));
      EXPECT_EQ(OpsWith(Chart(kind.kind), "登録番号").size(), expected ? 1u : 0u);
      EXPECT_EQ(OpsWith(Chart(kind.kind), "10%対象").size(), expected ? 1u : 0u);
    }
  }
  // The receipt and the total invoice print it on both copies.
  TPrintReceiptOptions receipt;
  TPrintTotalClaimOptions total;
  EXPECT_EQ(OpsWith(MakeMetaFileReceiptPrinter(slip_, receipt, true), "登録番号 T1234567890123").size(), 2u);
  EXPECT_EQ(OpsWith(MakeMetaFileTotalClaimPrinter(slip_, total, true), "登録番号 T1234567890123").size(), 2u);
  receipt.PrintRegistNo = total.PrintRegistNo = false;
  EXPECT_TRUE(OpsWith(MakeMetaFileReceiptPrinter(slip_, receipt, true), "登録番号").empty());
  EXPECT_TRUE(OpsWith(MakeMetaFileTotalClaimPrinter(slip_, total, true), "登録番号").empty());
  EXPECT_TRUE(OpsWith(MakeMetaFileTotalClaimPrinter(slip_, total, true), "対象").empty());

  // A company without a number prints exactly what the option off prints, whatever the
  // option says.
  chart_.settings.options.PrintRegistNo = false;
  receipt.PrintRegistNo = total.PrintRegistNo = false;
  const std::string invoiceOff = Texts(Chart(TChartType::tcSeikyu)) + Texts(Chart(TChartType::tcSeikyu, true));
  const std::string receiptOff = Texts(MakeMetaFileReceiptPrinter(slip_, receipt, true));
  const std::string totalOff = Texts(MakeMetaFileTotalClaimPrinter(slip_, total, true));
  co.SetRegistNo("");
  for (const std::optional<bool>& choice : choices) {
    chart_.settings.options.PrintRegistNo = receipt.PrintRegistNo = total.PrintRegistNo = choice;
    EXPECT_EQ(Texts(Chart(TChartType::tcSeikyu)) + Texts(Chart(TChartType::tcSeikyu, true)), invoiceOff);
    EXPECT_EQ(Texts(MakeMetaFileReceiptPrinter(slip_, receipt, true)), receiptOff);
    EXPECT_EQ(Texts(MakeMetaFileTotalClaimPrinter(slip_, total, true)), totalOff);
  }
}

TEST_F(QualifiedInvoiceTest, TheSummaryReconcilesWithTheTotalsAsTheDocumentIsEntered) {
  InvoiceLines();
  const PageImage exclusive = Chart(TChartType::tcSeikyu);
  // 小計 812,000 = 800,000 + 12,000; 消費税 80,000; 合計 892,000.
  EXPECT_EQ(OpsWith(exclusive, "\"812,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(exclusive, "\"80,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(exclusive, "\"892,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(exclusive, "\"10%対象 ￥800,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(exclusive, "\"　消費税 ￥80,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(exclusive, "\"非課税 ￥12,000\"").size(), 1u);

  doc_.Clear();
  InvoiceLines(true);
  const PageImage included = Chart(TChartType::tcSeikyu);
  // Entered with tax: 892,000 in all, of which 80,000 is tax.
  EXPECT_EQ(OpsWith(included, "\"892,000\"").size(), 2u);  // 小計 and 合計
  EXPECT_EQ(OpsWith(included, "\"10%対象(税込) ￥880,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(included, "\"　内消費税 ￥80,000\"").size(), 1u);
  EXPECT_EQ(OpsWith(included, "\"非課税 ￥12,000\"").size(), 1u);

  // Without taxless lines there is no taxless entry.
  doc_.Clear();
  doc_.SetTaxInputModeIncludeTax(false);
  AddLine("基礎工事", 800000);
  doc_.DoCalc();
  EXPECT_TRUE(OpsWith(Chart(TChartType::tcSeikyu), "非課税").empty());
  EXPECT_EQ(OpsWith(Chart(TChartType::tcSeikyu), "\"10%対象 ￥800,000\"").size(), 1u);

  // The total invoice has one line per entry, the rate's amount and tax side by side.
  doc_.Clear();
  InvoiceLines();
  const PageImage total = MakeMetaFileTotalClaimPrinter(slip_, TPrintTotalClaimOptions{}, true);
  EXPECT_EQ(OpsWith(total, "\"10%対象 ￥800,000　消費税 ￥80,000\"").size(), 2u);
  EXPECT_EQ(OpsWith(total, "\"非課税 ￥12,000\"").size(), 2u);
}

TEST_F(QualifiedInvoiceTest, OperationGoldensOfTheInvoiceAndTheReceipt) {
  InvoiceLines();
  TPrintMitsuOptions& o = chart_.settings.options;
  o.PrintName = true;
  std::string all;
  const auto add = [&](const std::string& title, const PageImage& page) { all += "== " + title + "\n" + Texts(page); };
  for (const bool number : {true, false}) {
    companies_.CampanyInfoArray(0).SetRegistNo(number ? kNumber : "");
    const std::string with = number ? " with number" : " without number";
    for (const bool landscape : {false, true})
      add(std::string("invoice ") + (landscape ? "landscape" : "portrait") + with,
          Chart(TChartType::tcSeikyu, landscape));
    // On B5 the page is the A4 page shrunk; the job says so.
    o.PaperSize = "B5";
    const PrintJob job = PrintJob::Chart(chart_, TChartType::tcSeikyu);
    EXPECT_TRUE(job.B5());
    add("invoice B5" + with, job.MakePage(0, kDpi, kDpi));
    o.PaperSize.clear();
    TPrintReceiptOptions receipt;
    receipt.UchiLabel[0] = "消費税";
    receipt.UchiPrice[0] = "80,000";
    add("receipt" + with, MakeMetaFileReceiptPrinter(slip_, receipt, true));
    receipt.PaperSize = "B5";
    add("receipt B5" + with, PrintJob::Receipt(slip_, receipt).MakePage(0, kDpi, kDpi));
  }
  qmtest::ExpectGolden(all, "print/qualified_invoice.ops");
}

TEST_F(QualifiedInvoiceTest, PlacesUnderTheSenderAndBesideTheTotals) {
  InvoiceLines();
  // Portrait: the telephone line at 65 mm, the number 4 mm under it, both at the
  // sender's left of 115 mm.
  const PageImage portrait = Chart(TChartType::tcSeikyu);
  EXPECT_EQ(OpsWith(portrait, "\"TEL 03-0000-0000\"").front().substr(0, 14), "text 1150,650 ");
  EXPECT_EQ(OpsWith(portrait, "登録番号").front().substr(0, 14), "text 1150,690 ");
  // The summary rows share the rows of 小計, 消費税 and 合計, left of their labels.
  const auto rowOf = [](const std::string& op) { return op.substr(op.find(',') + 1, op.find(' ', 5) - op.find(',') - 1); };
  EXPECT_EQ(rowOf(OpsWith(portrait, "10%対象").front()), rowOf(OpsWith(portrait, "小　計").front()));
  EXPECT_EQ(rowOf(OpsWith(portrait, "　消費税 ￥").front()), rowOf(OpsWith(portrait, "消費税(10%)").front()));
  EXPECT_EQ(rowOf(OpsWith(portrait, "非課税").front()), rowOf(OpsWith(portrait, "合　計").front()));
  // Landscape: telephone at 50 mm, number at 54 mm, sender at 210 mm.
  const PageImage landscape = Chart(TChartType::tcSeikyu, true);
  EXPECT_EQ(OpsWith(landscape, "登録番号").front().substr(0, 14), "text 2100,540 ");
  // The receipt: under the sender's telephone line at 98 mm, and 110 mm lower on the copy.
  const PageImage receipt = MakeMetaFileReceiptPrinter(slip_, TPrintReceiptOptions{}, true);
  const std::vector<std::string> numbers = OpsWith(receipt, "登録番号");
  ASSERT_EQ(numbers.size(), 2u);
  EXPECT_EQ(numbers[0].substr(0, 14), "text 850,1020 ");
  EXPECT_EQ(numbers[1].substr(0, 14), "text 850,2120 ");
}

TEST(QualifiedInvoice, TheKindsThatAreBillsAndTheRoundingQuestion) {
  for (const DocumentKind& kind : DocumentKinds()) {
    const bool bill = kind.kind == TChartType::tcNouhin || kind.kind == TChartType::tcSeikyu ||
                      kind.kind == TChartType::tcSeikyuMeisai || kind.kind == TChartType::tcRyosyu ||
                      kind.kind == TChartType::tcGoukeiSeikyu;
    EXPECT_EQ(TakesRegistNo(kind.kind), bill) << kind.cliName;
  }
  TMxEstimateObjectList doc;
  auto line = std::make_unique<TMxEstimateObject>();
  line->SetTotalPrice(Currency::FromYen(105));
  doc.Add(std::move(line));
  line = std::make_unique<TMxEstimateObject>();
  line->SetTotalPrice(Currency::FromYen(106));
  doc.Add(std::move(line));
  doc.SetTaxRate(Currency::FromYen(5));
  doc.SetTaxCalcLine(true);
  doc.SetTaxDecimalMode(TCalcDecimal::cdRoundUP);
  doc.DoCalc();
  EXPECT_EQ(doc.TotalTax(), Currency::FromYen(12));  // 6 + 6
  EXPECT_TRUE(RoundsTaxPerLine(doc));
  RoundTaxOnTotal(doc);
  EXPECT_FALSE(RoundsTaxPerLine(doc));
  EXPECT_EQ(doc.TotalTax(), Currency::FromYen(11));  // 10.55 rounded up once
  EXPECT_EQ(doc.TotalPrice(), Currency::FromYen(222));
  // A total invoice takes its figures from the billed documents and is never asked.
  doc.SetTaxCalcLine(true);
  doc.SetTotalClaimMode(true);
  EXPECT_FALSE(RoundsTaxPerLine(doc));
}

}  // namespace
}  // namespace qm
